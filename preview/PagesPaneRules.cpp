#include "PagesPaneRules.h"
#include <algorithm>

namespace pane {

namespace {

// Digits with spaces around; false for anything else or more than 18 digits.
bool ParseNumber(const std::string& text, bool allowMinus, int64_t* value) {
    size_t i = text.find_first_not_of(' ');
    const size_t last = text.find_last_not_of(' ');
    if (i == std::string::npos) return false;
    const bool negative = allowMinus && text[i] == '-';
    if (negative) ++i;
    if (i > last || last - i >= 18) return false;
    int64_t v = 0;
    for (; i <= last; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        v = v * 10 + (text[i] - '0');
    }
    *value = negative ? -v : v;
    return true;
}

}  // namespace

int ClampWidth(int64_t width) { return static_cast<int>(std::clamp<int64_t>(width, kMinWidth, kMaxWidth)); }

int WidthFromText(const std::string& text) {
    int64_t v = 0;
    // A number too long to read is a huge one.
    const size_t digits = text.find_first_not_of("0123456789");
    if (!text.empty() && digits == std::string::npos && text.size() >= 18) return kMaxWidth;
    return ParseNumber(text, true, &v) ? ClampWidth(v) : kDefaultWidth;
}

int ShownWidth(bool shown, int width, int available) {
    if (!shown) return 0;
    const int w = std::min(ClampWidth(width), available / 2);
    return w < kMinWidth ? 0 : w;
}

Layout ThumbnailLayout(int clientWidth, int paperWidth, int paperHeight) {
    if (paperWidth <= 0 || paperHeight <= 0) paperWidth = 210, paperHeight = 297;
    Layout l;
    l.thumbWidth = std::max(clientWidth - 2 * kMargin, 8);
    l.thumbHeight = static_cast<int>(int64_t(l.thumbWidth) * paperHeight / paperWidth);
    // A strip of paper must not make rows of thousands of pixels, nor rows of none.
    l.thumbHeight = std::clamp(l.thumbHeight, 8, 4 * l.thumbWidth);
    l.rowHeight = kRowGap + l.thumbHeight + kLabelHeight;
    return l;
}

Rect ThumbnailRect(const Layout& l, int index, int64_t scroll) {
    const int top = static_cast<int>(int64_t(index) * l.rowHeight - scroll) + kRowGap;
    return {kMargin, top, kMargin + l.thumbWidth, top + l.thumbHeight};
}

Rect LabelRect(const Layout& l, int index, int64_t scroll) {
    const Rect t = ThumbnailRect(l, index, scroll);
    return {t.left, t.bottom, t.right, t.bottom + kLabelHeight};
}

int64_t TotalHeight(const Layout& l, int count) { return int64_t(std::max(count, 0)) * l.rowHeight + kRowGap; }

Rows RowsInView(const Layout& l, int64_t scroll, int height, int count) {
    if (count <= 0 || height <= 0) return {};
    const int64_t first = std::max<int64_t>(scroll, 0) / l.rowHeight;
    const int64_t end = (std::max<int64_t>(scroll, 0) + height + l.rowHeight - 1) / l.rowHeight;
    return {static_cast<int>(std::min<int64_t>(first, count)), static_cast<int>(std::min<int64_t>(end, count))};
}

int HitTest(const Layout& l, int x, int y, int64_t scroll, int count) {
    if (x < kMargin || x >= kMargin + l.thumbWidth) return -1;
    const int64_t at = scroll + y;
    if (at < 0) return -1;
    const int64_t row = at / l.rowHeight;
    if (row >= count || at - row * l.rowHeight < kRowGap) return -1;
    return static_cast<int>(row);
}

int64_t ClampScroll(const Layout& l, int64_t scroll, int height, int count) {
    const int64_t most = std::max<int64_t>(TotalHeight(l, count) - std::max(height, 0), 0);
    return std::clamp<int64_t>(scroll, 0, most);
}

int64_t ScrollToShow(const Layout& l, int index, int64_t scroll, int height, int count) {
    if (index < 0 || index >= count) return ClampScroll(l, scroll, height, count);
    const int64_t top = int64_t(index) * l.rowHeight, bottom = top + l.rowHeight + kRowGap;
    if (top < scroll || bottom - top > height)
        scroll = top;
    else if (bottom > scroll + height)
        scroll = bottom - height;
    return ClampScroll(l, scroll, height, count);
}

int PageAfterKey(Key key, int current, int count, const Layout& l, int height) {
    if (count <= 0) return 0;
    const int page = std::max(height / l.rowHeight, 1);
    int64_t next = current;
    switch (key) {
    case Key::Up: next = int64_t(current) - 1; break;
    case Key::Down: next = int64_t(current) + 1; break;
    case Key::PageUp: next = int64_t(current) - page; break;
    case Key::PageDown: next = int64_t(current) + page; break;
    case Key::Home: next = 0; break;
    case Key::End: next = count - 1; break;
    }
    return static_cast<int>(std::clamp<int64_t>(next, 0, count - 1));
}

int PageFromText(const std::string& text, int count) {
    int64_t v = 0;
    if (!ParseNumber(text, false, &v) || v < 1 || v > count) return -1;
    return static_cast<int>(v - 1);
}

}  // namespace pane
