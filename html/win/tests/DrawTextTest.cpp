#include <gtest/gtest.h>

#include "CHTMLMeasureDC.h"
#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"

using htmlwin::DrawCaption;

namespace {

constexpr COLORREF White = RGB(255, 255, 255);
constexpr COLORREF Black = RGB(0, 0, 0);

// Width of text in the canvas's font with the attributes of a one-run caption.
int32_t RunWidth(const CaptionCanvas& canvas, const char* markup) {
    CHTMLCaption caption;
    caption.SetCaption(markup);
    return htmlwin::MaxLineWidth(caption, canvas.Dc());
}

struct Drawn {
    CHTMLCaption Caption;
    Drawn(CaptionCanvas& canvas, const char* markup, RECT rect, IHTMLCaptionHostBase* host = nullptr,
          bool enabled = true, int32_t alignment = 0) {
        Caption.SetCaption(markup, host);
        Caption.SetAlignment(alignment);
        DrawCaption(Caption, canvas.Dc(), rect, nullptr, enabled, true);
    }
};

TEST(DrawCaption, RightAlignedRunsEndAtTheRightEdge) {
    CaptionCanvas canvas(100, 20);
    Drawn right(canvas, "<r>right", canvas.Rect());
    const RECT ink = canvas.Ink();
    EXPECT_GE(ink.right, 97);  // glyph bearings may leave a pixel or two
    EXPECT_GE(ink.left, 100 - RunWidth(canvas, "right"));

    CaptionCanvas both(200, 20);
    Drawn leftRight(both, "left<r>right", both.Rect());
    EXPECT_LE(both.Ink().left, 2);
    EXPECT_GE(both.Ink().right, 197);
    // Nothing between the two runs.
    const RECT middle{RunWidth(both, "left") + 1, 0, 200 - RunWidth(both, "right") - 1, 20};
    EXPECT_EQ(both.InkIn(middle).right, 0);
}

TEST(DrawCaption, LinesAreCentredVertically) {
    CaptionCanvas probe(10, 10);
    const int32_t lineHeight = htmlwin::LineHeight(probe.Dc());
    ASSERT_GT(lineHeight, 8);
    CaptionCanvas canvas(100, 10 * lineHeight);
    Drawn two(canvas, "Hx<br>Hx", canvas.Rect());
    const int32_t top = (10 * lineHeight - 2 * lineHeight) / 2;
    const RECT ink = canvas.Ink();
    EXPECT_GE(ink.top, top);
    EXPECT_LE(ink.bottom, top + 2 * lineHeight);
    EXPECT_NE(canvas.InkIn({0, top, 100, top + lineHeight}).right, 0);
    EXPECT_NE(canvas.InkIn({0, top + lineHeight, 100, top + 2 * lineHeight}).right, 0);
    // A rectangle too short for the lines draws those whose top lies inside.
    CaptionCanvas flat(100, 4);
    Drawn clipped(flat, "Hx<br>Hx<br>Hx", {0, 0, 100, 2});
    EXPECT_EQ(htmlwin::GetHeight(clipped.Caption, flat.Dc()), 3 * lineHeight);
}

TEST(DrawCaption, SolidAndDottedLinesPixelByPixel) {
    CaptionCanvas canvas(100, 20);
    Drawn solid(canvas, "x<solidline>y", canvas.Rect());
    const int32_t lineHeight = htmlwin::LineHeight(canvas.Dc());
    const int32_t bottom = (20 - lineHeight) / 2 + lineHeight - 1;
    const int32_t xw = RunWidth(canvas, "x"), yw = RunWidth(canvas, "y");
    for (int x = xw; x < xw + yw; ++x) EXPECT_EQ(canvas.At(x, bottom), Black) << x;
    for (int x = 0; x < xw; ++x) EXPECT_EQ(canvas.At(x, bottom), White) << x;
    EXPECT_EQ(canvas.At(xw + yw, bottom), White);

    // Dotted from an odd left edge starts one pixel in; "<upline>" moves it up.
    for (int left : {3, 4}) {
        CaptionCanvas dots(100, 20);
        Drawn dotted(dots, "<upline><dotline>zzzz", {left, 0, 100, 20});
        const int32_t top = (20 - lineHeight) / 2;
        const int first = left + (left & 1);
        const int end = left + RunWidth(dots, "zzzz");
        for (int x = left; x < end; ++x)
            EXPECT_EQ(dots.At(x, top), (x >= first && (x - first) % 2 == 0) ? Black : White) << left << " " << x;
        EXPECT_EQ(dots.InkIn({0, bottom, 100, bottom + 1}).right, 0);
    }
}

TEST(DrawCaption, BoldAndLargerRunsShareTheBaseline) {
    CaptionCanvas canvas(200, 60);
    Drawn runs(canvas, "x<b>x</b><font ;14>x</font>", canvas.Rect());
    const int32_t w1 = RunWidth(canvas, "x"), w2 = RunWidth(canvas, "<b>x</b>");
    const RECT plain = canvas.InkIn({0, 0, w1, 60});
    const RECT bold = canvas.InkIn({w1, 0, w1 + w2, 60});
    const RECT big = canvas.InkIn({w1 + w2, 0, 200, 60});
    EXPECT_EQ(bold.bottom, plain.bottom);
    EXPECT_EQ(big.bottom, plain.bottom);
    EXPECT_GT(big.bottom - big.top, plain.bottom - plain.top);  // it is larger
    EXPECT_GT(w2, 0);
}

TEST(DrawCaption, AnchorLooksFollowTheVisitedSet) {
    BlockHost host;
    const COLORREF blue = RGB(0, 0, 255), navy = RGB(0, 0, 128);
    CaptionCanvas before(100, 20);
    Drawn link(before, "<a go;x=1>link</a>", before.Rect(), &host);
    EXPECT_GT(before.Count(blue), 0);
    EXPECT_EQ(before.Count(navy), 0);
    // Underlined: a full row of blue under the run.
    const RECT ink = before.InkOf(blue);
    int longest = 0;
    for (int y = ink.top; y < ink.bottom; ++y) {
        int run = 0;
        for (int x = ink.left; x < ink.right; ++x) run += before.At(x, y) == blue;
        longest = std::max(longest, run);
    }
    EXPECT_GE(longest, RunWidth(before, "link") - 1);

    host.MarkAnchorVisited("go");
    CaptionCanvas after(100, 20);
    DrawCaption(link.Caption, after.Dc(), after.Rect());
    EXPECT_EQ(after.Count(blue), 0);
    EXPECT_GT(after.Count(navy), 0);

    CaptionCanvas red(100, 20);
    Drawn own(red, "<a go><fgcolor=FF0000>t</fgcolor></a>", red.Rect(), &host);
    EXPECT_GT(red.Count(RGB(255, 0, 0)), 0);
    EXPECT_EQ(red.Count(navy), 0);
}

TEST(DrawCaption, ColoursBackgroundsAndTheDisabledLook) {
    const COLORREF paper = RGB(128, 128, 0);
    CaptionCanvas plain(100, 20, paper);
    Drawn text(plain, "x", plain.Rect());
    EXPECT_EQ(plain.Count(White), 0);  // text is drawn without painting its cell

    CaptionCanvas painted(100, 20, paper);
    Drawn back(painted, "<bgcolor=00FF00><fgcolor=0000FF>x</fgcolor></bgcolor>", painted.Rect());
    EXPECT_GT(painted.Count(RGB(0, 255, 0)), 0);
    EXPECT_GT(painted.Count(RGB(0, 0, 255)), 0);

    // Only backgrounds whose high byte is clear (the automation bit aside) are painted.
    TextFontInfo base;
    base.BackColor = 0x01FF0000u;
    CHTMLCaption caption;
    caption.SetCaption("x");
    CaptionCanvas skipped(100, 20, paper);
    DrawCaption(caption, skipped.Dc(), skipped.Rect(), &base);
    EXPECT_EQ(skipped.Count(RGB(0, 0, 255)), 0);
    base.BackColor = 0x80000000u | COLOR_HIGHLIGHT;
    CaptionCanvas system(100, 20, paper);
    DrawCaption(caption, system.Dc(), system.Rect(), &base);
    EXPECT_GT(system.Count(GetSysColor(COLOR_HIGHLIGHT)), 0);

    caption.SetCaption("<fgcolor=0000FF>x</fgcolor>");
    CaptionCanvas uncoloured(100, 20, paper);
    DrawCaption(caption, uncoloured.Dc(), uncoloured.Rect(), nullptr, true, false);
    EXPECT_EQ(uncoloured.Count(RGB(0, 0, 255)), 0);
    EXPECT_GT(uncoloured.Count(Black), 0);

    CaptionCanvas disabled(100, 20, paper);
    Drawn greyed(disabled, "<fgcolor=0000FF>x</fgcolor>", disabled.Rect(), nullptr, false);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
    const RECT dark = disabled.InkOf(shadow), lit = disabled.InkOf(light);
    ASSERT_NE(dark.right, 0);
    EXPECT_EQ(lit.right, dark.right + 1);  // the highlight copy lies one pixel right and down
    EXPECT_EQ(lit.bottom, dark.bottom + 1);
    EXPECT_EQ(disabled.Count(RGB(0, 0, 255)), 0);
}

TEST(DrawCaption, HighlightRangeCrossesRuns) {
    CaptionCanvas canvas(200, 20);
    CHTMLCaption caption;
    caption.SetCaption("<fgcolor=0000FF>ab<b>cd</b>ef</fgcolor>");
    DrawCaption(caption, canvas.Dc(), canvas.Rect(), nullptr, true, true, 1, 2);  // "b" and "c"
    const RECT marked = canvas.InkOf(Black);
    ASSERT_NE(marked.right, 0);
    EXPECT_GE(marked.left, RunWidth(canvas, "a") - 1);
    EXPECT_GE(marked.right, RunWidth(canvas, "ab") + 1);  // into the bold run
    EXPECT_LE(marked.right, RunWidth(canvas, "ab<b>c</b>") + 1);
    EXPECT_GT(canvas.Count(White), 0);                     // glyphs white in the black box
}

TEST(DrawCaption, LeavesTheDeviceContextAsItFoundIt) {
    BlockHost host;
    CaptionCanvas canvas(200, 20);
    HDC dc = canvas.Dc();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(1, 2, 3));
    SetTextColor(dc, RGB(4, 5, 6));
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    CHTMLCaption caption;
    caption.SetCaption("<b><bgcolor=00FF00>a</bgcolor></b><font Liberation Mono;20>b</font><a x>c</a><img>1</img>", &host);
    DrawCaption(caption, dc, canvas.Rect(), nullptr, true, true, 0, 3);
    DrawCaption(caption, dc, canvas.Rect(), nullptr, false, true);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(dc), RGB(4, 5, 6));
}

}  // namespace
