#include <gtest/gtest.h>

#include "html/HTMLDrawGeometry.h"

namespace {

using namespace htmldraw;

TEST(DrawGeometry, ImagesInTheirCells) {
    EXPECT_EQ(IconRect({10, 0, 40, 20}, false), (HTMLRect{10, 2, 26, 18}));
    EXPECT_EQ(IconRect({10, 0, 40, 20}, true), (HTMLRect{24, 2, 40, 18}));
    EXPECT_EQ(PictureRect({0, 0, 50, 16}, 50, {200, 100}), (HTMLRect{0, -4, 50, 21}));  // 50 x 25
    EXPECT_EQ(PictureRect({0, 0, 30, 16}, 30, {7, 3}).bottom - PictureRect({0, 0, 30, 16}, 30, {7, 3}).top, 12);
    EXPECT_TRUE(PictureRect({0, 0, 30, 16}, 30, {0, 0}).IsEmpty());
}

TEST(DrawGeometry, LinesBaselineAndColours) {
    EXPECT_EQ(LinePixelsOf(5, 1).first, 5);
    EXPECT_EQ(LinePixelsOf(5, 0).step, 1);
    EXPECT_EQ(LinePixelsOf(5, 2).first, 6);
    EXPECT_EQ(LinePixelsOf(-3, 2).first, -2);
    EXPECT_EQ(LinePixelsOf(4, 2).step, 2);
    EXPECT_EQ(BaselineRect({0, 0, 10, 16}, 24, 6, 3), (HTMLRect{0, -5, 10, 19}));
    EXPECT_TRUE(IsPaintedBackColor(0x00123456));
    EXPECT_TRUE(IsPaintedBackColor(0x80000005));  // a system colour
    EXPECT_FALSE(IsPaintedBackColor(0x01000000));
}

TEST(DrawGeometry, HighlightMovesAcrossRuns) {
    Highlight next{};
    Highlight part = HighlightInRun({2, 5}, 4, next);  // characters 2..6 over runs of 4 and 4
    EXPECT_EQ(part.start, 2);
    EXPECT_EQ(part.count, 2);
    part = HighlightInRun(next, 4, next);
    EXPECT_EQ(part.start, 0);
    EXPECT_EQ(part.count, 3);
    EXPECT_EQ(HighlightInRun(next, 4, next).count, 0);
}

}  // namespace
