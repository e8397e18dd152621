// The tooltip window on its own: its size around pictures, ShowAt's place, colours, anchors, and
// contents that are huge, broken or cannot draw.
#include <gtest/gtest.h>

#include "CWindow_Comment.h"
#include "GdiObjects.h"
#include "PictureLoader.h"
#include "TestImages.h"

namespace {

RECT Shown(CWindow_Comment& tip, POINT at, DibCanvas* canvas = nullptr) {
    tip.ShowAt(at);
    RECT r{};
    GetWindowRect(tip.Window(), &r);
    if (canvas) SendMessageA(tip.Window(), WM_PRINTCLIENT, WPARAM(canvas->Dc()), PRF_CLIENT);
    return r;
}

// Pictures shrink into 196 x 96 keeping their shape inside the same frame: two pictures differ
// in window size as their drawn sizes do. ShowAt centres it above its point.
TEST(CommentWindow, PicturesTextsColoursAndAnchors) {
    CWindow_Comment tip;
    ASSERT_TRUE(tip.Place(nullptr, nullptr, POINT{300, 300}));
    const ComPtr<IPicture> large = LoadPicture(MakeBmp(200, 100)), small = LoadPicture(MakeBmp(100, 50));
    tip.SetPicture(large.Get());
    DibCanvas canvas(400, 200, RGB(1, 2, 3));
    const RECT big = Shown(tip, {400, 300}, &canvas);
    EXPECT_EQ(canvas.At((big.right - big.left) / 4, (big.bottom - big.top) / 4), kTopLeft);
    tip.SetPicture(small.Get());
    const RECT little = Shown(tip, {400, 300});
    EXPECT_EQ((big.right - big.left) - (little.right - little.left), 192 - 100);
    EXPECT_EQ((big.bottom - big.top) - (little.bottom - little.top), 96 - 50);
    EXPECT_EQ(little.bottom, 300);
    EXPECT_EQ(little.left, 400 - (little.right - little.left) / 2);
    EXPECT_EQ(GetWindowLongA(tip.Window(), GWL_STYLE) & ~WS_VISIBLE, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(GetWindowLongA(tip.Window(), GWL_EXSTYLE) & 0xFF, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);

    tip.SetPicture(nullptr);
    tip.SetTexts("", "");
    tip.Hide();
    Shown(tip, {300, 300});
    EXPECT_FALSE(tip.Visible()) << "nothing to show";
    tip.SetColors(RGB(10, 200, 30), RGB(200, 0, 0));
    tip.SetTexts("MMMM <a href=\"go\">somewhere</a> else", "Title");
    canvas.Fill(RGB(1, 2, 3));
    const RECT text = Shown(tip, {300, 300}, &canvas);
    EXPECT_EQ(canvas.At(1, 1), RGB(10, 200, 30));
    EXPECT_GT(canvas.Count(RGB(200, 0, 0)), 10);
    int anchored = 0;
    for (int x = 0, y = text.bottom - text.top - 8; x < text.right - text.left; ++x)
        if (const auto* anchor = tip.HitTestAnchor(POINT{x, y})) anchored += anchor->AnchorId() == "href=\"go\"";
    EXPECT_GT(anchored, 20);
    EXPECT_LT(anchored, text.right - text.left - 40) << "the rest is no anchor";
}

// 100 kB of broken mark-up, a title without blanks, an object and a picture that cannot draw:
// the window stays on the desktop, and a second round leaves no GDI object behind.
TEST(CommentWindow, HugeBrokenOrUndrawableContentIsAbsorbed) {
    std::string body = "<b><i><font color=\"#zz\"><a href=";
    while (body.size() < 100000) body += "word <img>9999</img> &amp &#99999999; <";
    ComPtr<IStream> notDrawable;
    CreateStreamOnHGlobal(nullptr, TRUE, notDrawable.Put());
    PICTDESC none{sizeof(PICTDESC), PICTYPE_NONE, {}};
    ComPtr<IPicture> empty;
    ASSERT_EQ(OleCreatePictureIndirect(&none, IID_IPicture, TRUE, empty.PutVoid()), S_OK);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    CWindow_Comment tip;
    DibCanvas canvas(200, 200);
    ASSERT_TRUE(tip.Place(nullptr, nullptr, POINT{-50, 5000}));
    long gdi = 0;
    for (int round = 0; round < 2; ++round, gdi = gdi ? gdi : CountedGdiObjects()) {
        tip.SetTexts(body, std::string(5000, 'T'));
        const RECT r = Shown(tip, {10, 10}, &canvas);
        EXPECT_TRUE(r.left >= desktop.left && r.top >= desktop.top && r.right <= desktop.right &&
                    r.bottom <= desktop.bottom);
        tip.SetObject(notDrawable.Get());
        Shown(tip, {10, 10}, &canvas);
        tip.SetObject(nullptr);
        tip.SetPicture(empty.Get());
        Shown(tip, {10, 10}, &canvas);
        EXPECT_TRUE(tip.Visible());
        tip.SetPicture(nullptr);
        tip.Hide();
    }
    EXPECT_EQ(CountedGdiObjects(), gdi);
}

}  // namespace
