#include <gtest/gtest.h>

#include <olectl.h>

#include "CHostHTMLIcons.h"
#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"
#include "Variant.h"

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

Variant ObjectValue(IPicture* picture) {
    Variant v;
    IDispatch* disp = nullptr;
    picture->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&disp));
    V_VT(v.Ptr()) = VT_DISPATCH;
    V_DISPATCH(v.Ptr()) = disp;
    return v;
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

    CaptionCanvas none(20, 20);
    host.DrawIcon(none.Dc(), {0, 0, 16, 16}, 0, true);
    host.DrawIcon(none.Dc(), {0, 0, 16, 16}, -4, true);
    EXPECT_EQ(none.Ink().right, 0) << "there is no icon 0 or below";

    CaptionCanvas greyed(40, 20);
    host.DrawIcon(greyed.Dc(), {2, 2, 18, 18}, 1, false);
    EXPECT_EQ(greyed.Count(Magenta), 0);  // the disabled look, not the icon's colours
    EXPECT_NE(greyed.Ink().right, 0);
}

TEST(CHostHTMLIcons, AnchorLooksFollowTheVisitedSet) {
    CHostHTMLIcons host;
    EXPECT_EQ(host.GetAnchorStyle(0), "<u><fgcolor=000080>#");
    host.MarkAnchorVisited("a");
    TextFontInfo visited;
    host.ApplyAnchorStyle(visited, "a");
    EXPECT_EQ(visited.Underline, 1);
    EXPECT_EQ(*visited.TextColor, 0x800000u);  // navy
}

TEST(CHostHTMLIcons, PictureObjectsAreStoredSizedAndDrawn) {
    CHostHTMLIcons host;
    const ComPtr<IPicture> red = SolidPicture(RGB(200, 0, 0));
    ASSERT_TRUE(red);
    EXPECT_EQ(host.AddPicture("logo", ObjectValue(red.Get()).Get()), S_OK);
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

    Variant zero;
    V_VT(zero.Ptr()) = VT_I4;
    V_I4(zero.Ptr()) = 0;
    host.AddPicture("logo", zero.Get());
    EXPECT_EQ(host.GetPictureSize("logo").cx, 0);
}

TEST(CHostHTMLIcons, PicturesAsATwoRowArray) {
    CHostHTMLIcons host;
    host.AddPicture("b", ObjectValue(SolidPicture(RGB(0, 0, 200)).Get()).Get());
    host.AddPicture("a", ObjectValue(SolidPicture(RGB(0, 200, 0)).Get()).Get());
    Variant all;
    ASSERT_EQ(host.GetPictures(all.Put()), S_OK);
    ASSERT_EQ(all.Type(), VT_ARRAY | VT_VARIANT);
    SAFEARRAY* array = V_ARRAY(all.Ptr());
    LONG upper = 0;
    SafeArrayGetUBound(array, 1, &upper);
    EXPECT_EQ(upper, 1);
    SafeArrayGetUBound(array, 2, &upper);
    EXPECT_EQ(upper, 1);
    Variant key;
    LONG at[2] = {0, 0};
    SafeArrayGetElement(array, at, key.Put());
    EXPECT_EQ(VariantToAnsi(key.Get()), "a");  // key order

    std::string name;
    ComPtr<IPicture> picture;
    ASSERT_TRUE(host.FirstPicture(name, picture.Put()));
    EXPECT_EQ(name, "a");
    EXPECT_TRUE(picture);
    ASSERT_TRUE(host.NextPicture(name, picture.Put()));
    EXPECT_EQ(name, "b");
    EXPECT_FALSE(host.NextPicture(name, picture.Put()));

    CHostHTMLIcons copy;
    copy.AddPicture("old", ObjectValue(SolidPicture(0).Get()).Get());
    EXPECT_EQ(copy.SetPictures(all.Get()), S_OK);
    EXPECT_EQ(copy.GetPictureSize("old").cx, 0);
    EXPECT_NE(copy.GetPictureSize("a").cx, 0);
    EXPECT_NE(copy.GetPictureSize("b").cx, 0);

    Variant notAnArray;
    copy.SetPictures(notAnArray.Get());
    EXPECT_FALSE(copy.FirstPicture(name, picture.Put()));
    host.AddPicture("", notAnArray.Get());  // an empty key clears every picture
    EXPECT_FALSE(host.FirstPicture(name, nullptr));
}

}  // namespace
