// The preview as a user meets it through the built DLL: the frame, the view saved in the
// profile, the pages' pixels, the toolbar's clicks, and nothing left behind.
#include "PreviewFixture.h"
#include "GdiObjects.h"
#include "Variants.h"

namespace {

// The title, and the progress counted against the total the provider being recorded announced:
// with a second provider after the first, the last one's once the recording is over.
TEST_F(PreviewTest, FrameOpensTitledWithProgressInTheStatusBar) {
    ComPtr<IPrintExt> second = NewProvider();
    auto& last = *static_cast<CTestProvider*>(second.Get());
    last.pages = 2;
    ASSERT_EQ(print->put_PrintExts(VariantList({provider.Get(), second.Get()}).Get()), S_OK);
    std::vector<std::string> progress;
    Provider().onDraw = last.onDraw = [&](HDC, long index) {
        if (index == 1) progress.push_back(PaneText(0).substr(0, 15));
    };
    print->put_Caption(Bstr(L"<b>Q3</b> report").Get());
    Open();
    EXPECT_EQ(progress, (std::vector<std::string>{"Printing...1/5,", "Printing...6/2,"}));
    EXPECT_EQ(PaneText(0), "Ready");
    EXPECT_TRUE(PumpUntil([&] { return PaneText(1) == "Page: 1/2"; })) << PaneText(1);
    char title[128] = "";
    GetWindowTextA(Frame(), title, sizeof title);
    EXPECT_STREQ(title, "'Q3 report' Print Preview");
}

TEST_F(PreviewTest, ClosingSavesPlacementAndTheView) {
    Open();
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(2, 2));
    SetWindowPos(Frame(), nullptr, 100, 120, 500, 400, SWP_NOZORDER);
    Close();
    EXPECT_EQ(ProfileValue("PrintMainFrame_DX"), 500);
    EXPECT_EQ(ProfileValue("PrintWorkspace_YPages"), 2);

    Open();
    SendWorkspace("PM_MAGNIFYPAGES", 0);  // the zoom list's first entry: 500 %
    ShowWindow(Frame(), SW_MAXIMIZE);
    Close();
    EXPECT_EQ(ProfileValue("PrintMainFrame_Maximized"), 1);
    EXPECT_EQ(ProfileValue("PrintWorkspace_Zoom"), 500);
}

TEST_F(PreviewTest, AutoReleaseDecidesWhetherAnOpenPreviewKeepsTheControl) {
    sink.Disconnect();
    for (bool autoRelease : {false, true}) {
        bool released = false;
        ComPtr<IPrintExt> counted = NewProvider();
        static_cast<CTestProvider*>(counted.Get())->released = &released;
        print->put_PrintExt(counted.Get());
        counted.Reset();
        provider.Reset();
        print->put_AutoRelease(autoRelease ? VARIANT_TRUE : VARIANT_FALSE);
        Open();
        HWND frame = Frame();
        print.Reset();  // the host lets go
        EXPECT_EQ(IsWindow(frame) != FALSE, !autoRelease);
        EXPECT_EQ(released, autoRelease);
        if (IsWindow(frame)) SendMessageA(frame, WM_CLOSE, 0, 0);
        EXPECT_TRUE(released);
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
    }
}

TEST_F(PreviewTest, PagesArePaintedWhiteWithShadowsAndTintedOutsideThePrintSet) {
    print->put_PageRange(Bstr(L"1").Get());
    Open();
    SetWindowPos(Frame(), HWND_TOPMOST, 20, 20, 1200, 900, 0);
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(2, 2));
    UpdateWindow(Workspace());
    Pump(100);
    const std::unique_ptr<DibCanvas> screen = Snapshot(Workspace());
    const COLORREF menu = GetSysColor(COLOR_MENU), white = RGB(255, 255, 255);
    const int y = screen->Height() / 4, middle = screen->Width() / 2;
    // From the middle gap outwards: page 1 ends in its shadow, page 2 follows.
    int x = middle;
    while (x > 0 && screen->At(x, y) == menu) --x;
    ASSERT_GT(x, 0);
    EXPECT_EQ(screen->At(x - 10, y), white) << "page 1 is printed: white";
    x = middle;
    while (x < screen->Width() && screen->At(x, y) == menu) ++x;
    EXPECT_EQ(screen->At(x + 10, y), white & menu) << "page 2 is not printed: tinted";
}

TEST_F(PreviewTest, OpeningAndClosingFiftyTimesLeavesNoObjects) {
    Open();
    Close();
    const long gdi = CountedGdiObjects();
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(print->Preview(), S_OK);
        Pump(10);
        Close();
    }
    EXPECT_LE(CountedGdiObjects(), gdi);
}

TEST_F(PreviewTest, BadInputIsAbsorbed) {
    WriteProfileStringA(kSection, "PrintMainFrame_DX", "wide");
    WriteProfileStringA(kSection, "PrintMainFrame_DY", "-40");
    WriteProfileStringA(kSection, "PrintWorkspace_XPages", "-3");
    WriteProfileStringA(kSection, "PrintWorkspace_Zoom", "x");
    sink.handlers[1] = [this] { print->Preview(); };
    Open();
    sink.handlers.clear();
    SetWindowPos(Frame(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);  // pages under 128 pixels
    SendWorkspace("PM_MAGNIFYPAGES", -1);
    SendWorkspace("PM_MAGNIFYPAGES", 0x7fffffff);
    SendWorkspace("PM_MULTIPLYPAGES", 0);
    SendMessageA(Workspace(), RegisterWindowMessageA("PM_LOADPAGE"), 400, 0);
    UpdateWindow(Workspace());
    Pump(100);
    EXPECT_GE(static_cast<int>(VScroll().nPage), 128) << "the smallest page scrolls";
    Close();
    EXPECT_EQ(ProfileValue("PrintWorkspace_XPages"), 1);
}

class ToolBarPreviewTest : public PreviewTest {
protected:
    // Opens the preview if needed with the layout, after the item's caption.
    void Put(const wchar_t* format, const wchar_t* caption = nullptr) {
        if (caption) print->put_ItemCaption(ItemCaptionEnum(wcstol(format, nullptr, 10)), Bstr(caption).Get());
        if (!Frame()) print->Preview();
        print->put_ToolBarFormat(Bstr(format).Get());
        Pump(50);
        sink.events.clear();
    }
};

TEST_F(ToolBarPreviewTest, ClicksReachTheSinkAndTheWorkspace) {
    const struct {
        const wchar_t *format, *caption;
        std::vector<std::string> events;
        bool closes;
    } cases[] = {
        {L"200", L"Hello#5", {"Click 200 5"}, false},
        {L"200", L"<a go;row=2>Follow the link</a>", {"AnchorClick go row=2"}, false},  // and no Click
        {L"101", nullptr, {"Click 101 0", "Refreshing", "Refresh"}, false},  // one page, laid out again
        {L"105", nullptr, {"Click 105 0"}, true},
    };
    Open();
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(3, 1));
    for (const auto& c : cases) {
        Put(c.format, c.caption);
        AtFirstButton(" click 1", [&] { return sink.events.size() >= c.events.size() && (!c.closes || !Frame()); });
        Pump(100);
        EXPECT_EQ(sink.events, c.events) << ToAnsi(c.format, -1);
        EXPECT_EQ(Frame() == nullptr, c.closes) << ToAnsi(c.format, -1);
    }
}

// A two-row layout put while the preview is open makes the toolbar taller at once and moves
// the pages below it; the zoom list, held open, holds its 11 entries.
TEST_F(ToolBarPreviewTest, MoreRowsResizeAtOnceAndTheZoomListHoldsElevenEntries) {
    OpenOnTop();
    RECT bar{}, pages{}, moved{};
    GetWindowRect(Child("Koravel.ToolBar"), &bar);
    GetWindowRect(Workspace(), &pages);
    const int row = bar.bottom - bar.top - 6;  // each row, above the 6 pixels of edges
    print->put_ToolBarFormat(Bstr(L"100,101/102,103").Get());
    GetWindowRect(Child("Koravel.ToolBar"), &bar);
    GetWindowRect(Workspace(), &moved);
    EXPECT_EQ(bar.bottom - bar.top, 2 * row + 6);
    EXPECT_EQ(moved.top - pages.top, row);
    Put(L"100");
    std::atomic<LRESULT> rows{-1};
    std::thread user([&] {
        HWND list = nullptr;
        for (int i = 0; i < 300 && !list; ++i, Sleep(10))
            list = FindWindowExA(GetDesktopWindow(), nullptr, "Koravel.Zoom.ListBox", nullptr);
        if (list) rows = SendMessageA(list, LB_GETCOUNT, 0, 0);  // the list's modal loop answers
        Xdotool("mousemove 1900 1000 mouseup 1");                 // released outside: no choice
    });
    AtFirstButton(" mousedown 1", [&] { return rows >= 0; });
    user.join();
    EXPECT_EQ(rows, 11);
    Pump(100);
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(ToolBarPreviewTest, ClosingWhileRecording) {
    // Closed by a click from inside DrawPage (a host's DoEvents): nothing is left half made.
    Put(L"105", L"Close");
    Provider().pages = 3;
    Provider().onDraw = [&](HDC, long index) {
        if (index == 1) AtFirstButton(" click 1", [&] { return !Frame(); });
    };
    print->Refresh();  // the first page now, the next when the host reads the pages
    long count = -1;
    EXPECT_TRUE(SUCCEEDED(print->get_PagesCount(&count)) && count == 0) << count;
    Provider().onDraw = nullptr;
    EXPECT_EQ(Frame(), nullptr);
}

}  // namespace
