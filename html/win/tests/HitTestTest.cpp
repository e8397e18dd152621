#include <gtest/gtest.h>

#include <random>

#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"

namespace {

// The rules are the platform-free caption's; here, that the device's widths reach them.
TEST(HitTests, HitsAndWrapsUseTheDevicesWidths) {
    BlockHost host;
    CaptionCanvas canvas(300, 100);
    CHTMLCaption caption;
    caption.SetCaption("ab<img>1</img><a go;row=2>link</a>", &host);
    const int32_t ab = RunWidth(canvas, "ab");
    const RECT rect{0, 0, 300, 20};
    EXPECT_EQ(htmlwin::HitTestImage(caption, canvas.Dc(), rect, {ab + 17, 10}), 0);
    const auto* anchor = htmlwin::HitTestAnchor(caption, canvas.Dc(), rect, {ab + 19, 10});
    ASSERT_NE(anchor, nullptr);
    EXPECT_EQ(anchor->AnchorOptions(), "row=2");

    caption.SetCaption("aaaa bbbb");
    const int32_t width = RunWidth(canvas, "aaaa b");
    const RECT bounds = htmlwin::SetWordWrap(caption, true, canvas.Dc(), {10, 20, 10 + width, 100});
    EXPECT_EQ(bounds.bottom - bounds.top, 2 * htmlwin::LineHeight(canvas.Dc()));
}

TEST(Fonts, FacesSizesAndAnchorLooksReachTheMeasure) {
    BlockHost host;
    host.SetAnchorStyle("<u><font ;20>#", 1);
    CaptionCanvas canvas(300, 40);
    auto width = [&](const char* markup) {
        CHTMLCaption caption;
        caption.SetCaption(markup, &host);
        return htmlwin::MaxLineWidth(caption, canvas.Dc());
    };
    // Liberation Mono is fixed-pitch: narrow and wide letters take the same room.
    const int32_t narrow = width("<font Liberation Mono>iiii</font>");
    EXPECT_EQ(narrow, width("<font Liberation Mono>mmmm</font>"));
    EXPECT_GT(width("<font NoSuchFace>iiii</font>"), 0);  // whatever the font mapper picks
    // A larger anchor look makes the run wider: measuring uses the effective font.
    EXPECT_EQ(width("<a x>WWWW</a>"), width("<font ;20>WWWW</font>"));
}

TEST(BadInput, RandomMarkupAndRectanglesNeverCrash) {
    BlockHost host;
    host.Pictures["p"] = {0, 50};
    host.Pictures["q"] = {7, 3};
    const char* pieces[] = {"<b>", "</b>", "<r>", "<br>", "<img>1</img>", "<img>p:9</img>", "<img>q</img>",
                            "<img>:</img>", "<font ;400>", "<font x;-3>", "<a id>", "</a>", "&#300;", "&",
                            "<solidline>", "<dotline>", "<upline>", "\r\n", "word ", "\t", "<bgcolor=123456>",
                            "<fgcolor=GGGGGG>", "</font>", "<img>99999999999</img>", "xyz"};
    std::mt19937 random(7);
    CaptionCanvas canvas(120, 40);
    const HDC dc = canvas.Dc();
    SetBkMode(dc, OPAQUE);
    SetBkColor(dc, RGB(1, 2, 3));
    SetTextColor(dc, RGB(4, 5, 6));
    const HGDIOBJ font = GetCurrentObject(dc, OBJ_FONT);
    const RECT rects[] = {{0, 0, 120, 40}, {50, 20, 10, 5}, {-1000, -1000, 5, 5}, {0, 0, 0, 0},
                          {INT32_MIN / 2, 0, INT32_MAX / 2, 40}};
    for (int round = 0; round < 200; ++round) {
        std::string markup;
        for (int n = random() % 12; n > 0; --n) markup += pieces[random() % std::size(pieces)];
        CHTMLCaption caption;
        caption.SetCaption(markup, &host);
        caption.SetAlignment(static_cast<int32_t>(random() % 4));
        const RECT& rect = rects[random() % std::size(rects)];
        htmlwin::SetWordWrap(caption, random() % 2 == 0, dc, rect);
        htmlwin::DrawCaption(caption, dc, rect, nullptr, random() % 2 == 0, true,
                             static_cast<int32_t>(random() % 10) - 3, static_cast<int32_t>(random() % 10));
        htmlwin::HitTestElement(caption, dc, rect, {static_cast<LONG>(random() % 120), 20});
    }
    CHTMLCaption caption;
    caption.SetCaption("x");
    htmlwin::DrawCaption(caption, nullptr, canvas.Rect());  // no device context: nothing happens
    // Every draw left the device context as it found it.
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font);
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetTextColor(dc), RGB(4, 5, 6));
}

}  // namespace
