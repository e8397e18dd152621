#include "WorkspaceGeometry.h"
#include <gtest/gtest.h>

using namespace geometry;

namespace {
const Size kA4{8263, 11692};  // thousandths of an inch
const Size kA4Landscape{11692, 8263};
}  // namespace

TEST(WorkspaceGeometry, MulDivRoundsAsTheSystemDoes) {
    const struct { int a, b, c, expected; } cases[] = {{7, 1, 2, 4}, {-7, 1, 2, -4}, {100, 3, 7, 43}, {1, 1, 0, -1}};
    for (const auto& c : cases) EXPECT_EQ(geometry::MulDiv(c.a, c.b, c.c), c.expected) << c.a << "*" << c.b << "/" << c.c;
}

TEST(WorkspaceGeometry, FitSizeKeepsTheProportionsAndTheSmallestPage) {
    const struct { Size inner; int x, y; Size paper, expected; } cases[] = {
        {{624, 292}, 1, 1, kA4, {206, 292}},               // height bound
        {{1000, 1000}, 1, 1, kA4Landscape, {1000, 707}},  // width bound
        {{624, 292}, 2, 2, kA4, {128, 181}},               // under 128: the shorter side is 128
        {{100, 100}, 1, 1, kA4Landscape, {181, 128}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FitSize(c.inner, c.x, c.y, c.paper), c.expected) << c.inner.cx << "x" << c.inner.cy;
}

TEST(WorkspaceGeometry, GridsFromSizes) {
    EXPECT_EQ(LargestGrid({624, 292}, kA4), (Size{4, 1}));
    EXPECT_EQ(PagesAtSize({500, 300}, {1000, 1400}), (Size{1, 1})) << "at least one page";
    EXPECT_EQ(PagesAtSize({500, 300}, {100, 140}), (Size{4, 2}));
}

TEST(WorkspaceGeometry, VerticalRangeHoldsScreenfulsAndTheOverflow) {
    const struct { int pages, perScreen, h, overflow, first, max, pos; } cases[] = {
        {5, 4, 181, -10, 1, 361, 181},  // 5 - 4 + 1 page heights
        {5, 4, 181, 50, 0, 411, 0},     // plus the overflow of one screenful
        {1, 4, 181, -10, 0, 180, 0},    // fewer pages than a screenful
    };
    for (const auto& c : cases) {
        const ScrollRange r = VerticalRange(c.pages, c.perScreen, c.h, c.overflow, c.first);
        EXPECT_EQ(r.max, c.max);
        EXPECT_EQ(r.page, c.h);
        EXPECT_EQ(r.pos, c.pos);
    }
}

TEST(WorkspaceGeometry, VisiblePagesAreCentredAndScrolled) {
    const Rect spacing{4, 4, 4, 4};
    auto centred = PlaceVisiblePages({600, 400}, spacing, 2, 1, {100, 141}, 0, 0, 0, 5);
    ASSERT_EQ(centred.size(), 2u);
    EXPECT_EQ(centred[0].rect, (Rect{198, 129, 298, 270}));
    EXPECT_EQ(centred[1].rect, (Rect{302, 129, 402, 270}));
    EXPECT_EQ(PlaceVisiblePages({600, 400}, spacing, 2, 1, {100, 141}, 0, 0, 0, 1).size(), 1u) << "pages run out";
    // Scrolled right past one column of three: the row goes on with its second and third page.
    auto scrolled = PlaceVisiblePages({500, 300}, spacing, 3, 1, {300, 400}, 350, 0, 0, 5);
    ASSERT_EQ(scrolled.size(), 2u);
    EXPECT_EQ(scrolled[0].index, 1);
    EXPECT_EQ(scrolled[0].rect, (Rect{-46, 0, 254, 400}));
    EXPECT_EQ(scrolled[1].rect.left, 258);
}

TEST(WorkspaceGeometry, FirstPageShowingAPage) {
    const struct { int page, first, x, perScreen, count, expected; } cases[] = {
        {2, 0, 2, 4, 10, 0},  // on screen already
        {7, 0, 2, 4, 10, 4},
        {9, 0, 2, 4, 10, 6},  // the last screenful ends with the last page
        {5, 1, 2, 4, 10, 5},  // keeps the column offset of the current screenful
    };
    for (const auto& c : cases)
        EXPECT_EQ(FirstPageShowing(c.page, c.first, c.x, c.perScreen, c.count), c.expected) << c.page;
}
