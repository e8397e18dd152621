// The preview as a user meets it, through the built DLL under Xvfb: the frame's place and
// title, its children, the status bar, the workspace's answers, the view saved in the profile,
// the pixels of the pages, and nothing left behind.
#include "PreviewFixture.h"

namespace {

// A provider whose object notes when the last reference goes.
class CCountedProvider : public CTestProvider {
public:
    explicit CCountedProvider(IUnknown* outer) : CTestProvider(outer) {}
    ~CCountedProvider() override { if (released) *released = true; }
    bool* released = nullptr;
};

// Reads the frame's status pane 0 while it draws page 2.
class CProgressReader : public CTestProvider {
public:
    explicit CProgressReader(IUnknown* outer) : CTestProvider(outer) {}
    STDMETHODIMP DrawPage(VARIANT, long, IDispatch* page, VARIANT_BOOL*) override {
        ComPtr<IPage> p;
        long index = -1;
        if (page && SUCCEEDED(page->QueryInterface(IID_IPage, p.PutVoid()))) p->get_Index(&index);
        HWND frame = FindWindowA("Koravel.Print.MainFrame", nullptr);
        HWND bar = FindWindowExA(frame, nullptr, "Koravel.StatusBar", nullptr);
        char text[256] = "";
        if (index == 2 && bar) SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        if (index == 2) seen = text;
        return S_OK;
    }
    std::string seen;
};

TEST_F(PreviewTest, ToolBarSitsAtTheTopAndItsClicksReachTheSink) {
    CEventSink sink;
    ASSERT_TRUE(sink.Connect(print.Get()));
    ASSERT_EQ(print->put_ItemCaption(static_cast<ItemCaptionEnum>(200), Bstr(L"Hello#5").Get()), S_OK);
    Open();
    HWND bar = Child("Koravel.ToolBar");
    ASSERT_NE(bar, nullptr);
    RECT r{}, frame{};
    GetWindowRect(bar, &r);
    GetClientRect(Frame(), &frame);
    POINT origin{0, 0};
    ClientToScreen(Frame(), &origin);
    EXPECT_EQ(r.top, origin.y);
    EXPECT_EQ(r.right - r.left, frame.right);
    EXPECT_GE(r.bottom - r.top, 31);

    const struct {
        const wchar_t* format;
        std::vector<std::string> events;
        bool closes;
    } cases[] = {
        {L"200", {"Click 200 5"}, false},
        {L"101", {"Click 101 0", "Refreshing", "Refresh"}, false},  // one page, laid out again
        {L"105", {"Click 105 0"}, true},
    };
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(3, 1));
    for (const auto& c : cases) {
        ASSERT_EQ(print->put_ToolBarFormat(Bstr(c.format).Get()), S_OK);
        Pump(50);
        sink.events.clear();
        ClickToolBar(sink, c.closes);
        EXPECT_EQ(sink.events, c.events) << ToAnsi(c.format, -1);
        EXPECT_EQ(Frame() == nullptr, c.closes) << ToAnsi(c.format, -1);
    }
    EXPECT_EQ(ProfileValue("PrintWorkspace_XPages"), 1) << "101 showed one page before 105 closed";
    sink.Disconnect();
}

TEST_F(PreviewTest, FrameOpensAtTheScreenThirdTitledAfterThePlainCaption) {
    const struct {
        const wchar_t* caption;
        const char* title;
    } cases[] = {{nullptr, "'Untitled Document' Print Preview"}, {L"<b>Q3</b> report", "'Q3 report' Print Preview"}};
    for (const auto& c : cases) {
        if (c.caption) print->put_Caption(Bstr(c.caption).Get());
        Open();
        HWND frame = Frame();
        EXPECT_EQ(ClassOf(frame), "Koravel.Print.MainFrame");
        char title[128] = "";
        GetWindowTextA(frame, title, sizeof title);
        EXPECT_STREQ(title, c.title);
        const int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
        RECT r;
        GetWindowRect(frame, &r);
        EXPECT_EQ(r.left, (sx - sx / 3) / 2);
        EXPECT_EQ(r.top, (sy - sy / 3) / 2);
        EXPECT_EQ(r.right - r.left, sx / 3);
        EXPECT_EQ(r.bottom - r.top, sy / 3);
        // The workspace fills the client area inside a 4-pixel border, below the toolbar and
        // above the status bar.
        RECT client, work, bar, tools;
        GetClientRect(frame, &client);
        GetWindowRect(Workspace(), &work);
        GetWindowRect(Child("Koravel.StatusBar"), &bar);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&work), 2);
        MapWindowPoints(nullptr, frame, reinterpret_cast<POINT*>(&bar), 2);
        EXPECT_EQ(work.left, 4);
        GetClientRect(Child("Koravel.ToolBar"), &tools);
        EXPECT_EQ(work.top, tools.bottom + 4);
        EXPECT_EQ(work.right, client.right - 4);
        EXPECT_EQ(work.bottom, bar.top - 4);
        EXPECT_EQ(bar.bottom, client.bottom);
        // A second Preview leaves the open frame as it is.
        EXPECT_EQ(print->Preview(), S_OK);
        EXPECT_EQ(Frame(), frame);
        Close();
        WriteProfileStringA(kSection, nullptr, nullptr);
    }
}

TEST_F(PreviewTest, StatusBarShowsReadyAndTheCurrentPage) {
    Open();
    EXPECT_EQ(PaneText(0), "Ready");
    EXPECT_EQ(PaneText(1), "Page: 1/5");
    long count = 0;
    print->get_PagesCount(&count);
    EXPECT_EQ(count, 5);
}

TEST_F(PreviewTest, ProgressTextWhileRecording) {
    ComPtr<IPrintExt> reader = Make<CProgressReader, IPrintExt>();
    static_cast<CProgressReader*>(reader.Get())->pages = 5;
    print->put_PrintExt(reader.Get());
    Open();
    EXPECT_EQ(static_cast<CProgressReader*>(reader.Get())->seen,
              "Printing...2/5, press ESC to cancel the current printing job.");
}

TEST_F(PreviewTest, GridMessagesSetTheViewThatClosingSaves) {
    Open();
    // 2 x 2 with 5 pages: two page heights of range plus what one screenful overflows.
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(2, 2));
    RECT client;
    GetClientRect(Workspace(), &client);
    SCROLLINFO si = VScroll();
    const int h = static_cast<int>(si.nPage);
    EXPECT_GE(h, 128);
    EXPECT_EQ(si.nMax + 1, 2 * h + std::max(0, 2 * h + 4 - static_cast<int>(client.bottom)));
    // The largest grid of 128-pixel pages (A4, portrait: 128 x 181) in the client less 4 a side.
    const LRESULT grid = SendWorkspace("PM_PREMULTIPLYPAGES", 0);
    EXPECT_EQ(LOWORD(grid), (client.right - 8 + 4) / (4 + 128));
    EXPECT_EQ(HIWORD(grid), (client.bottom - 8 + 4) / (4 + MulDiv(128, 11692, 8263)));

    const struct {
        LPARAM entry;
        int zoomFixed, pageWidth, xPages, yPages, zoom;  // -1: any value
    } cases[] = {
        {0, 1, 0, -1, -1, 500}, {8, 0, 1, 1, 1, -1}, {9, 0, 0, 1, 1, -1}, {10, 0, 0, 2, 1, -1},
        {11, 0, 0, 2, 1, -1},  // outside the zoom list: nothing changes
    };
    for (const auto& c : cases) {
        SendWorkspace("PM_MAGNIFYPAGES", c.entry);
        Close();
        EXPECT_EQ(ProfileValue("PrintWorkspace_ZoomFixed"), c.zoomFixed) << c.entry;
        EXPECT_EQ(ProfileValue("PrintWorkspace_PageWidth"), c.pageWidth) << c.entry;
        if (c.xPages >= 0) {
            EXPECT_EQ(ProfileValue("PrintWorkspace_XPages"), c.xPages) << c.entry;
        }
        if (c.yPages >= 0) {
            EXPECT_EQ(ProfileValue("PrintWorkspace_YPages"), c.yPages) << c.entry;
        }
        if (c.zoom >= 0) {
            EXPECT_EQ(ProfileValue("PrintWorkspace_Zoom"), c.zoom) << c.entry;
        }
        EXPECT_GE(ProfileValue("PrintWorkspace_XPages"), 1);
        Open();
    }
    // Toolbar commands: One Page, then Close (which posts the close to the frame).
    SendMessageA(Workspace(), WM_COMMAND, 101, 0);
    HWND frame = Frame();
    SendMessageA(Workspace(), WM_COMMAND, 105, 0);
    Pump(50);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(ProfileValue("PrintWorkspace_XPages"), 1);
    EXPECT_EQ(ProfileValue("PrintWorkspace_YPages"), 1);
}

TEST_F(PreviewTest, ClosingSavesPlacementAndMaximizedState) {
    Open();
    SetWindowPos(Frame(), nullptr, 100, 120, 500, 400, SWP_NOZORDER);
    Close();
    EXPECT_EQ(ProfileValue("PrintMainFrame_X"), 100);
    EXPECT_EQ(ProfileValue("PrintMainFrame_Y"), 120);
    EXPECT_EQ(ProfileValue("PrintMainFrame_DX"), 500);
    EXPECT_EQ(ProfileValue("PrintMainFrame_DY"), 400);
    EXPECT_EQ(ProfileValue("PrintMainFrame_Maximized"), 0);
    Open();
    RECT r;
    GetWindowRect(Frame(), &r);
    EXPECT_EQ(r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 400);
    ShowWindow(Frame(), SW_MAXIMIZE);
    Close();
    EXPECT_EQ(ProfileValue("PrintMainFrame_Maximized"), 1);
    EXPECT_EQ(ProfileValue("PrintMainFrame_X"), 100);
    Open();
    EXPECT_TRUE(IsZoomed(Frame()));
}

TEST_F(PreviewTest, AutoReleaseDecidesWhetherAnOpenPreviewKeepsTheControl) {
    for (bool autoRelease : {false, true}) {
        bool released = false;
        ComPtr<IPrintExt> counted = Make<CCountedProvider, IPrintExt>();
        static_cast<CCountedProvider*>(counted.Get())->released = &released;
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
        EXPECT_FALSE(IsWindow(frame));
        EXPECT_TRUE(released);
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
    }
    EXPECT_EQ(TavrinModule::Get().CanUnloadNow(), S_FALSE);  // the new control is alive
}


TEST_F(PreviewTest, PagesArePaintedWhiteWithShadowsAndTintedOutsideThePrintSet) {
    print->put_PageRange(Bstr(L"1").Get());
    Open();
    SetWindowPos(Frame(), HWND_TOPMOST, 20, 20, 1200, 900, 0);
    SendWorkspace("PM_MULTIPLYPAGES", MAKELONG(2, 2));
    UpdateWindow(Workspace());
    Pump(100);
    RECT client;
    GetClientRect(Workspace(), &client);
    ScreenPixels screen(Workspace());
    const COLORREF menu = GetSysColor(COLOR_MENU), shadow = GetSysColor(COLOR_BTNSHADOW);
    const int y = client.bottom / 4, middle = client.right / 2;
    EXPECT_EQ(screen.At(1, 1), menu) << "background";
    // From the middle gap outwards along one row: page 1 ends in its shadow, page 2 follows.
    int x = middle;
    while (x > 0 && screen.At(x, y) == menu) --x;
    ASSERT_GT(x, 0);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(screen.At(x - i, y), shadow) << i;
    EXPECT_EQ(screen.At(x - 10, y), RGB(255, 255, 255)) << "page 1 is printed: white";
    x = middle;
    while (x < client.right && screen.At(x, y) == menu) ++x;
    EXPECT_EQ(screen.At(x + 10, y), RGB(255, 255, 255) & menu) << "page 2 is not printed: tinted";
}

TEST_F(PreviewTest, OpeningAndClosingFiftyTimesLeavesNoObjects) {
    Open();
    Close();
    const long gdi = GdiObjectCount();
    for (int i = 0; i < 50; ++i) {
        ASSERT_EQ(print->Preview(), S_OK);
        Pump(10);
        Close();
    }
    EXPECT_LE(GdiObjectCount(), gdi);
    EXPECT_EQ(FindWindowA("Koravel.Print.MainFrame", nullptr), nullptr);
}

TEST_F(PreviewTest, RefreshRecordsAgainOnlyWithAnOpenPreview) {
    CEventSink sink;
    ASSERT_TRUE(sink.Connect(print.Get()));
    EXPECT_EQ(print->Refresh(), S_OK);
    EXPECT_TRUE(sink.events.empty()) << "no preview: nothing recorded";
    Open();
    sink.events.clear();
    EXPECT_EQ(print->Refresh(), S_OK);
    print->put_ShowMargins(VARIANT_FALSE);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Refreshing", "Refresh", "Refreshing", "Refresh"}));
    // With the preview open, DoPrint prints what is recorded: no dialog, no new recording.
    sink.events.clear();
    VARIANT showUI;
    VariantInit(&showUI);
    EXPECT_EQ(print->DoPrint(showUI), S_OK);
    EXPECT_TRUE(sink.events.empty());
    sink.Disconnect();
}

TEST_F(PreviewTest, BadInputIsAbsorbed) {
    // Hand-edited profile values: not numbers, negative sizes.
    WriteProfileStringA(kSection, "PrintMainFrame_DX", "wide");
    WriteProfileStringA(kSection, "PrintMainFrame_DY", "-40");
    WriteProfileStringA(kSection, "PrintWorkspace_XPages", "-3");
    WriteProfileStringA(kSection, "PrintWorkspace_Zoom", "x");
    CEventSink sink;
    ASSERT_TRUE(sink.Connect(print.Get()));
    // Preview asked for again from inside the refresh it starts.
    sink.handlers[1] = [this] { print->Preview(); };
    Open();
    sink.handlers.clear();
    SetWindowPos(Frame(), nullptr, 0, 0, 120, 90, SWP_NOMOVE | SWP_NOZORDER);  // pages under 128 pixels
    SendWorkspace("PM_MAGNIFYPAGES", -1);
    SendWorkspace("PM_MAGNIFYPAGES", 0x7fffffff);
    SendMessageA(Workspace(), RegisterWindowMessageA("PM_LOADPAGE"), 400, 0);
    SendWorkspace("PM_MULTIPLYPAGES", 0);
    UpdateWindow(Workspace());
    Pump(100);
    EXPECT_GE(static_cast<int>(VScroll().nPage), 128) << "the smallest page scrolls";
    long count = 0;
    print->get_PagesCount(&count);
    EXPECT_EQ(count, 5);
    Close();
    EXPECT_EQ(ProfileValue("PrintWorkspace_XPages"), 1);
    sink.Disconnect();
}

}  // namespace
