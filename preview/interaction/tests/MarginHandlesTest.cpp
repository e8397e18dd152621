#include "MarginHandles.h"
#include <gtest/gtest.h>
#include <tuple>

namespace {

// An A4 page (8263 x 11692 thousandths of an inch) drawn 400 x 566 at (23, 23), margins 0.5".
const PlainRect kPage{23, 23, 423, 589};
MarginGuides Half() { return GuidesForMargins(kPage, 8263, 11692, PlainRect{500, 500, 500, 500}); }
std::tuple<int, int, int, int> Tie(const PlainRect& r) { return {r.left, r.top, r.right, r.bottom}; }

TEST(MarginHandles, GuidesAndHandleRectangles) {
    const MarginGuides g = Half();
    EXPECT_EQ(Tie(PlainRect{g.left, g.top, g.right, g.bottom}), Tie(PlainRect{23 + 24, 23 + 24, 423 - 24, 589 - 24}));
    struct Case { int handle; PlainRect rect; };
    const Case cases[] = {{kLeftHandle, {38, 0, 57, 19}},   {kRightHandle, {390, 0, 409, 19}},
                          {kTopHandle, {0, 38, 19, 57}},    {kBottomHandle, {0, 556, 19, 575}},
                          {kNoHandle, {0, 0, 0, 0}},        {7, {0, 0, 0, 0}}};
    for (const Case& c : cases) EXPECT_EQ(Tie(MarginHandleRect(g, c.handle)), Tie(c.rect)) << c.handle;
}

TEST(MarginHandles, HitTestTakesTheFirstHandleHoldingThePoint) {
    MarginGuides g = Half();
    struct Case { PlainPoint p; int handle; };
    const Case cases[] = {{{38, 0}, 1},   {{56, 18}, 1}, {{57, 10}, 0}, {{47, 19}, 0}, {{400, 5}, 2},
                          {{5, 40}, 3},   {{18, 574}, 4}, {{19, 560}, 0}, {{200, 200}, 0}, {{-5, -5}, 0}};
    for (const Case& c : cases) EXPECT_EQ(HitTestMarginHandle(g, c.p), c.handle) << c.p.x << "," << c.p.y;
    g.right = g.left + 5;  // overlapping handles: the left one wins
    EXPECT_EQ(HitTestMarginHandle(g, PlainPoint{g.left + 3, 10}), kLeftHandle);
}

TEST(MarginHandles, DraggedGuidesStayOnThePageAndApart) {
    const MarginGuides g = Half();
    struct Case { int handle; PlainPoint pointer; int position; };
    const Case cases[] = {{kLeftHandle, {-500, 0}, 23},   {kLeftHandle, {100, 0}, 100}, {kLeftHandle, {1000, 0}, 399},
                          {kRightHandle, {1000, 0}, 423}, {kRightHandle, {0, 0}, 47},   {kTopHandle, {0, -9}, 23},
                          {kTopHandle, {0, 9999}, 565},   {kBottomHandle, {0, 0}, 47},  {kBottomHandle, {0, 700}, 589}};
    for (const Case& c : cases) EXPECT_EQ(DraggedGuidePosition(g, c.handle, c.pointer), c.position) << c.handle;
}

TEST(MarginHandles, MarginValueForBothReferences) {
    const MarginGuides before = Half();
    MarginGuides onEdge = before;
    onEdge.left = kPage.left;
    // Reference away from the edge: scaled by the old margin over its distance (24 pixels).
    MarginGuides moved = before;
    moved.left = kPage.left + 36;
    moved.bottom = kPage.bottom - 12;
    EXPECT_EQ(MarginValueAt(moved, before, kLeftHandle, 8263, 11692, 500), 750);
    EXPECT_EQ(MarginValueAt(moved, before, kBottomHandle, 8263, 11692, 500), 250);
    EXPECT_EQ(MarginValueAt(onEdge, before, kLeftHandle, 8263, 11692, 500), 0);
    // Reference on the edge: scaled by the paper over the page (8263 / 400 across, 11692 / 566 down).
    MarginGuides fromEdge = onEdge;
    fromEdge.left = kPage.left + 10;
    EXPECT_EQ(MarginValueAt(fromEdge, onEdge, kLeftHandle, 8263, 11692, 0), 206);
    // Nothing to scale by, or no such handle: the old margin.
    MarginGuides flat = onEdge;
    flat.page.right = flat.page.left;
    EXPECT_EQ(MarginValueAt(flat, flat, kLeftHandle, 8263, 11692, 321), 321);
    EXPECT_EQ(MarginValueAt(moved, before, 0, 8263, 11692, 321), 321);
}

}  // namespace
