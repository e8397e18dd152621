// The default fill and colour translation, read back from a DIB section.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "DibCanvas.h"
#include "toolbar/CWindowListPartFormatLevel.h"

namespace {

const COLORREF kCanvas = RGB(10, 200, 10);

uint32_t Ole(int sysColour) { return 0x80000000u | uint32_t(sysColour); }

struct SolidCase {
    const char* layout;
    COLORREF expected;
};

TEST(DefaultFill, ColoursFillSolidWithRedInTheLowByte) {
    const SolidCase cases[] = {
        {"1[bg=rgb(255,0,0)]", RGB(255, 0, 0)},
        {"1[bg=16711680]", RGB(0, 0, 255)},  // 0xFF0000 is blue
        {"1[bg=rgb(255,128,1)]", RGB(255, 128, 1)},
        {"1[bg=-2147483633]", GetSysColor(COLOR_BTNFACE)},   // 0x8000000F
        {"1[bg=-2147483646]", GetSysColor(COLOR_ACTIVECAPTION)},
        {"(2)[bg=rgb(0,0,200)]", RGB(0, 0, 200)},             // a group's background
    };
    for (const SolidCase& c : cases) {
        SCOPED_TRACE(c.layout);
        DibCanvas canvas(40, 20, kCanvas);
        CWindowListPartFormatLevel format;
        ASSERT_TRUE(format.Paint(canvas.Dc(), c.layout, RECT{4, 2, 36, 18}));
        EXPECT_TRUE(canvas.All(RECT{4, 2, 36, 18}, c.expected));
        EXPECT_EQ(canvas.Count(RECT{0, 0, 40, 20}, kCanvas), 40 * 20 - 32 * 16);
    }
}

// Black pixels of a "/" hatch: each has its up-right neighbour black too
// (inside the rectangle), and they are a small share of the area.
void ExpectBlackHatch(const DibCanvas& canvas, const RECT& r) {
    int black = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) {
            const COLORREF c = canvas.At(x, y);
            ASSERT_TRUE(c == RGB(0, 0, 0) || c == kCanvas) << x << "," << y;
            if (c != RGB(0, 0, 0)) continue;
            ++black;
            if (x + 1 < r.right && y > r.top) {
                EXPECT_EQ(canvas.At(x + 1, y - 1), RGB(0, 0, 0));
            }
        }
    EXPECT_GE(black, canvas.Area(r) / 16);
    EXPECT_LE(black, canvas.Area(r) / 4);
}

TEST(DefaultFill, BlackAfterTranslationIsHatchedOverWhatLiesBelow) {
    ASSERT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    const uint32_t blacks[] = {
        0,                          // RGB black
        Ole(COLOR_WINDOWTEXT),      // a system colour that is black
        0x12345678u,                // rejected by OleTranslateColor
    };
    for (uint32_t colour : blacks) {
        SCOPED_TRACE(colour);
        DibCanvas canvas(48, 32, kCanvas);
        CWindowListPartFormatLevel format;
        SetBkMode(canvas.Dc(), TRANSPARENT);
        format.Fill(canvas.Dc(), RECT{8, 8, 40, 32}, colour);
        ExpectBlackHatch(canvas, RECT{8, 8, 40, 32});
        EXPECT_TRUE(canvas.All(RECT{0, 0, 48, 8}, kCanvas));
    }
    // Painting a layout keeps the gaps of the hatch whatever the caller's mode.
    DibCanvas canvas(48, 32, kCanvas);
    CWindowListPartFormatLevel format;
    SetBkMode(canvas.Dc(), OPAQUE);
    ASSERT_TRUE(format.Paint(canvas.Dc(), "1[bg=0]", RECT{0, 0, 48, 32}));
    ExpectBlackHatch(canvas, RECT{0, 0, 48, 32});
    EXPECT_EQ(GetBkMode(canvas.Dc()), OPAQUE);
}

// A host that replaces the fill (as the toolbar does with its appearance
// object) gets every background with its untranslated value.
class RecordingFill : public CWindowListPartFormatLevel {
public:
    std::vector<std::pair<RECT, uint32_t>> fills;
    void Fill(HDC, const RECT& rect, uint32_t colour) override { fills.emplace_back(rect, colour); }
};

TEST(DefaultFill, HostsReplaceItForItemsAndGroups) {
    DibCanvas canvas(100, 20, kCanvas);
    RecordingFill format;
    ASSERT_TRUE(format.Paint(canvas.Dc(), "1[bg=-2147483633],(2[bg=7])[bg=0]:40",
                             RECT{0, 0, 100, 20}));
    ASSERT_EQ(format.fills.size(), 3u);
    EXPECT_EQ(format.fills[0].second, 0x8000000Fu);
    EXPECT_EQ(format.fills[0].first.right, 60);
    EXPECT_EQ(format.fills[1].second, 0u);   // the group first, then what it holds
    EXPECT_EQ(format.fills[1].first.left, 60);
    EXPECT_EQ(format.fills[2].second, 7u);
    EXPECT_TRUE(canvas.All(RECT{0, 0, 100, 20}, kCanvas));
}

}  // namespace
