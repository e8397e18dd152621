#include <gtest/gtest.h>
#include <olectl.h>
#include <vector>
#include "CHostHTMLIcons.h"
#include "CaptionCanvas.h"
#include "HTMLCaptionDraw.h"
#include "Variant.h"
#include "Variants.h"

namespace {

constexpr COLORREF Magenta = RGB(255, 0, 255);

// 32-bit pixels of one colour, as CreateIcon and CreateBitmap take them.
std::vector<DWORD> Pixels(int count, COLORREF colour) {
    return std::vector<DWORD>(count, GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
}

// A 20 x 10 picture object filled with colour.
ComPtr<IPicture> SolidPicture(COLORREF colour) {
    PICTDESC desc{};
    desc.cbSizeofstruct = sizeof desc;
    desc.picType = PICTYPE_BITMAP;
    desc.bmp.hbitmap = CreateBitmap(20, 10, 1, 32, Pixels(200, colour).data());
    ComPtr<IPicture> picture;
    OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.PutVoid());
    return picture;
}

// Icon n of a caption is the list's index n - 1 (what the list draws for odd numbers is its own
// tests'); without icons the cells are kept empty.
TEST(CHostHTMLIcons, IconNIsListIndexNMinusOne) {
    const std::vector<BYTE> opaque(16 * 16 / 8);
    HICON icon = CreateIcon(nullptr, 16, 16, 1, 32, opaque.data(),
                            reinterpret_cast<const BYTE*>(Pixels(256, Magenta).data()));
    for (int icons : {0, 3}) {
        CHostHTMLIcons host;
        for (int i = 0; i < icons; ++i) host.ReplaceIcon(icon, -1);
        CaptionCanvas canvas(100, 20);
        CHTMLCaption caption;
        caption.SetCaption("<img>1</img><img>3:30</img><img>4</img>", &host);
        htmlwin::DrawCaption(caption, canvas.Dc(), canvas.Rect());
        EXPECT_EQ(htmlwin::MaxLineWidth(caption, canvas.Dc()), 18 + 30 + 18);
        EXPECT_EQ(canvas.Count(Magenta), icons ? 2 * 16 * 16 : 0) << "icons 1 and 3 drawn; there is no icon 4";
        if (!icons) continue;
        EXPECT_EQ(canvas.InkOf(Magenta).right, 18 + 16);
    }
    DestroyIcon(icon);
}

TEST(CHostHTMLIcons, PictureObjectsAreStoredSizedDrawnAndHandedOutInKeyOrder) {
    CHostHTMLIcons host;
    EXPECT_EQ(host.AddPicture("logo", DispatchVariant(SolidPicture(RGB(200, 0, 0)).Get()).Get()), S_OK);
    host.AddPicture("b", DispatchVariant(SolidPicture(RGB(0, 0, 200)).Get()).Get());
    EXPECT_NEAR(host.GetPictureSize("logo").cy, 10, 1);
    EXPECT_EQ(host.GetPictureSize("Logo").cx, 0);  // keys are case-sensitive
    CaptionCanvas canvas(100, 40);
    CHTMLCaption caption;
    caption.SetCaption("<img>logo:40</img>", &host);
    htmlwin::DrawCaption(caption, canvas.Dc(), canvas.Rect());
    const RECT drawn = canvas.InkOf(RGB(200, 0, 0));
    EXPECT_NEAR(drawn.bottom - drawn.top, 20, 1);
    // The host hands its pictures out as IPicture, in key order.
    std::string name;
    ComPtr<IPicture> picture;
    ASSERT_TRUE(host.FirstPicture(name, picture.Put()));
    EXPECT_EQ(name, "b");
}

}  // namespace
