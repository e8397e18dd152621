#include <gtest/gtest.h>

#include <random>

#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"

namespace {

TEST(HitTests, ElementsImagesAndAnchorsUnderAPoint) {
    BlockHost host;
    CaptionCanvas canvas(300, 20);
    CHTMLCaption caption;
    caption.SetCaption("ab<img>1</img><a go;row=2>link</a><r>end", &host);
    const RECT rect = canvas.Rect();
    CHTMLCaption probe;
    probe.SetCaption("ab");
    const int32_t ab = htmlwin::MaxLineWidth(probe, canvas.Dc());
    const int32_t y = 10;

    const auto* first = htmlwin::HitTestElement(caption, canvas.Dc(), rect, {1, y});
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->Text(), "ab");
    EXPECT_EQ(htmlwin::HitTestImage(caption, canvas.Dc(), rect, {ab + 17, y}), 0);
    EXPECT_EQ(htmlwin::HitTestImage(caption, canvas.Dc(), rect, {1, y}), -1);
    const auto* anchor = htmlwin::HitTestAnchor(caption, canvas.Dc(), rect, {ab + 19, y});
    ASSERT_NE(anchor, nullptr);
    EXPECT_EQ(anchor->AnchorId(), "go");
    EXPECT_EQ(anchor->AnchorOptions(), "row=2");
    EXPECT_EQ(htmlwin::HitTestAnchor(caption, canvas.Dc(), rect, {ab + 17, y}), nullptr);
    const auto* end = htmlwin::HitTestElement(caption, canvas.Dc(), rect, {299, y});
    ASSERT_NE(end, nullptr);
    EXPECT_EQ(end->Text(), "end");
    EXPECT_EQ(htmlwin::HitTestElement(caption, canvas.Dc(), rect, {200, y}), nullptr);  // the gap
    EXPECT_EQ(htmlwin::HitTestElement(caption, canvas.Dc(), rect, {1, 19 + 20}), nullptr);
    EXPECT_EQ(htmlwin::HitTestLine(caption, canvas.Dc(), rect, {1, y}), 0);
}

TEST(HitTests, AnchorLookWidensTheRunItMeasures) {
    // A larger anchor look makes the run wider: measuring uses the effective font.
    BlockHost host;
    host.SetAnchorStyle("<u><font ;20>#", 1);
    CaptionCanvas canvas(300, 20);
    CHTMLCaption plain, large, link;
    plain.SetCaption("WWWWWWWW");
    large.SetCaption("<font ;20>WWWWWWWW</font>");
    link.SetCaption("<a x>WWWWWWWW</a>", &host);
    const int32_t largeWidth = htmlwin::MaxLineWidth(large, canvas.Dc());
    EXPECT_GT(largeWidth, htmlwin::MaxLineWidth(plain, canvas.Dc()));
    EXPECT_EQ(htmlwin::MaxLineWidth(link, canvas.Dc()), largeWidth);
}

TEST(WordWrap, WrapsToTheRectangleWithDeviceWidths) {
    CaptionCanvas canvas(300, 100);
    CHTMLCaption probe;
    probe.SetCaption("aaaa b");
    const int32_t width = htmlwin::MaxLineWidth(probe, canvas.Dc());
    CHTMLCaption caption;
    caption.SetCaption("aaaa bbbb");
    const RECT bounds = htmlwin::SetWordWrap(caption, true, canvas.Dc(), {10, 20, 10 + width, 100});
    ASSERT_EQ(caption.WrappedLines().size(), 2u);
    EXPECT_EQ(caption.WrappedLines()[0][0].Text(), "aaaa ");
    EXPECT_EQ(caption.WrappedLines()[1][0].Text(), "bbbb");
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 20);
    EXPECT_LT(bounds.right - bounds.left, width);
    EXPECT_EQ(bounds.bottom - bounds.top, 2 * htmlwin::LineHeight(canvas.Dc()));
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
    const RECT rects[] = {{0, 0, 120, 40}, {50, 20, 10, 5}, {-1000, -1000, 5, 5}, {0, 0, 0, 0},
                          {INT32_MIN / 2, 0, INT32_MAX / 2, 40}};
    for (int round = 0; round < 200; ++round) {
        std::string markup;
        for (int n = random() % 12; n > 0; --n) markup += pieces[random() % std::size(pieces)];
        CHTMLCaption caption;
        caption.SetCaption(markup, &host);
        caption.SetAlignment(static_cast<int32_t>(random() % 4));
        const RECT& rect = rects[random() % std::size(rects)];
        htmlwin::SetWordWrap(caption, random() % 2 == 0, canvas.Dc(), rect);
        htmlwin::DrawCaption(caption, canvas.Dc(), rect, nullptr, random() % 2 == 0, true,
                             static_cast<int32_t>(random() % 10) - 3, static_cast<int32_t>(random() % 10));
        htmlwin::HitTestElement(caption, canvas.Dc(), rect, {static_cast<LONG>(random() % 120), 20});
    }
    CHTMLCaption caption;
    caption.SetCaption("x");
    htmlwin::DrawCaption(caption, nullptr, canvas.Rect());  // no device context: nothing happens
    SUCCEED();
}

}  // namespace

namespace {

TEST(Fonts, AFaceComesFromItsOleFont) {
    CaptionCanvas canvas(300, 40);
    auto width = [&](const char* markup) {
        CHTMLCaption caption;
        caption.SetCaption(markup);
        return htmlwin::MaxLineWidth(caption, canvas.Dc());
    };
    // Liberation Mono is fixed-pitch: narrow and wide letters take the same room.
    const int32_t narrow = width("<font Liberation Mono>iiii</font>");
    EXPECT_EQ(narrow, width("<font Liberation Mono>mmmm</font>"));
    EXPECT_GT(narrow, width("iiii"));
    // A size given with the face applies to the face's font.
    EXPECT_GT(width("<font Liberation Mono;30>iiii</font>"), narrow);
    // An unknown face still draws, in whatever the font mapper picks.
    EXPECT_GT(width("<font NoSuchFace>iiii</font>"), 0);
}

}  // namespace
