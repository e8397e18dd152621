#include <gtest/gtest.h>

#include "scaling/DpiScale.h"
#include "scaling/ImageStretch.h"

namespace {

TEST(DpiScale, SizesAtEachResolution) {
    struct Row {
        int px, dpi, scaled;
    } rows[] = {
        {16, 96, 16}, {16, 120, 20}, {16, 144, 24}, {16, 192, 32}, {19, 144, 29},
        {16, 72, 16}, {16, 300, 50}, {16, 0, 16},   {16, -7, 16},  {16, 100000, 80},
    };
    for (const Row& r : rows) EXPECT_EQ(dpi::Scale(r.px, r.dpi), r.scaled) << r.px << " at " << r.dpi;
}

TEST(DpiScale, ToolBarHeightHoldsTextAndIcons) {
    struct Row {
        int text, rows, dpi, height;
    } rows[] = {
        {13, 1, 96, 31}, {25, 1, 96, 37}, {13, 2, 96, 56}, {13, 0, 96, 31},
        {20, 1, 144, 47}, {20, 1, 192, 62}, {40, 1, 144, 58}, {10, 1, 72, 31},
    };
    for (const Row& r : rows) EXPECT_EQ(dpi::ToolBarHeight(r.text, r.rows, r.dpi), r.height) << r.text << "/" << r.dpi;
    EXPECT_EQ(dpi::Chooser(144).pitch, 39);
}

TEST(ImageStretch, SmoothAndFaithful) {
    for (int to : {24, 11}) {  // one colour stays that colour, enlarged or shrunk
        const auto out = dpi::StretchSmooth(std::vector<uint32_t>(16 * 16, 0x80402010u), 16, 16, to, to);
        ASSERT_EQ(out.size(), static_cast<size_t>(to * to));
        for (uint32_t p : out) ASSERT_EQ(p, 0x80402010u);
    }
    // Each byte on its own: the ends keep their values, the middle is graded, zeros stay zero.
    const auto ramp = dpi::StretchSmooth({0x00000000u, 0xFFFF00FFu}, 2, 1, 6, 1);
    const std::vector<uint32_t> expected = {0, 0, 0x55550055u, 0xAAAA00AAu, 0xFFFF00FFu, 0xFFFF00FFu};
    EXPECT_EQ(ramp, expected);
    EXPECT_TRUE(dpi::StretchSmooth({1, 2, 3}, 2, 2, 4, 4).empty());  // sizes that make no image
    EXPECT_TRUE(dpi::StretchSmooth({1}, 1, 1, 0, 4).empty());
}

}  // namespace
