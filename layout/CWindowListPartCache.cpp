#include "layout/CWindowListPartCache.h"

bool CWindowListPartCache::AddPart(CWindowListUnitPart& unit, const LayoutRect& rect) {
    m_parts.emplace_back(&unit, rect);
    return true;
}

void CWindowListPartCache::Clear() {
    m_parts.clear();
    m_cursor = -1;
    m_level = nullptr;
    m_debug = false;
    m_dgl = 0;
}

void CWindowListPartCache::CopyFrom(const CWindowListPartCache& other, int32_t dx, int32_t dy) {
    m_parts = other.m_parts;
    for (CWindowListPart& part : m_parts) part.Rect().Offset(dx, dy);
    m_cursor = -1;
    m_level = other.m_level;
    m_debug = other.m_debug;
    m_dgl = other.m_dgl;
}

bool CWindowListPartCache::MoveNext() {
    if (m_cursor + 1 >= static_cast<long>(m_parts.size())) return false;
    ++m_cursor;
    return true;
}
