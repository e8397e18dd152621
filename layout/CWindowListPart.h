#pragma once
// A placed part: the unit it stands for (not owned) and its rectangle.
#include <cstdint>
#include <optional>

#include "layout/CWindowListUnitPart.h"
#include "layout/LayoutRect.h"

class CWindowListPart {
public:
    CWindowListPart() = default;
    CWindowListPart(CWindowListUnitPart* unit, const LayoutRect& rect)
        : m_unit(unit), m_rect(rect) {}

    // Not const: hosts set widths of the units they measure while painting.
    CWindowListUnitPart* Unit() const { return m_unit; }
    const LayoutRect& Rect() const { return m_rect; }
    LayoutRect& Rect() { return m_rect; }

    bool IsItem() const { return m_unit && m_unit->IsItem(); }
    bool IsText() const { return m_unit && m_unit->IsText(); }
    bool IsGroup() const { return m_unit && m_unit->IsGroup(); }
    bool HasNestedLevel() const { return m_unit && m_unit->HasNestedLevel(); }
    int32_t ItemNumber() const { return m_unit ? m_unit->ItemNumber() : 0; }
    uint8_t Border() const { return m_unit ? m_unit->Border() : 0; }
    bool HasBorder() const { return m_unit && m_unit->HasBorder(); }
    int32_t Alignment() const {
        return m_unit ? m_unit->Alignment() : CWindowListUnitPart::kDefaultAlignment;
    }
    bool WordWrap() const { return m_unit && m_unit->WordWrap(); }
    std::optional<uint32_t> Background() const {
        return m_unit ? m_unit->Background() : std::nullopt;
    }
    std::optional<uint32_t> Foreground() const {
        return m_unit ? m_unit->Foreground() : std::nullopt;
    }

private:
    CWindowListUnitPart* m_unit = nullptr;
    LayoutRect m_rect;
};

// Where content of size cx x cy goes inside `part` for an alignment value:
// low nibble horizontal, next nibble vertical (0 start, 1 centre, 2 or more
// end); the content is clipped to the part's size.
LayoutRect AlignContent(const LayoutRect& part, int32_t cx, int32_t cy, int32_t alignment);
