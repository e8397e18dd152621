#include "PagesPaneRules.h"
#include <gtest/gtest.h>

using namespace pane;

namespace {
const Layout kA4Row = ThumbnailLayout(140, 8263, 11692);  // 116 x 164, rows of 190
}

TEST(PagesPaneRules, StoredWidthsAreReadSafely) {
    const struct { const char* text; int width; } cases[] = {
        {"200", 200}, {" 90 ", 90}, {"-40", kMinWidth}, {"99999999999999999999", kMaxWidth}, {"100000", kMaxWidth},
        {"", kDefaultWidth}, {"abc", kDefaultWidth}, {"12px", kDefaultWidth}, {"-", kDefaultWidth}, {"+5", kDefaultWidth},
    };
    for (const auto& c : cases) EXPECT_EQ(WidthFromText(c.text), c.width) << '"' << c.text << '"';
}

TEST(PagesPaneRules, ThePaneYieldsToThePages) {
    const struct { bool shown; int width, available, expected; } cases[] = {
        {true, 140, 900, 140}, {false, 140, 900, 0}, {true, 300, 500, 250},  // at most half
        {true, 140, 120, 0},                                                   // half is under the minimum
        {true, -5, 900, kMinWidth}, {true, 1 << 30, 10000, kMaxWidth},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ShownWidth(c.shown, c.width, c.available), c.expected) << c.width << " in " << c.available;
}

TEST(PagesPaneRules, ThumbnailsFollowThePaper) {
    EXPECT_EQ(kA4Row.thumbWidth, 116);
    EXPECT_EQ(kA4Row.thumbHeight, 164);
    EXPECT_EQ(kA4Row.rowHeight, kRowGap + 164 + kLabelHeight);
    EXPECT_EQ(ThumbnailLayout(140, 0, 0).thumbHeight, 164) << "no paper: A4";
    EXPECT_EQ(ThumbnailLayout(140, 1, 1000).thumbHeight, 4 * 116) << "a strip of paper is bounded";
    EXPECT_EQ(ThumbnailRect(kA4Row, 2, 100), (Rect{kMargin, 2 * 190 - 100 + kRowGap, kMargin + 116, 2 * 190 - 100 + kRowGap + 164}));
    EXPECT_EQ(LabelRect(kA4Row, 0, 0).top, kRowGap + 164);
}

TEST(PagesPaneRules, OnlyTheRowsInViewShowAndHit) {
    const struct { int64_t scroll; int height, count, first, end; } rows[] = {
        {0, 400, 10, 0, 3}, {190, 380, 10, 1, 3}, {1899000, 400, 10000, 9994, 9997}, {0, 400, 2, 0, 2}, {0, 400, 0, 0, 0},
    };
    for (const auto& r : rows) {
        const Rows got = RowsInView(kA4Row, r.scroll, r.height, r.count);
        EXPECT_EQ(got.first, r.first) << r.scroll;
        EXPECT_EQ(got.end, r.end) << r.scroll;
    }
    const struct { int x, y; int64_t scroll; int count, page; } hits[] = {
        {50, 20, 0, 10, 0}, {50, 190 + 3, 0, 10, -1} /* the gap */, {50, 190 + 180, 0, 10, 1} /* its label */,
        {5, 20, 0, 10, -1}, {50, 20, 190 * 9, 10, 9}, {50, 20, 190 * 10, 10, -1}, {50, -400, 0, 10, -1},
    };
    for (const auto& h : hits) EXPECT_EQ(HitTest(kA4Row, h.x, h.y, h.scroll, h.count), h.page) << h.x << "," << h.y;
}

TEST(PagesPaneRules, ScrollingShowsARowWhole) {
    const struct { int index; int64_t scroll; int height, count; int64_t expected; } cases[] = {
        {1, 0, 400, 10, 0},           // in view already
        {3, 0, 400, 10, 3 * 190 + 190 + kRowGap - 400},  // below: the least move
        {0, 500, 400, 10, 0},         // above: to its top
        {9999, 0, 400, 10000, 9999LL * 190 + 190 + kRowGap - 400},
        {999999, 0, 400, 1000000, 999999LL * 190 + 190 + kRowGap - 400},  // a million rows still fit
        {50, 5000, 400, 10, 10 * 190 + kRowGap - 400},  // out of range: only clamped
    };
    for (const auto& c : cases) EXPECT_EQ(ScrollToShow(kA4Row, c.index, c.scroll, c.height, c.count), c.expected) << c.index;
}

TEST(PagesPaneRules, KeysMoveTheCurrentPageWithinTheDocument) {
    const struct { Key key; int current, count, expected; } cases[] = {
        {Key::Down, 0, 12, 1}, {Key::Up, 0, 12, 0}, {Key::PageDown, 0, 12, 2}, {Key::PageUp, 5, 12, 3},
        {Key::End, 0, 12, 11}, {Key::Home, 11, 12, 0}, {Key::Down, 11, 12, 11}, {Key::End, 0, 0, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(PageAfterKey(c.key, c.current, c.count, kA4Row, 400), c.expected);
}

TEST(PagesPaneRules, TheGoToBoxTakesOnlyAPageOfTheDocument) {
    const struct { const char* text; int page; } cases[] = {
        {"7", 6}, {" 12 ", 11}, {"1", 0}, {"0", -1}, {"13", -1}, {"99", -1}, {"-3", -1}, {"+3", -1},
        {"abc", -1}, {"7a", -1}, {"", -1}, {"   ", -1}, {"12345678901234567890", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(PageFromText(c.text, 12), c.page) << '"' << c.text << '"';
}
