#pragma once
// An arrangement: placed parts in the order arranging placed them, with a
// read cursor and the drawing state copied from the root level.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "layout/CWindowListPart.h"

class CWindowListPartLevel;

class CWindowListPartCache {
public:
    explicit CWindowListPartCache(const CWindowListPartLevel* level = nullptr) : m_level(level) {}
    virtual ~CWindowListPartCache() = default;

    // The add-part action; false stops the arrangement. By default: append.
    virtual bool AddPart(CWindowListUnitPart& unit, const LayoutRect& rect);

    const std::vector<CWindowListPart>& Parts() const { return m_parts; }
    size_t Count() const { return m_parts.size(); }
    bool Empty() const { return m_parts.empty(); }
    void Clear();
    // Replaces the parts and drawing state with `other`'s, moved by (dx, dy).
    void CopyFrom(const CWindowListPartCache& other, int32_t dx, int32_t dy);

    // Read cursor: starts before the first part.
    void Rewind() { m_cursor = -1; }
    bool MoveNext();
    const CWindowListPart& Current() const { return m_parts[static_cast<size_t>(m_cursor)]; }
    long Cursor() const { return m_cursor; }

    const CWindowListPartLevel* Level() const { return m_level; }
    bool Debug() const { return m_debug; }
    uint8_t Dgl() const { return m_dgl; }
    void SetDrawingState(bool debug, uint8_t dgl) { m_debug = debug; m_dgl = dgl; }

private:
    std::vector<CWindowListPart> m_parts;
    long m_cursor = -1;
    const CWindowListPartLevel* m_level;
    bool m_debug = false;
    uint8_t m_dgl = 0;
};
