// The tooltip window on its own: what it shows and how large, where ShowAt puts it, anchors,
// and contents that are too large, broken or fail to draw.
#include <gtest/gtest.h>

#include "CWindow_Comment.h"
#include "GdiCount.h"
#include "MemoryStream.h"
#include "MessagePump.h"
#include "PictureLoader.h"
#include "TestImages.h"

namespace {

SIZE WindowSize(HWND w) {
    RECT r{};
    GetWindowRect(w, &r);
    return {r.right - r.left, r.bottom - r.top};
}

std::unique_ptr<DibCanvas> Painted(HWND w) {
    const SIZE size = WindowSize(w);
    auto canvas = std::make_unique<DibCanvas>(size.cx, size.cy, RGB(1, 2, 3));
    SendMessageA(w, WM_PRINTCLIENT, WPARAM(canvas->Dc()), PRF_CLIENT);
    return canvas;
}

// Pictures are shrunk into 196 x 96 keeping their shape, and the frame around them is the same
// whatever they are: two pictures differ in window size exactly as their drawn sizes do.
TEST(CommentWindow, PicturesFitTheLayoutAndColoursPaint) {
    CWindow_Comment tip;
    ASSERT_TRUE(tip.Place(nullptr, nullptr, POINT{300, 300}));
    const ComPtr<IPicture> large = LoadPicture(MakeBmp(200, 100)), small = LoadPicture(MakeBmp(100, 50));
    tip.SetPicture(large.Get());
    tip.ShowAt(POINT{400, 300});
    const SIZE big = WindowSize(tip.Window());
    EXPECT_TRUE(tip.Visible());
    EXPECT_EQ(Painted(tip.Window())->At(big.cx / 4, big.cy / 4), kTopLeft);
    tip.SetPicture(small.Get());
    tip.Hide();
    tip.ShowAt(POINT{400, 300});
    const SIZE little = WindowSize(tip.Window());
    EXPECT_EQ(big.cx - little.cx, 192 - 100);
    EXPECT_EQ(big.cy - little.cy, 96 - 50);
    RECT at{};
    GetWindowRect(tip.Window(), &at);
    EXPECT_EQ(at.bottom, 300) << "bottom edge on the point";
    EXPECT_EQ(at.left, 400 - little.cx / 2) << "centred on it";
    EXPECT_EQ(GetWindowLongA(tip.Window(), GWL_STYLE) & ~WS_VISIBLE, WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    EXPECT_EQ(GetWindowLongA(tip.Window(), GWL_EXSTYLE) & 0xFF, WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_EQ(GetParent(tip.Window()), GetDesktopWindow());

    // Texts instead, in the given colours.
    tip.SetPicture(nullptr);
    tip.SetColors(RGB(10, 200, 30), RGB(200, 0, 0));
    tip.SetTexts("MMMM WWWW", "Title");
    tip.ShowAt(POINT{400, 300});
    const auto canvas = Painted(tip.Window());
    EXPECT_EQ(canvas->At(1, 1), RGB(10, 200, 30));
    EXPECT_GT(canvas->Count(RGB(200, 0, 0)), 10);
    tip.Hide();
    EXPECT_FALSE(tip.Visible());
}

TEST(CommentWindow, AnchorsInTheBodyAreFoundAndEmptyTextsNeverShow) {
    CWindow_Comment tip;
    ASSERT_TRUE(tip.Place(nullptr, nullptr, POINT{300, 300}));
    tip.SetTexts("", "");
    tip.RequestShow(true);
    tip.ShowAt(POINT{300, 300});
    EXPECT_FALSE(tip.Visible());

    tip.SetTexts("<a href=\"go\">somewhere</a> else", "");
    tip.ShowAt(POINT{300, 300});
    Painted(tip.Window());
    const SIZE size = WindowSize(tip.Window());
    std::string found;
    int anchored = 0;
    for (int x = 0; x < size.cx; ++x)
        if (const auto* anchor = tip.HitTestAnchor(POINT{x, size.cy / 2})) found = anchor->AnchorId(), ++anchored;
    EXPECT_EQ(found, "href=\"go\"");
    EXPECT_GT(anchored, 20);
    EXPECT_LT(anchored, size.cx - 20) << "\" else\" is no anchor";
}

// 100 kB of broken mark-up, a title without blanks, an object that cannot draw: the window
// stays within the desktop and paints without a crash.
TEST(CommentWindow, HugeBrokenOrUndrawableContentIsAbsorbed) {
    std::string body = "<b><i><font color=\"#zz\"><a href=";
    while (body.size() < 100000) body += "word <img>9999</img> &amp &#99999999; <";
    const std::string title(5000, 'T');
    ComPtr<IStream> notDrawable;
    CreateStreamOnHGlobal(nullptr, TRUE, notDrawable.Put());
    PICTDESC blank{sizeof(PICTDESC), PICTYPE_NONE, {}};  // a picture with nothing to draw
    ComPtr<IPicture> blankPicture;
    ASSERT_EQ(OleCreatePictureIndirect(&blank, IID_IPicture, TRUE, blankPicture.PutVoid()), S_OK);
    RECT desktop{};
    GetWindowRect(GetDesktopWindow(), &desktop);
    CWindow_Comment tip;
    ASSERT_TRUE(tip.Place(nullptr, nullptr, POINT{-50, 5000}));
    long gdi = 0;
    for (int round = 0; round < 2; ++round) {
        tip.SetTexts(body, title);
        tip.ShowAt(POINT{10, 10});
        Painted(tip.Window());
        RECT r{};
        GetWindowRect(tip.Window(), &r);
        EXPECT_TRUE(r.left >= desktop.left && r.top >= desktop.top && r.right <= desktop.right &&
                    r.bottom <= desktop.bottom);
        tip.SetObject(notDrawable.Get());
        tip.ShowAt(POINT{10, 10});
        Painted(tip.Window());
        EXPECT_TRUE(tip.Visible());
        tip.SetObject(nullptr);
        tip.SetPicture(blankPicture.Get());
        tip.ShowAt(POINT{10, 10});
        Painted(tip.Window());
        tip.SetPicture(nullptr);
        tip.Hide();
        if (round == 0) gdi = GdiObjectCount();
    }
    EXPECT_EQ(GdiObjectCount(), gdi) << "a second round leaves nothing more";
}

}  // namespace
