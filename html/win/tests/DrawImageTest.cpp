#include <gtest/gtest.h>

#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"

namespace {

// Cell geometry is the platform-free part's; here, that the host draws into the cells the device
// measured, and what it draws shows.
TEST(DrawImages, IconsAndPicturesGoToTheHostInTheirCells) {
    BlockHost host;
    host.Pictures["key"] = {200, 100};
    CaptionCanvas canvas(300, 60);
    CHTMLCaption caption;
    caption.SetCaption("a<img>1</img>b<img>2:30</img>c<img>key:50</img><img>gone:40</img><r><img>3</img>",
                       &host);
    htmlwin::DrawCaption(caption, canvas.Dc(), canvas.Rect(), nullptr, false);

    const int32_t a = RunWidth(canvas, "a"), b = RunWidth(canvas, "b"), c = RunWidth(canvas, "c");
    ASSERT_EQ(host.Icons.size(), 3u);
    EXPECT_EQ(host.Icons[0].Number, 1);
    EXPECT_FALSE(host.Icons[0].Enabled);
    EXPECT_EQ(host.Icons[0].Rect.left, a);
    EXPECT_EQ(host.Icons[1].Rect.left, a + 18 + b);  // the first cell is 18 wide
    EXPECT_EQ(host.Icons[2].Rect.right, 300);        // right-aligned: the right edge of its cell
    EXPECT_EQ(canvas.Count(BlockHost::IconColour), 3 * 16 * 16);

    // The picture follows "c" and keeps its aspect ratio; the missing one draws nothing.
    ASSERT_EQ(host.PictureRects.size(), 1u);
    const RECT picture = host.PictureRects[0];
    EXPECT_EQ(picture.left, a + 18 + b + 30 + c);
    EXPECT_EQ(picture.right - picture.left, 50);
    EXPECT_EQ(picture.bottom - picture.top, 25);
    EXPECT_NEAR((picture.top + picture.bottom) / 2, 30, 1);  // centred on the line
}

}  // namespace
