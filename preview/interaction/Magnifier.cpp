#include "Magnifier.h"

#include <algorithm>
#include <cstdlib>

bool PressIsClick(unsigned downTick, unsigned upTick, PlainPoint down, PlainPoint up) {
    // Unsigned difference: the tick count wraps after 49.7 days.
    return upTick - downTick < 256u && std::abs(up.x - down.x) <= 2 && std::abs(up.y - down.y) <= 2;
}

ScrollPositions PanPositions(ScrollPositions start, PlainPoint startPointer, PlainPoint pointer, int pageHeight,
                             int overflowY) {
    ScrollPositions p;
    p.h = start.h + startPointer.x - pointer.x;
    p.v = start.v;
    if (overflowY > 0 && pageHeight > 0) {
        const int b = start.v / pageHeight * pageHeight;
        p.v = b + std::min(std::max(startPointer.y - pointer.y + (start.v - b), 0), overflowY);
    }
    return p;
}

ScrollPositions ZoomAtPoint(PlainPoint point, const PlainRect& oldPage, int newPageWidth, int newPageHeight,
                            int clientWidth, int clientHeight, int currentV, int overflowY) {
    ScrollPositions p;
    p.h = PlainMulDiv(point.x - oldPage.left + 7, newPageWidth, oldPage.Width()) - clientWidth / 2;
    const int down = PlainMulDiv(point.y - oldPage.top + 7, newPageHeight, oldPage.Height()) - clientHeight / 2;
    p.v = currentV + std::min(std::max(down, 0), std::max(overflowY, 0));
    return p;
}

bool MagnifiesIn(int magnifyZoom, int zoom, int savedZoom) {
    return magnifyZoom > zoom || (magnifyZoom == zoom && magnifyZoom < savedZoom);
}

namespace {

double Fraction(int offset, int extent) {
    if (extent <= 0) return 0;
    return std::clamp(static_cast<double>(offset) / extent, 0.0, 1.0);
}

}  // namespace

SelectionFractions SelectionFromDrag(PlainPoint anchor, PlainPoint end, const PlainRect& page, bool* big) {
    const int w = page.Width(), h = page.Height();
    const PlainPoint endOnPage{end.x - page.left, end.y - page.top};
    SelectionFractions f;
    f.left = Fraction(std::min(anchor.x, endOnPage.x), w);
    f.right = Fraction(std::max(anchor.x, endOnPage.x), w);
    f.top = Fraction(std::min(anchor.y, endOnPage.y), h);
    f.bottom = Fraction(std::max(anchor.y, endOnPage.y), h);
    if (big) *big = (f.right - f.left) * w >= 4 && (f.bottom - f.top) * h >= 4;
    return f;
}

PlainRect SelectionRect(const PlainRect& page, const SelectionFractions& f) {
    const double w = page.Width(), h = page.Height();
    return PlainRect{page.left + static_cast<int>(f.left * w), page.top + static_cast<int>(f.top * h),
                     page.left + static_cast<int>(f.right * w), page.top + static_cast<int>(f.bottom * h)};
}
