// The default fill and its colour translation as pixels, and the GDI objects painting makes.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "DibCanvas.h"
#include "GdiObjects.h"
#include "toolbar/CWindowListPartFormatLevel.h"

namespace {

const COLORREF kCanvas = RGB(10, 200, 10);

TEST(DefaultFill, ColoursFillSolidWithRedInTheLowByte) {
    const struct {
        const char* layout;
        COLORREF expected;
    } cases[] = {
        {"1[bg=rgb(255,0,0)]", RGB(255, 0, 0)},
        {"1[bg=16711680]", RGB(0, 0, 255)},  // 0xFF0000 is blue
        {"1[bg=-2147483633]", GetSysColor(COLOR_BTNFACE)},  // 0x8000000F
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.layout);
        DibCanvas canvas(40, 20, kCanvas);
        CWindowListPartFormatLevel format;
        ASSERT_TRUE(format.Paint(canvas.Dc(), c.layout, RECT{4, 2, 36, 18}));
        EXPECT_TRUE(canvas.All(RECT{4, 2, 36, 18}, c.expected));
        EXPECT_EQ(canvas.Count(kCanvas), 40 * 20 - 32 * 16);
    }
}

// Black after translation is a "/" hatch over what lies below: each black pixel has its
// up-right neighbour black too (inside the rectangle), and they are a small share of the area.
TEST(DefaultFill, BlackAfterTranslationIsHatchedOverWhatLiesBelow) {
    ASSERT_EQ(GetSysColor(COLOR_WINDOWTEXT), RGB(0, 0, 0));
    // RGB black, a system colour that is black, one OleTranslateColor rejects; then a layout
    // painted with an opaque DC, whose gaps the hatch keeps whatever the caller's mode.
    const uint32_t blacks[] = {0, 0x80000000u | COLOR_WINDOWTEXT, 0x12345678u, ~0u};
    for (uint32_t colour : blacks) {
        SCOPED_TRACE(colour);
        DibCanvas canvas(48, 32, kCanvas);
        CWindowListPartFormatLevel format;
        const bool layout = colour == ~0u;
        SetBkMode(canvas.Dc(), layout ? OPAQUE : TRANSPARENT);
        const RECT r = layout ? canvas.Rect() : RECT{8, 8, 40, 32};
        if (layout) ASSERT_TRUE(format.Paint(canvas.Dc(), "1[bg=0]", r));
        else format.Fill(canvas.Dc(), r, colour);
        EXPECT_EQ(canvas.Count(r, RGB(0, 0, 0)) + canvas.Count(r, kCanvas), canvas.Area(r));
        const int black = canvas.Count(r, RGB(0, 0, 0));
        EXPECT_GE(black, canvas.Area(r) / 16);
        EXPECT_LE(black, canvas.Area(r) / 4);
        for (int y = r.top + 1; y < r.bottom; ++y)
            for (int x = r.left; x + 1 < r.right; ++x)
                if (canvas.At(x, y) == RGB(0, 0, 0)) {
                    ASSERT_EQ(canvas.At(x + 1, y - 1), RGB(0, 0, 0)) << x << "," << y;
                }
        EXPECT_EQ(GetBkMode(canvas.Dc()), layout ? OPAQUE : TRANSPARENT);
    }
}

// A host that replaces the fill (as the toolbar does with its appearance object) gets every
// background with its untranslated value.
TEST(DefaultFill, HostsReplaceItForItemsAndGroups) {
    struct RecordingFill : CWindowListPartFormatLevel {
        std::vector<std::pair<RECT, uint32_t>> fills;
        void Fill(HDC, const RECT& rect, uint32_t colour) override { fills.emplace_back(rect, colour); }
    } format;
    DibCanvas canvas(100, 20, kCanvas);
    ASSERT_TRUE(format.Paint(canvas.Dc(), "1[bg=-2147483633],(2[bg=7])[bg=0]:40", RECT{0, 0, 100, 20}));
    ASSERT_EQ(format.fills.size(), 3u);
    EXPECT_EQ(format.fills[0].second, 0x8000000Fu);
    EXPECT_EQ(format.fills[1].second, 0u);  // the group first, then what it holds
    EXPECT_EQ(format.fills[2].second, 7u);
    EXPECT_TRUE(canvas.All(canvas.Rect(), kCanvas));
}

TEST(PaintResources, AThousandPaintsLeaveNoGdiObjectBehind) {
    // Hatched and solid fills, OLE colours, a foreground, a text, borders, the debug overlay.
    const char* layout =
        "[debug][dgl=1]1[bg=0],2[bg=rgb(1,2,3)][fg=-2147483630],"
        "(\"<b>x</b>\"[b=15],3)[bg=-2147483633][b=15]/|/4[bg=-2147483635]";
    DibCanvas canvas(160, 40);
    CWindowListPartFormatLevel format;
    ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, 0, 160, 40}));  // caches filled
    const long before = CountedGdiObjects();
    for (int i = 0; i < 1000; ++i) ASSERT_TRUE(format.Paint(canvas.Dc(), layout, RECT{0, i % 2, 160, 40}));
    EXPECT_EQ(CountedGdiObjects(), before);
}

}  // namespace
