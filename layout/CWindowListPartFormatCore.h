#pragma once
// The platform-free heart of the root layout context: parsed layouts per CRD
// text, arranging into a rectangle, hit-testing, locating items and the
// neighbour searches used for keyboard movement. The Windows-side
// CWindowListPartFormatLevel derives from this (and from
// CWindowListPartPainter) and adds the device-context hooks.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "layout/CWindowListPart.h"
#include "layout/CWindowListPartCache.h"
#include "layout/CWindowListPartLevel.h"
#include "layout/LayoutRect.h"

class CWindowListPartFormatCore {
public:
    CWindowListPartFormatCore() = default;
    virtual ~CWindowListPartFormatCore() = default;
    CWindowListPartFormatCore(const CWindowListPartFormatCore&) = delete;
    CWindowListPartFormatCore& operator=(const CWindowListPartFormatCore&) = delete;

    // Parsed root level for the exact text, parsed on first use; null for "".
    CWindowListPartLevel* GetLayout(std::string_view text);
    size_t LayoutCount() const { return m_layouts.size(); }

    // Copies the stored arrangement for the rectangle's size into `out`, moved
    // to the rectangle; false (and `out` empty) without layout or lines.
    bool ArrangeInto(std::string_view text, const LayoutRect& rect, CWindowListPartCache& out);
    // First placed part without a nested level that contains the point.
    bool HitTest(LayoutPoint point, std::string_view text, const LayoutRect& rect,
                 CWindowListPart& out);
    // First placed item unit with that number, in placement order.
    bool LocateItem(int32_t item, std::string_view text, const LayoutRect& rect,
                    CWindowListPart& out);

    // Nearest item part in a direction from the part at `current`; the answer
    // is that item's rectangle as ItemRect gives it.
    bool NeighbourBelow(std::string_view text, const LayoutRect& rect, const LayoutRect& current,
                        LayoutRect& out);
    bool NeighbourAbove(std::string_view text, const LayoutRect& rect, const LayoutRect& current,
                        LayoutRect& out);
    bool NeighbourLeft(std::string_view text, const LayoutRect& rect, const LayoutRect& current,
                       LayoutRect& out);
    bool NeighbourRight(std::string_view text, const LayoutRect& rect, const LayoutRect& current,
                        LayoutRect& out);

    // Item-rectangle lookup: the union of every part of that item number in a
    // fresh arrangement (the host treats an item number as one button).
    virtual bool ItemRect(std::string_view text, const LayoutRect& rect, int32_t item,
                          LayoutRect& out);

    // Calls `visit` for each placed part in placement order (for painting and
    // hot-tracking); false when there is nothing arranged.
    bool ForEachPart(std::string_view text, const LayoutRect& rect,
                     const std::function<void(const CWindowListPart&)>& visit);

private:
    enum class Direction { Below, Above, Left, Right };
    bool Neighbour(Direction direction, std::string_view text, const LayoutRect& rect,
                   const LayoutRect& current, LayoutRect& out);

    std::map<std::string, std::unique_ptr<CWindowListPartLevel>, std::less<>> m_layouts;
};
