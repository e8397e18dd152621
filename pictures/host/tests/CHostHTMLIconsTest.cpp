#include <gtest/gtest.h>

#include <olectl.h>

#include "CHostHTMLIcons.h"
#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"
#include "Variant.h"
#include "Variants.h"

namespace {

constexpr COLORREF Magenta = RGB(255, 0, 255);

// A solid magenta 16 x 16 icon (the caller destroys it).
HICON MagentaIcon() {
    CaptionCanvas colour(16, 16, Magenta);
    Bitmap image(CreateCompatibleBitmap(colour.Dc(), 16, 16));
    {
        COwnedDC dc(CreateCompatibleDC(colour.Dc()));
        CSelectObject select(dc, image.Get());
        BitBlt(dc, 0, 0, 16, 16, colour.Dc(), 0, 0, SRCCOPY);
    }
    Bitmap mask(CreateBitmap(16, 16, 1, 1, nullptr));
    {
        COwnedDC dc(CreateCompatibleDC(nullptr));
        CSelectObject select(dc, mask.Get());
        PatBlt(dc, 0, 0, 16, 16, BLACKNESS);  // opaque everywhere
    }
    ICONINFO info{TRUE, 0, 0, mask.Get(), image.Get()};
    return CreateIconIndirect(&info);
}

// A host whose list holds solid magenta icons at indices 0 to 2.
class FilledHost : public CHostHTMLIcons {
public:
    FilledHost() {
        for (int i = 0; i < 3; ++i) {
            HICON icon = MagentaIcon();
            ReplaceIcon(icon, -1);
            DestroyIcon(icon);
        }
    }
};

// A 20 x 10 picture object filled with colour.
ComPtr<IPicture> SolidPicture(COLORREF colour) {
    CaptionCanvas canvas(20, 10, colour);
    Bitmap bitmap(CreateCompatibleBitmap(canvas.Dc(), 20, 10));
    {
        COwnedDC dc(CreateCompatibleDC(canvas.Dc()));
        CSelectObject select(dc, bitmap.Get());
        BitBlt(dc, 0, 0, 20, 10, canvas.Dc(), 0, 0, SRCCOPY);
    }
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = bitmap.Release();
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.PutVoid());
    return picture;
}

TEST(CHostHTMLIcons, AnEmptyListDrawsNoIcons) {
    CHostHTMLIcons host;
    CaptionCanvas canvas(60, 20);
    CHTMLCaption caption;
    caption.SetCaption("<img>1</img><img>2:30</img>", &host);
    htmlwin::DrawCaption(caption, canvas.Dc(), canvas.Rect());
    EXPECT_EQ(canvas.Ink().right, 0);
    EXPECT_EQ(htmlwin::MaxLineWidth(caption, canvas.Dc()), 48);  // the cells are kept
}

// Icon n of a caption is the list's index n - 1 (what the list draws for odd numbers is its own tests').
TEST(CHostHTMLIcons, IconNIsListIndexNMinusOne) {
    FilledHost host;
    CaptionCanvas canvas(100, 20);
    CHTMLCaption caption;
    caption.SetCaption("<img>1</img><img>3:30</img><img>4</img>", &host);
    htmlwin::DrawCaption(caption, canvas.Dc(), canvas.Rect());
    ASSERT_EQ(host.Count(), 3);
    EXPECT_EQ(canvas.Count(Magenta), 2 * 16 * 16) << "icons 1 and 3 drawn; there is no icon 4";
    EXPECT_EQ(canvas.InkOf(Magenta).left, 0);
    EXPECT_EQ(canvas.InkOf(Magenta).right, 18 + 16);
    EXPECT_EQ(canvas.InkOf(Magenta).bottom - canvas.InkOf(Magenta).top, 16);

}

TEST(CHostHTMLIcons, PictureObjectsAreStoredSizedAndDrawn) {
    CHostHTMLIcons host;
    const ComPtr<IPicture> red = SolidPicture(RGB(200, 0, 0));
    ASSERT_TRUE(red);
    EXPECT_EQ(host.AddPicture("logo", DispatchVariant(red.Get()).Get()), S_OK);
    const HTMLSize size = host.GetPictureSize("logo");
    EXPECT_NEAR(size.cx, 20, 1);
    EXPECT_NEAR(size.cy, 10, 1);
    EXPECT_EQ(host.GetPictureSize("Logo").cx, 0);  // keys are case-sensitive

    CaptionCanvas canvas(100, 40);
    CHTMLCaption caption;
    caption.SetCaption("<img>logo:40</img>", &host);
    htmlwin::DrawCaption(caption, canvas.Dc(), canvas.Rect());
    const RECT drawn = canvas.InkOf(RGB(200, 0, 0));
    EXPECT_EQ(drawn.right - drawn.left, 40);
    EXPECT_NEAR(drawn.bottom - drawn.top, 20, 1);

    host.AddPicture("logo", NumberVariant(0).Get());
    EXPECT_EQ(host.GetPictureSize("logo").cx, 0);
}

// The two-row array itself is the picture map's; the host hands its pictures out as IPicture.
TEST(CHostHTMLIcons, PicturesComeOutInKeyOrder) {
    CHostHTMLIcons host;
    host.AddPicture("b", DispatchVariant(SolidPicture(RGB(0, 0, 200)).Get()).Get());
    host.AddPicture("a", DispatchVariant(SolidPicture(RGB(0, 200, 0)).Get()).Get());
    std::string name;
    ComPtr<IPicture> picture;
    ASSERT_TRUE(host.FirstPicture(name, picture.Put()));
    EXPECT_EQ(name, "a");
    EXPECT_TRUE(picture);
    ASSERT_TRUE(host.NextPicture(name, picture.Put()));
    EXPECT_EQ(name, "b");
    EXPECT_FALSE(host.NextPicture(name, picture.Put()));
    Variant all;
    ASSERT_EQ(host.GetPictures(all.Put()), S_OK);
    CHostHTMLIcons copy;
    EXPECT_EQ(copy.SetPictures(all.Get()), S_OK);
    EXPECT_NE(copy.GetPictureSize("b").cx, 0);
}

}  // namespace
