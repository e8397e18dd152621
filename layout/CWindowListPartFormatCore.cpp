#include "layout/CWindowListPartFormatCore.h"

#include <climits>
#include <cstdlib>

CWindowListPartLevel* CWindowListPartFormatCore::GetLayout(std::string_view text) {
    if (text.empty()) return nullptr;
    auto found = m_layouts.find(text);
    if (found != m_layouts.end()) return found->second.get();
    auto level = std::make_unique<CWindowListPartLevel>();
    level->ParseRoot(text);
    return m_layouts.emplace(std::string(text), std::move(level)).first->second.get();
}

bool CWindowListPartFormatCore::ArrangeInto(std::string_view text, const LayoutRect& rect,
                                            CWindowListPartCache& out) {
    out.Clear();
    CWindowListPartLevel* level = GetLayout(text);
    if (!level) return false;
    // Sizes beyond 32 bits (a rectangle spanning both signs) are cut so every
    // part still fits inside the rectangle.
    auto clamp = [](int64_t v) { return static_cast<int32_t>(v > INT32_MAX ? INT32_MAX : v); };
    const CWindowListPartCache* arranged =
        level->Arrangement(clamp(rect.Width()), clamp(rect.Height()));
    if (!arranged) return false;
    out.CopyFrom(*arranged, rect.left, rect.top);
    return true;
}

bool CWindowListPartFormatCore::HitTest(LayoutPoint point, std::string_view text,
                                        const LayoutRect& rect, CWindowListPart& out) {
    CWindowListPartCache cache;
    if (!ArrangeInto(text, rect, cache)) return false;
    for (const CWindowListPart& part : cache.Parts()) {
        if (!part.HasNestedLevel() && part.Rect().Contains(point)) {
            out = part;
            return true;
        }
    }
    return false;
}

bool CWindowListPartFormatCore::LocateItem(int32_t item, std::string_view text,
                                           const LayoutRect& rect, CWindowListPart& out) {
    CWindowListPartCache cache;
    if (!ArrangeInto(text, rect, cache)) return false;
    for (const CWindowListPart& part : cache.Parts()) {
        if (part.IsItem() && part.ItemNumber() == item) {
            out = part;
            return true;
        }
    }
    return false;
}

bool CWindowListPartFormatCore::ItemRect(std::string_view text, const LayoutRect& rect,
                                         int32_t item, LayoutRect& out) {
    CWindowListPartCache cache;
    if (!ArrangeInto(text, rect, cache)) return false;
    bool found = false;
    LayoutRect all;
    for (const CWindowListPart& part : cache.Parts()) {
        if (part.IsItem() && part.ItemNumber() == item) {
            all = UnionRect(all, part.Rect());
            found = true;
        }
    }
    if (found) out = all;
    return found;
}

bool CWindowListPartFormatCore::ForEachPart(
    std::string_view text, const LayoutRect& rect,
    const std::function<void(const CWindowListPart&)>& visit) {
    CWindowListPartCache cache;
    if (!ArrangeInto(text, rect, cache)) return false;
    for (const CWindowListPart& part : cache.Parts()) visit(part);
    return true;
}

bool CWindowListPartFormatCore::NeighbourBelow(std::string_view text, const LayoutRect& rect,
                                               const LayoutRect& current, LayoutRect& out) {
    return Neighbour(Direction::Below, text, rect, current, out);
}
bool CWindowListPartFormatCore::NeighbourAbove(std::string_view text, const LayoutRect& rect,
                                               const LayoutRect& current, LayoutRect& out) {
    return Neighbour(Direction::Above, text, rect, current, out);
}
bool CWindowListPartFormatCore::NeighbourLeft(std::string_view text, const LayoutRect& rect,
                                              const LayoutRect& current, LayoutRect& out) {
    return Neighbour(Direction::Left, text, rect, current, out);
}
bool CWindowListPartFormatCore::NeighbourRight(std::string_view text, const LayoutRect& rect,
                                               const LayoutRect& current, LayoutRect& out) {
    return Neighbour(Direction::Right, text, rect, current, out);
}

bool CWindowListPartFormatCore::Neighbour(Direction direction, std::string_view text,
                                          const LayoutRect& rect, const LayoutRect& current,
                                          LayoutRect& out) {
    CWindowListPartCache cache;
    if (!ArrangeInto(text, rect, cache)) return false;
    const CWindowListPart* best = nullptr;
    int64_t bestGap = 0, bestOffset = 0;
    for (const CWindowListPart& part : cache.Parts()) {
        // Keyboard movement goes from button to button: only item parts count.
        if (!part.IsItem() || part.Rect() == current) continue;
        const LayoutRect& c = part.Rect();
        int64_t gap = 0, offset = 0;
        switch (direction) {
        case Direction::Below:
            gap = int64_t(c.top) - current.bottom;
            offset = std::llabs(int64_t(c.left) - current.left);
            break;
        case Direction::Above:
            gap = int64_t(current.top) - c.bottom;
            offset = std::llabs(int64_t(c.left) - current.left);
            break;
        case Direction::Left:
            gap = int64_t(current.left) - c.right;
            offset = std::llabs(int64_t(c.top) - current.top);
            break;
        case Direction::Right:
            gap = int64_t(c.left) - current.right;
            offset = std::llabs(int64_t(c.top) - current.top);
            break;
        }
        // Sideways moves stay in the current row: the candidate must share
        // some of the current part's vertical extent.
        if ((direction == Direction::Left || direction == Direction::Right) &&
            (c.bottom <= current.top || c.top >= current.bottom))
            continue;
        if (gap < 0) continue;
        if (!best || gap < bestGap || (gap == bestGap && offset < bestOffset)) {
            best = &part;
            bestGap = gap;
            bestOffset = offset;
        }
    }
    return best && ItemRect(text, rect, best->ItemNumber(), out);
}
