#include "HTMLDrawGeometry.h"

#include <algorithm>

namespace htmldraw {

namespace {

// Top of a box of the given height centred on the cell.
int64_t CentredTop(const HTMLRect& cell, int64_t height) {
    return cell.top + (static_cast<int64_t>(cell.bottom) - cell.top - height) / 2;
}

}  // namespace

HTMLRect IconRect(const HTMLRect& cell, bool rightAligned, int32_t size) {
    const int64_t left = rightAligned ? static_cast<int64_t>(cell.right) - size : cell.left;
    const int64_t top = CentredTop(cell, size);
    return {Clamp32(left), Clamp32(top), Clamp32(left + size), Clamp32(top + size)};
}

HTMLRect PictureRect(const HTMLRect& cell, int32_t width, HTMLSize natural) {
    if (natural.cx == 0) return {cell.left, cell.top, cell.left, cell.top};
    const double exact = static_cast<double>(natural.cy) * width / natural.cx;
    const int64_t height = static_cast<int64_t>(std::clamp(exact, double(INT32_MIN), double(INT32_MAX)));
    const int64_t top = CentredTop(cell, height);
    return {cell.left, Clamp32(top), Clamp32(static_cast<int64_t>(cell.left) + width), Clamp32(top + height)};
}

HTMLRect BaselineRect(const HTMLRect& cell, int32_t runHeight, int32_t runDescent, int32_t baseDescent) {
    const int64_t shift = static_cast<int64_t>(runDescent) - baseDescent;
    return {cell.left, Clamp32(cell.bottom - static_cast<int64_t>(runHeight) + shift), cell.right,
            Clamp32(cell.bottom + shift)};
}

LinePixels LinePixelsOf(int32_t left, int32_t style) {
    if (style == 2) return {Clamp32(static_cast<int64_t>(left) + (left & 1)), 2};
    return {left, 1};
}

Highlight HighlightInRun(Highlight range, int32_t textLength, Highlight& next) {
    next = {Clamp32(static_cast<int64_t>(range.start) - textLength), range.count};
    const int32_t from = std::max(range.start, 0);
    const int32_t to = Clamp32(std::min<int64_t>(static_cast<int64_t>(range.start) + range.count, textLength));
    return to > from ? Highlight{from, to - from} : Highlight{from, 0};
}

}  // namespace htmldraw
