#include "HTMLDrawGeometry.h"

#include <algorithm>

namespace htmldraw {

HTMLRect IconRect(const HTMLRect& cell, bool rightAligned) {
    const int32_t left = rightAligned ? cell.right - 16 : cell.left;
    const int32_t top = cell.top + (cell.bottom - cell.top - 16) / 2;
    return {left, top, left + 16, top + 16};
}

HTMLRect PictureRect(const HTMLRect& cell, int32_t width, HTMLSize natural) {
    if (natural.cx == 0) return {cell.left, cell.top, cell.left, cell.top};
    const int32_t height = static_cast<int32_t>(static_cast<double>(natural.cy) * width / natural.cx);
    const int32_t top = cell.top + (cell.bottom - cell.top - height) / 2;
    return {cell.left, top, cell.left + width, top + height};
}

HTMLRect BaselineRect(const HTMLRect& cell, int32_t runHeight, int32_t runDescent, int32_t baseDescent) {
    const int32_t shift = runDescent - baseDescent;
    return {cell.left, cell.bottom - runHeight + shift, cell.right, cell.bottom + shift};
}

LinePixels LinePixelsOf(int32_t left, int32_t style) {
    if (style == 2) return {left + (left & 1), 2};
    return {left, 1};
}

Highlight HighlightInRun(Highlight range, int32_t textLength, Highlight& next) {
    next = {range.start - textLength, range.count};
    const int32_t from = std::max(range.start, 0);
    const int32_t to = std::min(range.start + range.count, textLength);
    return to > from ? Highlight{from, to - from} : Highlight{from, 0};
}

}  // namespace htmldraw
