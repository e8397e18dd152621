#include <gtest/gtest.h>

#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"

using htmlwin::DrawCaption;

namespace {

int32_t TextWidth(HDC dc, const char* text) {
    CHTMLCaption caption;
    caption.SetCaption(text);
    return htmlwin::MaxLineWidth(caption, dc);
}

TEST(DrawImages, IconsSitAtTheLeftOfTheirCells) {
    BlockHost host;
    CaptionCanvas canvas(200, 30);
    CHTMLCaption caption;
    caption.SetCaption("a<img>1</img>b<img>2:30</img>c", &host);
    DrawCaption(caption, canvas.Dc(), canvas.Rect());

    const int32_t a = TextWidth(canvas.Dc(), "a"), b = TextWidth(canvas.Dc(), "b");
    const int32_t lineHeight = htmlwin::LineHeight(canvas.Dc());
    const int32_t iconTop = (30 - lineHeight) / 2 + (lineHeight - 16) / 2;
    ASSERT_EQ(host.Icons.size(), 2u);
    EXPECT_EQ(host.Icons[0].Number, 1);
    EXPECT_TRUE(host.Icons[0].Enabled);
    EXPECT_EQ(host.Icons[0].Rect.left, a);
    EXPECT_EQ(host.Icons[0].Rect.top, iconTop);
    EXPECT_EQ(host.Icons[0].Rect.right - host.Icons[0].Rect.left, 16);
    EXPECT_EQ(host.Icons[0].Rect.bottom - host.Icons[0].Rect.top, 16);
    EXPECT_EQ(host.Icons[1].Number, 2);
    EXPECT_EQ(host.Icons[1].Rect.left, a + 18 + b);  // the first cell is 18 wide

    // The blocks are really there, and "c" follows the 30-pixel cell.
    EXPECT_EQ(canvas.At(a, iconTop), BlockHost::IconColour);
    EXPECT_EQ(canvas.At(a + 15, iconTop + 15), BlockHost::IconColour);
    EXPECT_NE(canvas.At(a + 16, iconTop + 8), BlockHost::IconColour);
    EXPECT_EQ(canvas.Count(BlockHost::IconColour), 2 * 16 * 16);
    const RECT after = canvas.InkIn({a + 18 + b + 30, 0, 200, 30});
    EXPECT_LE(after.left, a + 18 + b + 30 + 2);
    EXPECT_NE(after.right, 0);
}

TEST(DrawImages, RightAlignedAndDisabledIcons) {
    BlockHost host;
    CaptionCanvas canvas(100, 20);
    CHTMLCaption caption;
    caption.SetCaption("<r><img>3:24</img>", &host);
    DrawCaption(caption, canvas.Dc(), canvas.Rect(), nullptr, false);
    ASSERT_EQ(host.Icons.size(), 1u);
    EXPECT_EQ(host.Icons[0].Rect.right, 100);  // the right edge of its cell
    EXPECT_FALSE(host.Icons[0].Enabled);
}

TEST(DrawImages, PicturesKeepTheirAspectRatio) {
    BlockHost host;
    host.Pictures["key"] = {200, 100};
    CaptionCanvas canvas(200, 60);
    CHTMLCaption caption;
    caption.SetCaption("<img>key:50</img>x<img>key</img>", &host);
    DrawCaption(caption, canvas.Dc(), canvas.Rect());
    ASSERT_EQ(host.PictureRects.size(), 1u + 0u + 1u);
    const RECT first = host.PictureRects[0];
    EXPECT_EQ(first.right - first.left, 50);
    EXPECT_EQ(first.bottom - first.top, 25);
    EXPECT_NEAR((first.top + first.bottom) / 2, 30, 1);  // centred on the line
    // Natural size: the second one overflows the rectangle and the line.
    const RECT second = host.PictureRects[1];
    EXPECT_EQ(second.left, 50 + TextWidth(canvas.Dc(), "x"));
    EXPECT_EQ(second.right - second.left, 200);
    EXPECT_EQ(second.bottom - second.top, 100);
    EXPECT_EQ(canvas.InkOf(BlockHost::PictureColour).left, 0);
}

TEST(DrawImages, MissingPicturesAndOddWidthsDrawNothing) {
    BlockHost host;
    CaptionCanvas canvas(100, 20);
    CHTMLCaption caption;
    // A missing picture takes its given width (or none) and draws nothing;
    // a width below one pixel leaves an icon its 18-pixel cell.
    caption.SetCaption("<img>gone:40</img><img>none</img><img>1:-5</img><img>1:0</img>x", &host);
    DrawCaption(caption, canvas.Dc(), canvas.Rect());
    EXPECT_TRUE(host.PictureRects.empty());
    ASSERT_EQ(host.Icons.size(), 2u);
    EXPECT_EQ(host.Icons[0].Rect.left, 40);
    EXPECT_EQ(host.Icons[1].Rect.left, 58);
    EXPECT_LE(canvas.InkIn({76, 0, 100, 20}).left, 78);
}

}  // namespace
