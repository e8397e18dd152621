// Working in the preview with real X input: clicks, keys and the clipboard, the magnifier and
// panning, the margin guides, the selection of an area to print, scrolling, and input gone wrong.
#include "PreviewFixture.h"

namespace {

// With real X input: Ctrl and Ctrl+Shift clicks rewrite the page range, a click makes a page
// current, keys move the current page, Ctrl+C leaves the current page on the clipboard.
TEST_F(PreviewTest, ClicksKeysAndTheClipboard) {
    OpenOnTop();
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(3, 2));
    UpdateWindow(Workspace());
    Pump(100);
    // The second page of the first row: the second run of page pixels along a line through that row.
    RECT client;
    GetClientRect(Workspace(), &client);
    const int y = client.bottom / 4;
    POINT second{-1, y};
    {
        HDC dc = GetDC(Workspace());
        int runs = 0;
        bool onPage = false;
        for (int x = 0; x < client.right && second.x < 0; ++x) {
            const bool page = GetPixel(dc, x, y) != GetSysColor(COLOR_MENU);
            if (page && !onPage && ++runs == 2) second.x = x + 20;
            onPage = page;
        }
        ReleaseDC(Workspace(), dc);
    }
    ASSERT_GT(second.x, 0);
    auto range = [this] {
        Bstr text;
        print->get_PageRange(text.Put());
        return text.ToAnsi();
    };
    const struct {
        const char* click;
        const char* range;
    } clicks[] = {{"keydown ctrl click 1 keyup ctrl", "1,3-"},
                  {"keydown ctrl click 1 keyup ctrl", ""},
                  {"keydown ctrl keydown shift click 1 keyup shift keyup ctrl", "2"}};
    for (const auto& c : clicks) {
        // Settle on the page first, and let the click stand alone (no double-click with the last).
        const std::string before = range();
        RealInput("sleep 0.6 mousemove " + At(second, Workspace()) + " sleep 0.2 " + c.click,
                  [&] { return range() != before; });
        EXPECT_EQ(range(), c.range) << c.click;
    }
    RealInput("sleep 0.6 " + ClickAt(Workspace(), second), [&] { return PaneText(1) == "Page: 2/5"; });
    EXPECT_EQ(PaneText(1), "Page: 2/5");
    const struct {
        WPARAM key;
        const char* pane;
    } keys[] = {{VK_END, "Page: 5/5"}, {VK_HOME, "Page: 1/5"}, {VK_RIGHT, "Page: 2/5"}, {VK_NEXT, "Page: 5/5"}};
    for (const auto& k : keys) {
        PostMessageA(Workspace(), WM_KEYDOWN, k.key, 0);
        for (DWORD start = GetTickCount(); GetTickCount() - start < 3000 && PaneText(1) != k.pane;) Pump(20);
        EXPECT_EQ(PaneText(1), k.pane) << k.key;
    }
    // Ctrl+C typed into the workspace.
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    // A click off the pages gives the workspace the keyboard (and nothing else), as a user's would.
    RealInput("sleep 0.6 " + ClickAt(Workspace(), {2, 2}) + " sleep 0.4 key ctrl+c",
              [] { return IsClipboardFormatAvailable(CF_ENHMETAFILE) != FALSE; });
    ASSERT_TRUE(OpenClipboard(nullptr));
    HENHMETAFILE copy = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    std::vector<BYTE> clipboard(copy ? GetEnhMetaFileBits(copy, 0, nullptr) : 0);
    if (copy) GetEnhMetaFileBits(copy, static_cast<UINT>(clipboard.size()), clipboard.data());
    CloseClipboard();
    // The records are those of the current page (5), as the export writes it.
    long written = 0;
    ASSERT_EQ(print->CopyTo(Bstr(L"Z:\\tmp\\tvrclip%i.emf").Get(), &written), S_OK);
    auto exported = [](int page) {
        const std::string name = "Z:\\tmp\\tvrclip" + std::to_string(page) + ".emf";
        HENHMETAFILE file = GetEnhMetaFileA(name.c_str());
        std::vector<BYTE> bits(file ? GetEnhMetaFileBits(file, 0, nullptr) : 0);
        if (file) GetEnhMetaFileBits(file, static_cast<UINT>(bits.size()), bits.data());
        DeleteEnhMetaFile(file);
        DeleteFileA(name.c_str());
        return bits;
    };
    EXPECT_EQ(written, 5);
    EXPECT_GT(clipboard.size(), sizeof(ENHMETAHEADER));
    EXPECT_TRUE(clipboard != exported(4)) << "pages differ by their numbers";
    EXPECT_TRUE(clipboard == exported(5)) << "the current page's records";
    for (int i = 1; i <= 3; ++i) exported(i);
}

// A click on the current page magnifies it to 100%; a press held 400 ms pans instead; the next
// click goes back to the fitted view.
TEST_F(PreviewTest, MagnifierClickAndPan) {
    OpenOnTop();
    auto pageHeight = [this] { return static_cast<int>(VScroll().nPage); };
    RECT client;
    GetClientRect(Workspace(), &client);
    POINT centre{client.right / 2, client.bottom / 2};
    ClientToScreen(Workspace(), &centre);
    const std::string at = "sleep 0.6 mousemove " + std::to_string(centre.x) + " " + std::to_string(centre.y) + " sleep 0.2 ";
    const int fitted = pageHeight();
    HDC screen = GetDC(nullptr);
    const int magnified = MulDiv(11692, GetDeviceCaps(screen, LOGPIXELSY), 1000);  // A4 at 100%
    ReleaseDC(nullptr, screen);
    RealInput(at + "click 1", [&] { return pageHeight() != fitted; });
    EXPECT_NEAR(pageHeight(), magnified, 2);
    RealInputToEnd(at + "mousedown 1 sleep 0.4 mouseup 1");
    EXPECT_NEAR(pageHeight(), magnified, 2) << "a held press pans";
    RealInput(at + "click 1", [&] { return pageHeight() == fitted; });
    EXPECT_EQ(pageHeight(), fitted);
}


// The margin guides of a single page: the cursor and the tooltip over a handle, a drag onto the
// page's edge, Ctrl+double-click copying the opposite margin, double-click opening page setup.
TEST_F(PreviewTest, MarginGuidesDragCopyAndPageSetup) {
    CEventSink sink;
    ASSERT_TRUE(sink.Connect(print.Get()));
    OpenOnTop();
    const RECT page = CurrentPageRect(Workspace());
    ASSERT_GT(page.right - page.left, 100);
    const long paperWidth = Setting(print.Get(), kvPaperWidth), paperHeight = Setting(print.Get(), kvPaperHeight);
    const long right = Setting(print.Get(), kvRightMargin), top = Setting(print.Get(), kvTopMargin);
    ASSERT_GT(Setting(print.Get(), kvLeftMargin), 0);
    const POINT leftHandle{page.left + MulDiv(Setting(print.Get(), kvLeftMargin), page.right - page.left, paperWidth),
                           page.top - 13};
    const POINT topHandle{page.left - 13, page.top + MulDiv(top, page.bottom - page.top, paperHeight)};

    HWND tip = FindWindowA("Koravel.Print.CommentWindow", nullptr);
    RealInput("sleep 0.6 mousemove " + At(leftHandle, Workspace()) + " sleep 0.1 mousemove_relative 1 0",
              [&] { return IsWindowVisible(tip) != FALSE; });
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_SIZEWE));
    EXPECT_TRUE(IsWindowVisible(tip)) << "the margin's tooltip";
    // Over the current page of the fitted view, the magnifier's cursor.
    const HCURSOR magnifyIn = LoadCursorA(GetModuleHandleA("Tavrin.DLL"), MAKEINTRESOURCEA(213));
    ASSERT_NE(magnifyIn, nullptr);
    RealInput("sleep 0.2 mousemove " + At({(page.left + page.right) / 2, (page.top + page.bottom) / 2}, Workspace()),
              [&] { return GetCursor() == magnifyIn; });
    EXPECT_EQ(GetCursor(), magnifyIn);

    // Dragged past the page's left edge, the guide stops on it: margin 0, pages recorded anew.
    sink.events.clear();
    RealInput("mousemove " + At(leftHandle, Workspace()) + " mousedown 1 sleep 0.1 mousemove " +
                  At({page.left - 30, page.top - 13}, Workspace()) + " sleep 0.1 mouseup 1",
              [&] { return Setting(print.Get(), kvLeftMargin) == 0; });
    EXPECT_EQ(Setting(print.Get(), kvLeftMargin), 0);
    EXPECT_NE(std::find(sink.events.begin(), sink.events.end(), "Refresh"), sink.events.end());

    // Ctrl+double-click on the left handle, now on the edge: the right margin comes over.
    UpdateWindow(Workspace());
    RealInput("sleep 0.6 mousemove " + At({page.left, page.top - 13}, Workspace()) +
                  " sleep 0.2 keydown ctrl click --repeat 2 --delay 60 1 keyup ctrl",
              [&] { return Setting(print.Get(), kvLeftMargin) != 0; });
    EXPECT_EQ(Setting(print.Get(), kvLeftMargin), right);

    // A double-click on the top handle opens the page-setup dialog: cancelled, nothing changes;
    // confirmed (here from toolbar command 103), the pages are recorded anew even unchanged.
    for (const int answer : {IDCANCEL, IDOK}) {
        std::atomic<bool> dialogSeen{false};
        std::thread closer([&] {
            for (DWORD start = GetTickCount(); GetTickCount() - start < 15000 && !dialogSeen; Sleep(50)) {
                HWND dialog = FindWindowA("#32770", nullptr);
                if (dialog && GetWindow(dialog, GW_OWNER) == Frame()) {
                    dialogSeen = true;
                    PostMessageA(dialog, WM_COMMAND, answer, 0);
                }
            }
        });
        sink.events.clear();
        if (answer == IDCANCEL)
            RealInput("sleep 0.6 mousemove " + At(topHandle, Workspace()) + " sleep 0.2 click --repeat 2 --delay 60 1",
                      [&] { return dialogSeen.load(); });
        else
            PostMessageA(Workspace(), WM_COMMAND, 103, 0);
        for (DWORD start = GetTickCount(); GetTickCount() - start < 15000 && !dialogSeen;) Pump(20);
        closer.join();
        Pump(200);
        EXPECT_TRUE(dialogSeen) << answer;
        EXPECT_EQ(Setting(print.Get(), kvTopMargin), top);
        const bool refreshed = std::find(sink.events.begin(), sink.events.end(), "Refresh") != sink.events.end();
        EXPECT_EQ(refreshed, answer == IDOK);
    }

    // Two pages across: no guides, the page moves up into the rulers' place.
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(2, 1));
    UpdateWindow(Workspace());
    Pump(100);
    EXPECT_LT(CurrentPageRect(Workspace()).top, page.top);
}

// A right-drag on page 3 selects an area: framed on screen, and DoPrint prints that page with
// only the area (the caption at the top stays blank). A 3 x 10 drag selects nothing again.
TEST_F(PreviewTest, RightDragSelectsTheAreaToPrint) {
    const std::string name = "tvrsel" + std::to_string(GetTickCount());
    print->put_Caption(Bstr(std::wstring(name.begin(), name.end()).c_str()).Get());
    OpenOnTop();
    for (int i = 0; i < 2; ++i) PostMessageA(Workspace(), WM_KEYDOWN, VK_NEXT, 0);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000 && PaneText(1) != "Page: 3/5";) Pump(20);
    UpdateWindow(Workspace());
    Pump(100);
    const RECT page = CurrentPageRect(Workspace());
    const int w = page.right - page.left, h = page.bottom - page.top;
    const POINT from{page.left + w / 4, page.top + h * 3 / 10}, to{page.right - w / 4, page.top + h * 7 / 10};
    const COLORREF frame = RGB(150, 217, 249);
    RealInputToEnd("sleep 0.6 mousemove " + At(from, Workspace()) + " sleep 0.2 mousedown 3 mousemove " +
                  At({from.x + 20, from.y + 20}, Workspace()) + " sleep 0.1 mousemove " + At(to, Workspace()) +
                  " sleep 0.1 mouseup 3");
    UpdateWindow(Workspace());
    const std::unique_ptr<DibCanvas> selected = Snapshot(Workspace());
    EXPECT_EQ(selected->At(from.x, (from.y + to.y) / 2), frame);
    EXPECT_EQ(selected->At(from.x - 10, (from.y + to.y) / 2), RGB(255, 255, 255) & GetSysColor(COLOR_MENU))
        << "tinted outside the selection";

    VARIANT noUI;
    VariantInit(&noUI);
    noUI.vt = VT_BOOL;
    noUI.boolVal = VARIANT_FALSE;
    ASSERT_EQ(print->DoPrint(noUI), S_OK);
    const std::string pdf = UnixOutput(
        "dir=${HOME:-/root}/PDF; for i in $(seq 60); do f=$(ls -t $dir/" + name +
        "* 2>/dev/null | head -n 1); [ -n \"$f\" ] && [ -z \"$(lpstat -o PDF 2>/dev/null)\" ] && break; sleep 0.5; done\n"
        "sleep 1; pdfinfo \"$f\" | awk '/^Pages:/ {printf \"%s \", $2}'\n"
        "pdftoppm -f 1 -l 1 -r 40 -gray \"$f\" | python3 -c 'import sys; d=sys.stdin.buffer.read().split(maxsplit=4); "
        "w,h=int(d[1]),int(d[2]); band=d[4][:w*(h//20)]; print(\"ink\" if band and min(band)<128 else \"blank\")'\n"
        "rm -f $dir/" + name + "*");
    EXPECT_EQ(pdf, "1 blank\n") << "one page, its caption band outside the selection";

    RealInputToEnd("sleep 0.6 mousemove " + At(from, Workspace()) + " sleep 0.2 mousedown 3 mousemove " +
                   At({from.x + 3, from.y + 10}, Workspace()) + " sleep 0.1 mouseup 3");
    UpdateWindow(Workspace());
    EXPECT_EQ(Snapshot(Workspace())->Count(frame), 0) << "a 3 x 10 drag selects nothing";
}


// Work in the preview that goes wrong: drags cancelled with ESC or released far outside the
// window, clicks on the rulers and off the pages with modifiers, wheel deltas of any size, keys
// with one page and with none, Ctrl+C while the clipboard is held: nothing sticks or breaks.
TEST_F(PreviewTest, InteractionBadInputIsAbsorbed) {
    static_cast<CTestProvider*>(provider.Get())->pages = 1;
    OpenOnTop();
    const RECT page = CurrentPageRect(Workspace());
    const long left = Setting(print.Get(), kvLeftMargin), paper = Setting(print.Get(), kvPaperWidth);
    const POINT handle{page.left + MulDiv(left, page.right - page.left, paper), page.top - 13};
    const POINT middle{(page.left + page.right) / 2, (page.top + page.bottom) / 2};
    const std::string drags[] = {
        // the left guide dragged past the right one and beyond the screen, then ESC
        "mousemove " + At(handle, Workspace()) + " mousedown 1 mousemove 1919 " + std::to_string(page.top) +
            " sleep 0.1 key Escape mouseup 1",
        // released far outside the window
        "mousemove " + At(handle, Workspace()) + " mousedown 1 mousemove 1919 1079 sleep 0.1 mouseup 1",
        // a selection cancelled with ESC
        "mousemove " + At(middle, Workspace()) + " mousedown 3 mousemove_relative 80 80 sleep 0.1 key Escape mouseup 3",
        // clicks on the rulers and off the pages, with every modifier
        "mousemove " + At({page.left - 13, page.top - 13}, Workspace()) + " keydown ctrl keydown shift click 1 click 3 "
            "keyup shift keyup ctrl mousemove " + At({2, 2}, Workspace()) + " keydown shift click 1 click 3 keyup shift",
    };
    for (const std::string& d : drags) {
        RealInputToEnd("sleep 0.6 " + d);
        EXPECT_EQ(GetCapture(), nullptr) << d;
        const long now = Setting(print.Get(), kvLeftMargin);
        EXPECT_TRUE(now >= 0 && now + Setting(print.Get(), kvRightMargin) <= paper) << d << ": " << now;
    }
    UpdateWindow(Workspace());
    EXPECT_EQ(Snapshot(Workspace())->Count(RGB(150, 217, 249)), 0) << "no selection left";

    for (const short delta : {short(-32768), short(32767), short(1), short(-119)})
        SendMessageA(Workspace(), WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
    ASSERT_TRUE(OpenClipboard(nullptr));  // held: Ctrl+C must give up quietly
    for (const long pages : {1L, 0L}) {
        static_cast<CTestProvider*>(provider.Get())->pages = pages;
        print->Refresh();
        for (const WPARAM key : {VK_END, VK_NEXT, VK_DOWN, VK_RIGHT, VK_PRIOR, VK_UP, VK_LEFT, VK_HOME})
            SendMessageA(Workspace(), WM_KEYDOWN, key, 0);
        SetForegroundWindow(Frame());
        SetFocus(Workspace());
        RealInputToEnd("key ctrl+c");
        Pump(100);
        EXPECT_EQ(PaneText(1), "Page: 1/" + std::to_string(pages)) << "the first page stays current";
    }
    CloseClipboard();
}

// Scrolling five pages: whole pages per step in a fitted view, four pages per Page Down in a
// 2 x 2 grid.
TEST_F(PreviewTest, ScrollingLandsOnScreenfuls) {
    OpenOnTop();
    const int page = static_cast<int>(VScroll().nPage);
    ASSERT_GT(page, 100);
    const struct {
        WPARAM code;
        int pages;  // first page showing after it
    } steps[] = {{SB_LINEDOWN, 1}, {SB_PAGEDOWN, 2}, {SB_LINEDOWN, 3}, {SB_LINEUP, 2}, {SB_PAGEUP, 1}, {SB_PAGEUP, 0},
                 {SB_LINEUP, 0}};
    for (const auto& s : steps) {
        SendMessageA(Workspace(), WM_VSCROLL, s.code, 0);
        EXPECT_EQ(VScroll().nPos, s.pages * page) << s.code;
    }
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(2, 2));
    PostMessageA(Workspace(), WM_KEYDOWN, VK_NEXT, 0);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000 && PaneText(1) != "Page: 5/5";) Pump(20);
    EXPECT_EQ(PaneText(1), "Page: 5/5");
}

}  // namespace
