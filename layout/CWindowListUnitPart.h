#pragma once
// One cell of a CRD line: an item number, a quoted text, or a group holding a
// nested level; with width, border, alignment, word wrap and colours.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "layout/CWindowListBasePart.h"
#include "layout/CWindowListPartLevel.h"

class CWindowListLinePart;

class CWindowListUnitPart : public CWindowListBasePart {
public:
    enum class Kind { Item, Text, Group };
    using ParseContext = CWindowListPartLevel::ParseContext;
    static constexpr int32_t kDefaultAlignment = 16;

    explicit CWindowListUnitPart(CWindowListLinePart* parentLine);
    ~CWindowListUnitPart() override;
    CWindowListUnitPart(const CWindowListUnitPart&) = delete;
    CWindowListUnitPart& operator=(const CWindowListUnitPart&) = delete;

    // Reads a unit from its raw text (blanks included).
    void Parse(std::string_view raw, const ParseContext& context);
    // Makes this a plain group (width 0, border 0) holding a level read from `stripped`.
    void ParseGroup(std::string_view stripped, const ParseContext& context);
    // Applies "b", "bg", "fg", "a" and "ww" from attribute blocks.
    void ParseAttributes(std::string_view text);
    void Write(std::string& out, uint8_t defaultBorder) const;

    Kind GetKind() const { return m_kind; }
    bool IsItem() const { return m_kind == Kind::Item; }
    bool IsText() const { return m_kind == Kind::Text; }
    bool IsGroup() const { return m_kind == Kind::Group; }
    bool HasNestedLevel() const { return m_nested != nullptr; }
    CWindowListPartLevel* NestedLevel() const { return m_nested.get(); }

    int32_t ItemNumber() const { return m_itemNumber; }
    const std::string& Text() const { return m_text; }
    int32_t Width() const { return m_width; }
    // Keeps the parent line's fixed-width sum and count right.
    void SetWidth(int32_t width);
    uint8_t Border() const { return m_border; }
    bool HasBorder() const { return m_border != 0; }
    int32_t Alignment() const { return m_alignment; }
    bool WordWrap() const { return m_wordWrap; }
    bool HasBackground() const { return m_background.has_value(); }
    std::optional<uint32_t> Background() const { return m_background; }
    std::optional<uint32_t> Foreground() const { return m_foreground; }
    int32_t RowCount() const;
    CWindowListLinePart* ParentLine() const { return m_parentLine; }

    // Reading order over the whole tree, descending into nested groups.
    CWindowListUnitPart* NextUnit() const;
    CWindowListUnitPart* PreviousUnit() const;
    // First and last unit of the whole layout this unit belongs to.
    CWindowListUnitPart* FirstUnit() const;
    CWindowListUnitPart* LastUnit() const;

private:
    // Empty text, or a group nested beyond kMaxNesting, keeps no nested level.
    void ReadNestedLevel(std::string_view body, const ParseContext& context);
    CWindowListUnitPart* NextSibling() const;      // in this unit's line or level, no descent
    CWindowListUnitPart* PreviousSibling() const;

    CWindowListLinePart* m_parentLine;
    Kind m_kind = Kind::Item;
    int32_t m_itemNumber = 0;
    std::string m_text;
    int32_t m_width = 0;
    uint8_t m_border = 0;
    int32_t m_alignment = kDefaultAlignment;
    bool m_wordWrap = false;
    std::optional<uint32_t> m_background;
    std::optional<uint32_t> m_foreground;
    std::unique_ptr<CWindowListPartLevel> m_nested;
};
