#pragma once
// A level of a CRD layout: a stack of lines (top list, then the bottom list
// written after a "|" row). The root level also holds the layout's attributes.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "layout/CWindowListBasePart.h"

class CWindowListLinePart;
class CWindowListUnitPart;
class CWindowListPartCache;

class CWindowListPartLevel : public CWindowListBasePart {
public:
    using Lines = std::vector<std::unique_ptr<CWindowListLinePart>>;
    using AttributeMap = std::map<std::string, std::string>;  // byte-wise key order

    // Groups nest at most this deep; a deeper group keeps no nested level. Hand
    // written layouts use a handful of levels, so this only stops hostile text
    // from driving the recursive reader (and later the arranger) without bound.
    static constexpr int kMaxNesting = 64;

    struct ParseContext {
        uint8_t defaultBorder = 0;  // low 4 bits of the root "b"
        int depth = 0;              // nesting of the level being read
    };

    explicit CWindowListPartLevel(CWindowListUnitPart* parentUnit = nullptr);
    ~CWindowListPartLevel() override;
    CWindowListPartLevel(const CWindowListPartLevel&) = delete;
    CWindowListPartLevel& operator=(const CWindowListPartLevel&) = delete;

    // Root string: attribute blocks, then the body.
    void ParseRoot(std::string_view text);
    void ParseBody(std::string_view body, const ParseContext& context);

    std::string Write() const;
    void Write(std::string& out) const;

    int32_t RowCount() const { return m_rowCount; }
    size_t LineCount() const { return m_first.size() + m_second.size(); }
    const Lines& FirstList() const { return m_first; }
    const Lines& SecondList() const { return m_second; }
    // Line i of both lists in reading order, or null.
    CWindowListLinePart* LineAt(size_t i) const;
    int64_t FixedHeightSum() const { return m_fixedHeightSum; }
    int32_t FixedHeightCount() const { return m_fixedHeightCount; }

    const AttributeMap& Attributes() const { return m_attributes; }
    uint8_t DefaultBorder() const { return m_defaultBorder; }
    uint8_t Dgl() const { return m_dgl; }
    bool Debug() const { return m_attributes.count("debug") != 0; }

    CWindowListUnitPart* ParentUnit() const { return m_parentUnit; }
    const CWindowListPartLevel* RootLevel() const;

    // First and last unit of this level's subtree in reading order (groups
    // come before what they hold).
    CWindowListUnitPart* FirstUnit() const;
    CWindowListUnitPart* LastUnit() const;

    // Stored arrangement in (0, 0, width, height), computed on first use; null
    // when the level has no lines.
    const CWindowListPartCache* Arrangement(int32_t width, int32_t height);
    // Forgets the stored arrangements, which a unit's new width or height makes stale.
    void DropArrangements();
    // Arranges into `cache` in a width x height area whose top-left corner is (dx, dy).
    bool Arrange(int32_t width, int32_t height, int32_t dx, int32_t dy,
                 CWindowListPartCache& cache) const;

private:
    friend class CWindowListLinePart;  // its height setter keeps our sums right
    void HeightChanged(int32_t oldHeight, int32_t newHeight);
    void WriteLines(std::string& out, uint8_t defaultBorder) const;
    friend class CWindowListUnitPart;  // writes nested levels with the root default

    CWindowListUnitPart* m_parentUnit;
    AttributeMap m_attributes;
    uint8_t m_defaultBorder = 0;
    uint8_t m_dgl = 0;
    Lines m_first;
    Lines m_second;
    int32_t m_rowCount = 0;
    int64_t m_fixedHeightSum = 0;
    int32_t m_fixedHeightCount = 0;
    std::map<uint64_t, std::unique_ptr<CWindowListPartCache>> m_arrangements;
};
