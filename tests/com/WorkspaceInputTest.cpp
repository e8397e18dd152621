// Working in the preview with real X input.
#include "PreviewFixture.h"
#include "../../printing/tests/DialogAnswer.h"

namespace {

// Real X input: these cases run as an entry of their own (com_tests_real_input).
class WorkspaceInputTest : public PreviewTest {};

// A click makes a page current, keys move it, Ctrl+C copies it.
TEST_F(WorkspaceInputTest, ClicksKeysAndTheClipboard) {
    OpenOnTop();
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(3, 2));
    UpdateWindow(Workspace());
    Pump(100);
    const RECT first = CurrentPageRect(Workspace());
    const POINT second{first.right + 30, (first.top + first.bottom) / 2};
    RealInput("sleep 0.6 " + ClickAt(Workspace(), second), [&] { return PaneText(1) == "Page: 2/5"; });
    EXPECT_EQ(PaneText(1), "Page: 2/5");
    for (const auto& [key, pane] : {std::pair{VK_HOME, "Page: 1/5"}, std::pair{VK_END, "Page: 5/5"}}) {
        PostMessageA(Workspace(), WM_KEYDOWN, key, 0);
        EXPECT_TRUE(PumpUntil([&] { return PaneText(1) == pane; })) << pane;
    }
    // Emptied first, or an earlier metafile would pass for the copy.
    ASSERT_TRUE(PumpUntil([] { return OpenClipboard(nullptr) != FALSE; }));
    EmptyClipboard();
    CloseClipboard();
    ASSERT_FALSE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
    // A click off the pages gives the workspace the keyboard; Ctrl, read when the key is handled, stays down.
    RealInput("sleep 0.6 " + ClickAt(Workspace(), {2, 2}) + " sleep 0.4 keydown ctrl key c",
              [] { return IsClipboardFormatAvailable(CF_ENHMETAFILE) != FALSE; });
    Xdotool("keyup ctrl");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE));
}

// A click magnifies the current page to 100% and the next fits it again; a wheel notch scrolls
// a page; a right-drag frames an area and tints the rest.
TEST_F(WorkspaceInputTest, MagnifierWheelAndSelection) {
    OpenOnTop();
    const RECT page = CurrentPageRect(Workspace());
    const POINT centre{(page.left + page.right) / 2, (page.top + page.bottom) / 2};
    const std::string at = "sleep 0.6 mousemove " + At(centre, Workspace()) + " sleep 0.2 ";
    const int fitted = static_cast<int>(VScroll().nPage);
    HDC screen = GetDC(nullptr);
    const int magnified = MulDiv(11692, GetDeviceCaps(screen, LOGPIXELSY), 1000);  // A4 at 100%
    ReleaseDC(nullptr, screen);
    RealInput(at + "click 1", [&] { return static_cast<int>(VScroll().nPage) != fitted; });
    EXPECT_NEAR(static_cast<int>(VScroll().nPage), magnified, 2);
    RealInput(at + "click 1", [&] { return static_cast<int>(VScroll().nPage) == fitted; });
    RealInput(at + "click 5", [&] { return VScroll().nPos != 0; });
    EXPECT_EQ(VScroll().nPos, fitted);
    RealInput(at + "click 4", [&] { return VScroll().nPos == 0; });

    const POINT from{page.left + 40, page.top + 40};
    RealInputToEnd(at + "mousemove " + At(from, Workspace()) + " mousedown 3 mousemove_relative 20 20 "
                   "sleep 0.1 mousemove_relative 60 60 sleep 0.1 mouseup 3");
    UpdateWindow(Workspace());
    const std::unique_ptr<DibCanvas> selected = Snapshot(Workspace());
    EXPECT_EQ(selected->At(from.x, from.y + 40), RGB(150, 217, 249)) << "the selection's frame";
    EXPECT_EQ(selected->At(from.x - 10, from.y + 40), RGB(255, 255, 255) & GetSysColor(COLOR_MENU))
        << "tinted outside the selection";
}

// A margin handle's cursor and tooltip, a drag onto the page's edge, a double-click opening the
// page setup, Ctrl+double-click copying the opposite margin.
TEST_F(WorkspaceInputTest, MarginGuidesDragAndCopy) {
    print->put_ItemToolTip(kvAdjustMargin, Bstr(L"Drag").Get());  // the tooltip text, not the caption
    OpenOnTop();
    const RECT page = CurrentPageRect(Workspace());
    const long paperWidth = Setting(print.Get(), kvPaperWidth), right = Setting(print.Get(), kvRightMargin);
    ASSERT_GT(Setting(print.Get(), kvLeftMargin), 0);
    const POINT leftHandle{page.left + MulDiv(Setting(print.Get(), kvLeftMargin), page.right - page.left, paperWidth),
                           page.top - 13};

    HWND tip = FindWindowA("Koravel.Print.CommentWindow", nullptr);
    RealInput("sleep 0.6 mousemove " + At(leftHandle, Workspace()) + " sleep 0.1 mousemove_relative 1 0",
              [&] { return IsWindowVisible(tip) != FALSE; });
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    EXPECT_TRUE(IsWindowVisible(tip));
    char text[64] = "";
    GetWindowTextA(tip, text, sizeof text);
    EXPECT_EQ(std::string(text).substr(0, 6), "Drag (");

    // Dragged past the page's left edge, the guide stops on it: margin 0, pages recorded anew.
    sink.events.clear();
    RealInput("mousemove " + At(leftHandle, Workspace()) + " mousedown 1 sleep 0.1 mousemove " +
                  At({page.left - 30, page.top - 13}, Workspace()) + " sleep 0.1 mouseup 1",
              [&] { return Setting(print.Get(), kvLeftMargin) == 0; });
    EXPECT_EQ(Setting(print.Get(), kvLeftMargin), 0);
    EXPECT_NE(std::find(sink.events.begin(), sink.events.end(), "Refresh"), sink.events.end());

    // The page setup a double-click opens records the pages anew, even confirmed unchanged.
    UpdateWindow(Workspace());
    const std::string onEdge = "sleep 0.6 mousemove " + At({page.left, page.top - 13}, Workspace()) + " sleep 0.2 ";
    sink.events.clear();
    DialogAnswer answer(IDOK);
    RealInput(onEdge + "click --repeat 2 --delay 60 1", [&] { return sink.events.size() >= 2; });
    answer.Wait();
    EXPECT_TRUE(answer.found);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Refreshing", "Refresh"}));

    // Ctrl+double-click on the handle, now on the edge, copies the right margin (Ctrl up early: page setup).
    RealInput(onEdge + "keydown ctrl click --repeat 2 --delay 60 1",
              [&] { return Setting(print.Get(), kvLeftMargin) != 0; });
    Xdotool("keyup ctrl");
    EXPECT_EQ(Setting(print.Get(), kvLeftMargin), right);
}

// Drags cancelled or released far outside, clicks with modifiers, keys with no page: nothing
// sticks or breaks.
TEST_F(WorkspaceInputTest, InteractionBadInputIsAbsorbed) {
    Provider().pages = 1;
    OpenOnTop();
    const RECT page = CurrentPageRect(Workspace());
    const long left = Setting(print.Get(), kvLeftMargin), paper = Setting(print.Get(), kvPaperWidth);
    const POINT guide{page.left + MulDiv(left, page.right - page.left, paper), page.top - 13};
    const std::string handle = At(guide, Workspace());
    const std::string drags[] = {
        // the left guide dragged past the right one and beyond the screen, then ESC
        "mousemove " + handle + " mousedown 1 mousemove 1919 " + std::to_string(page.top) +
            " sleep 0.1 key Escape mouseup 1",
        // released far outside the window
        "mousemove " + handle + " mousedown 1 mousemove 1919 1079 sleep 0.1 mouseup 1",
        // a selection cancelled with ESC
        "mousemove " + At({(page.left + page.right) / 2, (page.top + page.bottom) / 2}, Workspace()) +
            " mousedown 3 mousemove_relative 80 80 sleep 0.1 key Escape mouseup 3",
        // clicks on the rulers and off the pages, with every modifier
        "mousemove " + At({page.left - 13, page.top - 13}, Workspace()) + " keydown ctrl keydown shift click 1 click 3 "
            "keyup shift keyup ctrl mousemove " + At({2, 2}, Workspace()) +
            " keydown shift click 1 click 3 keyup shift",
    };
    for (const std::string& d : drags) {
        RealInputToEnd("sleep 0.6 " + d);
        EXPECT_EQ(GetCapture(), nullptr) << d;
        const long now = Setting(print.Get(), kvLeftMargin);
        EXPECT_TRUE(now >= 0 && now + Setting(print.Get(), kvRightMargin) <= paper) << d << ": " << now;
    }
    UpdateWindow(Workspace());
    EXPECT_EQ(Snapshot(Workspace())->Count(RGB(150, 217, 249)), 0);

    Provider().pages = 0;
    print->Refresh();
    for (const WPARAM key : {VK_END, VK_NEXT, VK_DOWN, VK_RIGHT, VK_PRIOR, VK_UP, VK_LEFT, VK_HOME})
        SendMessageA(Workspace(), WM_KEYDOWN, key, 0);
    EXPECT_TRUE(PumpUntil([&] { return PaneText(1) == "Page: 1/0"; })) << PaneText(1);
}

}  // namespace
