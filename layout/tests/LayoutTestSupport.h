#pragma once
// Small helpers shared by the layout tests.
#include <memory>
#include <sstream>
#include <string>
#include <string_view>

#include "layout/CWindowListLinePart.h"
#include "layout/CWindowListPartCache.h"
#include "layout/CWindowListPartLevel.h"
#include "layout/CWindowListUnitPart.h"

inline std::unique_ptr<CWindowListPartLevel> ParseLayout(std::string_view text) {
    auto level = std::make_unique<CWindowListPartLevel>();
    level->ParseRoot(text);
    return level;
}

inline void PrintTo(const LayoutRect& r, std::ostream* os) {
    *os << '(' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom << ')';
}

// Unit i of line l (both lists in reading order).
inline const CWindowListUnitPart& UnitOf(const CWindowListPartLevel& level, size_t l, size_t i) {
    return *level.LineAt(l)->UnitAt(i);
}

// "item@left,top,right,bottom" per part, "g" for groups and "t" for texts.
inline std::string Placed(const CWindowListPartCache& cache) {
    std::ostringstream out;
    for (const CWindowListPart& p : cache.Parts()) {
        if (out.tellp() > 0) out << ' ';
        if (p.IsGroup()) out << 'g';
        else if (p.IsText()) out << 't';
        else out << p.ItemNumber();
        const LayoutRect& r = p.Rect();
        out << '@' << r.left << ',' << r.top << ',' << r.right << ',' << r.bottom;
    }
    return out.str();
}

inline std::string Arranged(std::string_view text, int32_t w, int32_t h) {
    auto level = ParseLayout(text);
    const CWindowListPartCache* cache = level->Arrangement(w, h);
    return cache ? Placed(*cache) : "none";
}
