#include "Magnifier.h"
#include <gtest/gtest.h>

namespace {

TEST(Magnifier, ClickIsShortAndStill) {
    struct Case { unsigned down, up; PlainPoint at, to; bool click; };
    const Case cases[] = {{1000, 1255, {10, 10}, {12, 8}, true},   {1000, 1256, {10, 10}, {10, 10}, false},
                          {1000, 1100, {10, 10}, {13, 10}, false}, {1000, 1100, {10, 10}, {10, 7}, false},
                          {0xFFFFFFF0u, 20, {0, 0}, {0, 0}, true}};
    for (const Case& c : cases) EXPECT_EQ(PressIsClick(c.down, c.up, c.at, c.to), c.click) << c.down << " " << c.up;
}

TEST(Magnifier, PanStaysWithinTheScreenful) {
    // Page height 1000, the screenful overflows by 300; start at 1100 (100 into the second screenful).
    struct Case { PlainPoint to; int ov; int h, v; };
    const Case cases[] = {{{100, 100}, 300, 50, 1100}, {{80, 50}, 300, 70, 1150}, {{50, -900}, 300, 100, 1300},
                          {{150, 400}, 300, 0, 1000},  {{100, 20}, 0, 50, 1100}};
    for (const Case& c : cases) {
        const ScrollPositions p = PanPositions(ScrollPositions{50, 1100}, PlainPoint{100, 100}, c.to, 1000, c.ov);
        EXPECT_EQ(p.h, c.h) << c.to.x << "," << c.to.y;
        EXPECT_EQ(p.v, c.v) << c.to.x << "," << c.to.y;
    }
}

TEST(Magnifier, ZoomAtPointBringsTheClickedSpotToTheMiddle) {
    // A 200 x 283 page at (10, 10) becomes 800 x 1132 in a 600 x 400 client area; v0 is the old position.
    const PlainRect old{10, 10, 210, 293};
    struct Case { PlainPoint at; PlainRect old; int v0, overflow, h, v; const char* why; };
    const Case cases[] = {{{110, 150}, old, 0, 732, 428 - 300, 588 - 200, "the middle"},
                          {{10, 10}, old, 0, 732, 28 - 300, 0, "never above the screenful"},
                          {{200, 290}, old, 2000, 732, 788 - 300, 2732, "never past its overflow"},
                          {{200, 290}, old, 0, -50, 788 - 300, 0, "no overflow: no vertical move"},
                          {{5, 5}, PlainRect{}, 0, 10, 0, 0, "empty old page: no crash"}};
    for (const Case& c : cases) {
        const ScrollPositions p = ZoomAtPoint(c.at, c.old, 800, 1132, 600, 400, c.v0, c.overflow);
        EXPECT_EQ(p.v, c.v) << c.why;
        if (c.old.right) { EXPECT_EQ(p.h, c.h) << c.why; }
    }
}

TEST(Magnifier, SelectionIsOrderedClampedAndAtLeastFourByFour) {
    const PlainRect page{100, 50, 300, 450};  // 200 x 400
    struct Case { PlainPoint anchor, end; double l, t, r, b; bool big; };
    const Case cases[] = {
        {{50, 100}, {250, 350}, 0.25, 0.25, 0.75, 0.75, true},
        {{150, 300}, {150, 150}, 0.25, 0.25, 0.75, 0.75, true},   // dragged up-left
        {{100, 200}, {-500, 900}, 0, 0.5, 0.5, 1, true},          // beyond the page
        {{10, 10}, {113, 70}, 0.05, 0.025, 0.065, 0.05, false},   // 3 x 10
        {{10, 10}, {114, 64}, 0.05, 0.025, 0.07, 0.035, true},    // exactly 4 x 4
    };
    for (const Case& c : cases) {
        bool big = !c.big;
        const SelectionFractions f = SelectionFromDrag(c.anchor, c.end, page, &big);
        EXPECT_DOUBLE_EQ(f.left, c.l);
        EXPECT_DOUBLE_EQ(f.top, c.t);
        EXPECT_DOUBLE_EQ(f.right, c.r);
        EXPECT_DOUBLE_EQ(f.bottom, c.b);
        EXPECT_EQ(big, c.big) << c.end.x << "," << c.end.y;
    }
    const PlainRect r = SelectionRect(page, SelectionFractions{0.25, 0.25, 0.75, 0.755});
    EXPECT_EQ(r.left, 150);
    EXPECT_EQ(r.bottom, 352);
}

}  // namespace
