#include <gtest/gtest.h>

#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"

using htmlwin::DrawCaption;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);
constexpr COLORREF Blue = RGB(0, 0, 255);

void Draw(CaptionCanvas& canvas, const char* markup, IHTMLCaptionHostBase* host = nullptr,
          bool enabled = true) {
    CHTMLCaption caption;
    caption.SetCaption(markup, host);
    DrawCaption(caption, canvas.Dc(), canvas.Rect(), nullptr, enabled, true);
}

// Where runs and lines are placed is the platform-free caption's part; here, what they look like.
TEST(DrawCaption, SolidAndDottedLinesPixelByPixel) {
    CaptionCanvas canvas(100, 20);
    Draw(canvas, "x<solidline>y");
    const int32_t lineHeight = htmlwin::LineHeight(canvas.Dc());
    const int32_t bottom = (20 - lineHeight) / 2 + lineHeight - 1;
    const int32_t xw = RunWidth(canvas, "x"), yw = RunWidth(canvas, "y");
    for (int x = 0; x <= xw + yw; ++x)
        EXPECT_EQ(canvas.At(x, bottom), x >= xw && x < xw + yw ? Black : White) << x;

    // Dotted from an odd left edge starts one pixel in; "<upline>" moves it up.
    CaptionCanvas dots(100, 20);
    CHTMLCaption dotted;
    dotted.SetCaption("<upline><dotline>zzzz");
    DrawCaption(dotted, dots.Dc(), {3, 0, 100, 20});
    const int32_t top = (20 - lineHeight) / 2;
    for (int x = 3; x < 3 + RunWidth(dots, "zzzz"); ++x)
        EXPECT_EQ(dots.At(x, top), x % 2 == 0 ? Black : White) << x;
}

TEST(DrawCaption, BoldAndLargerRunsShareTheBaseline) {
    CaptionCanvas canvas(200, 60);
    Draw(canvas, "x<b>x</b><font ;14>x</font>");
    const int32_t w1 = RunWidth(canvas, "x"), w2 = RunWidth(canvas, "<b>x</b>");
    const RECT plain = canvas.InkIn({0, 0, w1, 60});
    const RECT bold = canvas.InkIn({w1, 0, w1 + w2, 60});
    const RECT big = canvas.InkIn({w1 + w2, 0, 200, 60});
    EXPECT_EQ(bold.bottom, plain.bottom);
    EXPECT_EQ(big.bottom, plain.bottom);
}

TEST(DrawCaption, AnchorLooksFollowTheVisitedSet) {
    BlockHost host;
    const COLORREF navy = RGB(0, 0, 128);
    CaptionCanvas before(100, 20);
    Draw(before, "<a go;x=1>link</a>", &host);
    const RECT ink = before.InkOf(Blue);  // underlined: a full row of blue under the run
    const int32_t underline = ink.left + RunWidth(before, "link") - 1;
    EXPECT_TRUE(before.All({ink.left, ink.bottom - 1, underline, ink.bottom}, Blue));

    host.MarkAnchorVisited("go");
    CaptionCanvas after(100, 20);
    Draw(after, "<a go;x=1>link</a>", &host);
    EXPECT_EQ(after.Count(Blue), 0);
    EXPECT_GT(after.Count(navy), 0);
}

TEST(DrawCaption, ColoursBackgroundsAndTheDisabledLook) {
    const COLORREF paper = RGB(128, 128, 0);
    CaptionCanvas plain(100, 20, paper);
    Draw(plain, "x");
    EXPECT_EQ(plain.Count(White), 0);  // text is drawn without painting its cell

    CaptionCanvas painted(100, 20, paper);
    Draw(painted, "<bgcolor=00FF00><fgcolor=0000FF>x</fgcolor></bgcolor>");
    EXPECT_GT(painted.Count(RGB(0, 255, 0)), 0);
    EXPECT_GT(painted.Count(Blue), 0);

    // Backgrounds with a high byte are painted only when it is the system colours' one.
    TextFontInfo base;
    base.BackColor = 0x01FF0000u;
    CHTMLCaption caption;
    caption.SetCaption("x");
    CaptionCanvas skipped(100, 20, paper);
    DrawCaption(caption, skipped.Dc(), skipped.Rect(), &base);
    EXPECT_EQ(skipped.Count(Blue), 0);
    base.BackColor = 0x80000000u | COLOR_HIGHLIGHT;
    CaptionCanvas system(100, 20, paper);
    DrawCaption(caption, system.Dc(), system.Rect(), &base);
    EXPECT_GT(system.Count(GetSysColor(COLOR_HIGHLIGHT)), 0);

    CaptionCanvas disabled(100, 20, paper);
    Draw(disabled, "<fgcolor=0000FF>x</fgcolor>", nullptr, false);
    const RECT dark = disabled.InkOf(GetSysColor(COLOR_BTNSHADOW));
    const RECT lit = disabled.InkOf(GetSysColor(COLOR_BTNHIGHLIGHT));
    ASSERT_NE(dark.right, 0);
    EXPECT_EQ(lit.right, dark.right + 1);  // the highlight copy lies one pixel right and down
    EXPECT_EQ(lit.bottom, dark.bottom + 1);
}

}  // namespace
