#pragma once
// A line of a CRD level: a row of units (left list, then the right list
// written after a "|" unit), with an optional fixed height.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "layout/CWindowListBasePart.h"
#include "layout/CWindowListPartLevel.h"
#include "layout/LayoutRect.h"

class CWindowListUnitPart;
class CWindowListPartCache;

class CWindowListLinePart : public CWindowListBasePart {
public:
    using Units = std::vector<std::unique_ptr<CWindowListUnitPart>>;
    using ParseContext = CWindowListPartLevel::ParseContext;

    explicit CWindowListLinePart(CWindowListPartLevel* parentLevel);
    ~CWindowListLinePart() override;
    CWindowListLinePart(const CWindowListLinePart&) = delete;
    CWindowListLinePart& operator=(const CWindowListLinePart&) = delete;

    void Parse(std::string_view text, const ParseContext& context);
    // The whole line is one plain group (border 0) holding a level read from `stripped`.
    void ParseAsGroup(std::string_view stripped, const ParseContext& context);
    void Write(std::string& out, uint8_t defaultBorder) const;

    int32_t Height() const { return m_height; }
    // Keeps the parent level's fixed-height sum and count right.
    void SetHeight(int32_t height);

    size_t UnitCount() const { return m_first.size() + m_second.size(); }
    const Units& FirstList() const { return m_first; }
    const Units& SecondList() const { return m_second; }
    // Unit i of both lists in reading order, or null.
    CWindowListUnitPart* UnitAt(size_t i) const;
    int32_t RowCount() const { return m_rowCount; }
    int64_t FixedWidthSum() const { return m_fixedWidthSum; }
    int32_t FixedWidthCount() const { return m_fixedWidthCount; }
    CWindowListPartLevel* ParentLevel() const { return m_parentLevel; }

    bool Arrange(const LayoutRect& rect, CWindowListPartCache& cache) const;
    // Hands a unit (and, for groups, what it holds) to the cache's add-part action.
    bool PlaceUnit(CWindowListUnitPart& unit, const LayoutRect& rect,
                   CWindowListPartCache& cache) const;

private:
    friend class CWindowListUnitPart;  // its width setter keeps our sums right
    void WidthChanged(int32_t oldWidth, int32_t newWidth);
    void Add(std::unique_ptr<CWindowListUnitPart> unit, bool right);

    CWindowListPartLevel* m_parentLevel;
    int32_t m_height = 0;
    Units m_first;
    Units m_second;
    int32_t m_rowCount = 1;
    int64_t m_fixedWidthSum = 0;
    int32_t m_fixedWidthCount = 0;
};
