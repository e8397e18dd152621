#include "WorkspaceGeometry.h"
#include <algorithm>
#include <cstdint>

namespace geometry {

int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t product = int64_t(a) * b;
    const int64_t half = (c < 0 ? -int64_t(c) : int64_t(c)) / 2;
    const bool negative = (product < 0) != (c < 0);
    const int64_t magnitude = ((product < 0 ? -product : product) + half) / (c < 0 ? -int64_t(c) : int64_t(c));
    return static_cast<int>(negative ? -magnitude : magnitude);
}

Size SmallestPage(Size paper) {
    if (paper.cx <= 0 || paper.cy <= 0) return {kSmallestPage, kSmallestPage};
    if (paper.cx >= paper.cy) return {MulDiv(kSmallestPage, paper.cx, paper.cy), kSmallestPage};
    return {kSmallestPage, MulDiv(kSmallestPage, paper.cy, paper.cx)};
}

Size FitSize(Size inner, int xPages, int yPages, Size paper) {
    xPages = std::max(xPages, 1);
    yPages = std::max(yPages, 1);
    if (paper.cx <= 0 || paper.cy <= 0) return SmallestPage(paper);
    int w = (inner.cx - (xPages - 1) * kGap) / xPages;
    int h = (inner.cy - (yPages - 1) * kGap) / yPages;
    const int proportional = MulDiv(w, paper.cy, paper.cx);
    if (proportional > h)
        w = MulDiv(h, paper.cx, paper.cy);
    else
        h = proportional;
    if (w < kSmallestPage || h < kSmallestPage) return SmallestPage(paper);
    return {w, h};
}

Size ZoomedSize(Size size100, int zoom) { return {MulDiv(size100.cx, zoom, 100), MulDiv(size100.cy, zoom, 100)}; }

Size LargestGrid(Size inner, Size paper) {
    const Size smallest = SmallestPage(paper);
    return {std::max((inner.cx + kGap) / (kGap + smallest.cx), 0), std::max((inner.cy + kGap) / (kGap + smallest.cy), 0)};
}

Size PagesAtSize(Size client, Size page) {
    return {std::max(client.cx / std::max(page.cx + kGap, 1), 1), std::max(client.cy / std::max(page.cy + kGap, 1), 1)};
}

Size Overflow(int xPages, int yPages, Size page, Size client) {
    return {(xPages - 1) * kGap + xPages * page.cx - client.cx, (yPages - 1) * kGap + yPages * page.cy - client.cy};
}

ScrollRange HorizontalRange(int xPages, int pageWidth, int clientWidth) {
    return {(xPages - 1) * kGap + xPages * pageWidth, clientWidth, 0};
}

ScrollRange VerticalRange(int pageCount, int pagesPerScreen, int pageHeight, int overflowY, int firstPage) {
    const int n = std::max(pageCount, pagesPerScreen);
    return {(n - pagesPerScreen + 1) * pageHeight + std::max(overflowY, 0) - 1, pageHeight, firstPage * pageHeight};
}

std::vector<PlacedPage> PlaceVisiblePages(Size client, const Rect& spacing, int xPages, int yPages, Size page,
                                          int hpos, int vpos, int firstPage, int pageCount) {
    std::vector<PlacedPage> placed;
    const int w = page.cx, h = page.cy;
    if (w <= 0 || h <= 0 || xPages < 1 || yPages < 1) return placed;
    const int totalW = (xPages - 1) * kGap + xPages * w;
    const int totalH = (yPages - 1) * kGap + yPages * h;
    Rect r{spacing.left, spacing.top, std::max(client.cx, totalW) - spacing.right,
           std::max(client.cy, totalH) - spacing.bottom};
    // Within a screenful taller than the window, the position scrolls by pixels.
    const int v = totalH > r.Height() ? vpos % h : 0;
    // Centre the grid in what is left.
    const int excessX = r.Width() - totalW, excessY = r.Height() - totalH;
    r.left += excessX / 2;
    r.right -= excessX / 2;
    r.top += excessY / 2;
    r.bottom -= excessY / 2;
    const int columnsOff = hpos / (w + kGap);
    r.left += columnsOff * (w + kGap);
    r.right += columnsOff * (w + kGap);
    const int fitting = r.Width() / (w + kGap);
    int rowFirst = firstPage + columnsOff;
    int y = r.top;
    for (int row = 0; row < yPages && rowFirst < pageCount; ++row) {
        if (y - v >= client.cy) break;
        int x = r.left;
        // Columns scrolled off the left belong to this row too: the row holds xPages in all.
        for (int index = rowFirst, n = 0;
             index < pageCount && index < rowFirst + fitting + 1 && n < xPages - columnsOff;
             ++index, ++n) {
            placed.push_back({index, {x - hpos, y - v, x - hpos + w, y - v + h}});
            x += w + kGap;
        }
        y += h + kGap;
        rowFirst += xPages;
    }
    return placed;
}

int FirstPageShowing(int page, int firstPage, int xPages, int perScreen, int pageCount) {
    if (perScreen < 1 || (page >= firstPage && page < firstPage + perScreen)) return firstPage;
    const int c = std::max(xPages, 1);
    int f = (page / perScreen) * perScreen;
    if (f != 0 && f < pageCount - (firstPage % c) - perScreen) f += firstPage % c;
    if (f >= pageCount - perScreen) f = pageCount - perScreen;
    return std::max(f, 0);
}

}  // namespace geometry
