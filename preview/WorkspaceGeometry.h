#pragma once
// The arithmetic of the preview workspace: page sizes, zoom, the grid of pages, scroll ranges
// and where the visible pages go. Plain numbers in, plain numbers out: the window gathers the
// inputs (client size, paper, screen resolution, scroll positions) and paints what comes back.
#include <vector>

namespace geometry {

struct Size {
    int cx = 0, cy = 0;
    bool operator==(const Size& o) const { return cx == o.cx && cy == o.cy; }
};
struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

constexpr int kGap = 4;          // between pages, across and down
constexpr int kSpacing = 4;      // around the grid
constexpr int kShadow = 4;       // inside each page rectangle, right and bottom
constexpr int kSmallestPage = 128;  // the shorter side of a page never goes below this

// a * b / c rounded to the nearest, as the system's MulDiv; -1 when c is 0.
int MulDiv(int a, int b, int c);

// The size of one page when xPages x yPages pages fill `inner` (the client area less the
// spacing), in the paper's proportions; never smaller than the smallest page.
Size FitSize(Size inner, int xPages, int yPages, Size paper);
// A page of the smallest size in the paper's proportions.
Size SmallestPage(Size paper);
// The page at `zoom` percent of its size at 100%.
Size ZoomedSize(Size size100, int zoom);
// The largest grid of smallest pages that fits in `inner`: columns, rows.
Size LargestGrid(Size inner, Size paper);
// As many pages across and down as fit in the client area at the page size, at least 1 x 1.
Size PagesAtSize(Size client, Size page);
// How far xPages x yPages pages of `page` size reach past the client area (negative: room left).
Size Overflow(int xPages, int yPages, Size page, Size client);

struct ScrollRange {
    int max = 0;   // the range runs from 0
    int page = 0;
    int pos = 0;
};
// Across: the width of the whole grid, one client width per page, at 0.
ScrollRange HorizontalRange(int xPages, int pageWidth, int clientWidth);
// Down: whole screenfuls of pages (a step of one page height per screenful row) plus the
// overflow of one screenful; the position is the first page's.
ScrollRange VerticalRange(int pageCount, int pagesPerScreen, int pageHeight, int overflowY, int firstPage);

struct PlacedPage {
    int index;
    Rect rect;  // client coordinates, shadow included
};
// The pages of the screenful that starts at `firstPage`, as they appear in a client area of
// `client` size scrolled to (hpos, vpos); `spacing` is the room kept around the grid.
std::vector<PlacedPage> PlaceVisiblePages(Size client, const Rect& spacing, int xPages, int yPages, Size page,
                                          int hpos, int vpos, int firstPage, int pageCount);

// The first page of the screenful that shows `page` (EnsureVisible's choice), given the one
// shown now; unchanged when the page is on screen already.
int FirstPageShowing(int page, int firstPage, int xPages, int pagesPerScreen, int pageCount);

}  // namespace geometry
