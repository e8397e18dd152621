#pragma once
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

// A parsed level written back compactly: lines split by "/", units by ",", a "|" where the
// second list starts, "h;" for a line's height, groups in parentheses ("(-)" without a level),
// texts quoted, then ":width" and the attributes that differ from the defaults.
inline std::string Shape(const CWindowListPartLevel& level);
inline std::string Shape(const CWindowListUnitPart& u) {
    std::string s = u.IsGroup()  ? (u.HasNestedLevel() ? "(" + Shape(*u.NestedLevel()) + ")" : "(-)")
                    : u.IsText() ? "\"" + u.Text() + "\""
                                 : std::to_string(u.ItemNumber());
    if (u.Width()) s += ":" + std::to_string(u.Width());
    if (u.Border()) s += "[b" + std::to_string(u.Border()) + "]";
    if (u.Alignment() != 16) s += "[a" + std::to_string(u.Alignment()) + "]";
    if (u.HasBackground()) s += "[bg" + std::to_string(*u.Background()) + "]";
    if (u.Foreground()) s += "[fg" + std::to_string(*u.Foreground()) + "]";
    if (u.WordWrap()) s += "[ww]";
    return s;
}
inline std::string Shape(const CWindowListLinePart& line) {
    std::string s = line.Height() ? std::to_string(line.Height()) + ";" : "";
    for (size_t i = 0; i < line.UnitCount(); ++i) {
        if (i) s += ",";
        if (i == line.FirstList().size()) s += "|,";
        s += Shape(*line.UnitAt(i));
    }
    return s;
}
inline std::string Shape(const CWindowListPartLevel& level) {
    std::string s;
    for (size_t i = 0; i < level.LineCount(); ++i) {
        if (i) s += "/";
        if (i == level.FirstList().size()) s += "|/";
        s += Shape(*level.LineAt(i));
    }
    return s;
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
