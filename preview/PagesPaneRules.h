#pragma once
// The arithmetic of the pages pane: its width, where each thumbnail goes in one column, which
// rows show, what a point hits, how keys move the current page, and the go-to box's number.
// Plain numbers in and out; the pane window gathers the inputs and paints what comes back.
#include <cstdint>
#include <string>

namespace pane {

constexpr int kDefaultWidth = 140;
constexpr int kMinWidth = 64;    // below this a thumbnail says nothing: the pane steps aside
constexpr int kMaxWidth = 600;
constexpr int kMargin = 12;      // left and right of a thumbnail
constexpr int kRowGap = 8;       // above each thumbnail
constexpr int kLabelHeight = 18; // the page number under a thumbnail

// A stored width as text: a number is clamped to [kMinWidth, kMaxWidth]; anything else
// (empty, letters, a sign alone, trailing junk) gives the default.
int WidthFromText(const std::string& text);
int ClampWidth(int64_t width);
// The width the pane takes of a frame area `available` wide: none while hidden; at most half
// of the area, so the pages keep the larger part; none when that leaves under kMinWidth.
int ShownWidth(bool shown, int width, int available);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// One thumbnail's size and the height of its row (gap, thumbnail, label), for a client
// `clientWidth` wide and paper of the given proportions (any unit; none: A4).
struct Layout {
    int thumbWidth = 0, thumbHeight = 0, rowHeight = 1;
};
Layout ThumbnailLayout(int clientWidth, int paperWidth, int paperHeight);

// Row `index`'s thumbnail and label in client coordinates, the pane scrolled by `scroll` pixels.
Rect ThumbnailRect(const Layout& l, int index, int64_t scroll);
Rect LabelRect(const Layout& l, int index, int64_t scroll);
int64_t TotalHeight(const Layout& l, int count);

// The rows [first, end) that a client `height` tall shows, scrolled by `scroll`.
struct Rows {
    int first = 0, end = 0;
};
Rows RowsInView(const Layout& l, int64_t scroll, int height, int count);
// The page whose thumbnail or label holds the client point, or -1.
int HitTest(const Layout& l, int x, int y, int64_t scroll, int count);
// The scroll position that shows row `index` whole, moving as little as it can; clamped to
// the range of `count` rows in a client `height` tall.
int64_t ScrollToShow(const Layout& l, int index, int64_t scroll, int height, int count);
int64_t ClampScroll(const Layout& l, int64_t scroll, int height, int count);

enum class Key { Up, Down, PageUp, PageDown, Home, End };
// The current page after a key: within 0 .. count - 1; a page of rows is what the client shows.
int PageAfterKey(Key key, int current, int count, const Layout& l, int height);

// The go-to box's text as a page index (0-based): digits only, spaces around allowed, from 1 to
// `count`; -1 for anything else.
int PageFromText(const std::string& text, int count);

}  // namespace pane
