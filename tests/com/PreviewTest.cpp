// The preview as a user meets it, through the built DLL under Xvfb: the frame's place and
// title, its children, the status bar, the workspace's answers, the view saved in the profile,
// the pixels of the pages, and nothing left behind.
#include "ComObject.h"
#include "ComPtr.h"
#include "EventSink.h"
#include "GdiCount.h"
#include "DibCanvas.h"
#include "RealInput.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include "TestProvider.h"
#include "Text.h"
#include <commctrl.h>
#include <string>
#include <thread>
#include <algorithm>
#include <atomic>
#include <fstream>
#include <memory>

namespace {

constexpr const char* kSection = "Koravel.Print";

void Pump(DWORD ms) {
    const DWORD end = GetTickCount() + ms;
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(5);
    } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

std::string ClassOf(HWND w) {
    char name[64] = "";
    GetClassNameA(w, name, sizeof name);
    return name;
}

// Reads the workspace as it is on screen.
class ScreenPixels {
public:
    explicit ScreenPixels(HWND w) : w_(w), dc_(GetDC(w)) {}
    ~ScreenPixels() { ReleaseDC(w_, dc_); }
    COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }

private:
    HWND w_;
    HDC dc_;
};

int ProfileValue(const char* name) { return static_cast<int>(GetProfileIntA(kSection, name, -999)); }

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

class PreviewTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        WriteProfileStringA(kSection, nullptr, nullptr);  // a fresh profile
        // Wine's menu colour is white, as white as a page: make the background tell.
        const int element = COLOR_MENU;
        const COLORREF grey = RGB(212, 208, 200);
        menuColour_ = GetSysColor(COLOR_MENU);
        SetSysColors(1, &element, &grey);
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        CTestProvider* p = nullptr;
        provider = Make<CTestProvider, IPrintExt>();
        p = static_cast<CTestProvider*>(provider.Get());
        p->pages = 5;
        ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
    }
    void TearDown() override {
        if (HWND f = Frame()) SendMessageA(f, WM_CLOSE, 0, 0);
        const int element = COLOR_MENU;
        SetSysColors(1, &element, &menuColour_);
        WriteProfileStringA(kSection, nullptr, nullptr);  // leave no test's placement to a user
        print.Reset();
        provider.Reset();
        ComTest::TearDown();
    }
    HWND Frame() {
        long h = 0;
        if (print) print->get_hWnd(&h);
        return reinterpret_cast<HWND>(static_cast<LONG_PTR>(h));
    }
    HWND Child(const char* cls) { return FindWindowExA(Frame(), nullptr, cls, nullptr); }
    HWND Workspace() { return Child("Koravel.Print.Workspace"); }
    LRESULT SendWorkspace(const char* message, LPARAM lParam) {
        return SendMessageA(Workspace(), RegisterWindowMessageA(message), 0, lParam);
    }
    std::string PaneText(int pane) {
        char text[256] = "";
        SendMessageA(Child("Koravel.StatusBar"), SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void Open() {
        ASSERT_EQ(print->Preview(), S_OK);
        ASSERT_TRUE(IsWindow(Frame()));
        Pump(150);
    }
    void Close() {
        SendMessageA(Frame(), WM_CLOSE, 0, 0);
        EXPECT_EQ(Frame(), nullptr);
    }

    // A real click on the toolbar's first button (it starts 2 pixels in and is wider than 8).
    // Pumps until the sink heard something and, when `closes`, the frame is gone.
    void ClickToolBar(const CEventSink& sink, bool closes) {
        HWND bar = Child("Koravel.ToolBar");
        RECT r{};
        GetClientRect(bar, &r);
        std::thread input([args = ClickAt(bar, {8, r.bottom / 2})] { Xdotool(args); });
        for (DWORD start = GetTickCount(); GetTickCount() - start < 5000 && (sink.events.empty() || (closes && IsWindow(bar)));)
            Pump(20);
        input.join();
        Pump(100);
    }

    // Runs xdotool on another thread while this one pumps, until `done` or a while after it ended.
    template <class Done>
    void RealInput(const std::string& args, Done done) {
        std::atomic<bool> finished{false};
        std::thread input([&] {
            Xdotool(args);
            finished = true;
        });
        DWORD ended = 0;
        while (!done()) {
            if (finished && !ended) ended = GetTickCount();
            if (ended && GetTickCount() - ended > 3000) break;
            Pump(20);
        }
        input.join();
    }

    ComPtr<ITavrin> print;
    ComPtr<IPrintExt> provider;
    COLORREF menuColour_ = 0;
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

// With real X input: Ctrl and Ctrl+Shift clicks rewrite the page range, a click makes a page
// current, keys move the current page, Ctrl+C leaves the current page on the clipboard.
TEST_F(PreviewTest, ClicksKeysAndTheClipboard) {
    Open();
    SetWindowPos(Frame(), HWND_TOPMOST, 10, 10, 900, 700, 0);
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
        const char* keys;  // held while clicking
        const char* range;
    } clicks[] = {{"ctrl", "1,3-"}, {"ctrl", ""}, {"ctrl+shift", "2"}};
    for (const auto& c : clicks) {
        std::string held = c.keys, down, up;
        for (size_t at = 0; at != std::string::npos;) {
            const size_t plus = held.find('+', at);
            const std::string key = held.substr(at, plus == std::string::npos ? plus : plus - at);
            down += " keydown " + key;
            up = " keyup " + key + up;
            at = plus == std::string::npos ? plus : plus + 1;
        }
        POINT screen = second;
        ClientToScreen(Workspace(), &screen);
        // Settle on the page first, and let the click stand alone (no double-click with the last).
        const std::string args = "sleep 0.6 mousemove " + std::to_string(screen.x) + " " + std::to_string(screen.y) +
                                 " sleep 0.2" + down + " click 1" + up;
        const std::string before = range();
        RealInput(args, [&] { return range() != before; });
        EXPECT_EQ(range(), c.range) << c.keys;
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
    SetForegroundWindow(Frame());
    SetFocus(Workspace());
    RealInput("key ctrl+c", [] { return IsClipboardFormatAvailable(CF_ENHMETAFILE) != FALSE; });
    ASSERT_TRUE(OpenClipboard(nullptr));
    HENHMETAFILE copy = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    ENHMETAHEADER header{};
    EXPECT_TRUE(copy && GetEnhMetaFileHeader(copy, sizeof header, &header) == sizeof header);
    EXPECT_GT(header.nRecords, 2u);
    CloseClipboard();
}

// A click on the current page magnifies it to 100%; a press held 400 ms pans instead; the next
// click goes back to the fitted view.
TEST_F(PreviewTest, MagnifierClickAndPan) {
    Open();
    SetWindowPos(Frame(), HWND_TOPMOST, 10, 10, 900, 700, 0);
    UpdateWindow(Workspace());
    Pump(100);
    auto pageHeight = [this] {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(Workspace(), SB_VERT, &si);
        return static_cast<int>(si.nPage);
    };
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
    RealInput(at + "mousedown 1 sleep 0.4 mouseup 1", [] { return false; });
    EXPECT_NEAR(pageHeight(), magnified, 2) << "a held press pans";
    RealInput(at + "click 1", [&] { return pageHeight() == fitted; });
    EXPECT_EQ(pageHeight(), fitted);
}


// The current page as its two highlight frames show it (the page without its shadow).
RECT CurrentPageRect(HWND workspace) {
    RECT client, page{-1, -1, -1, -1};
    GetClientRect(workspace, &client);
    ScreenPixels screen(workspace);
    const COLORREF frame = GetSysColor(COLOR_HIGHLIGHT);
    const int y = client.bottom / 2;
    for (int x = 0; x < client.right; ++x)
        if (screen.At(x, y) == frame) (page.left < 0 ? page.left : page.right) = x + 1;
    --page.left;
    for (int y2 = 0; y2 < client.bottom; ++y2)
        if (screen.At(page.left + 30, y2) == frame) (page.top < 0 ? page.top : page.bottom) = y2 + 1;
    --page.top;
    return page;
}

// The workspace's client area copied off the screen.
std::unique_ptr<DibCanvas> Snapshot(HWND w) {
    RECT client;
    GetClientRect(w, &client);
    auto canvas = std::make_unique<DibCanvas>(client.right, client.bottom);
    HDC dc = GetDC(w);
    BitBlt(canvas->Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(w, dc);
    return canvas;
}

// Runs a shell script on the Linux side and answers what it printed. Wine does not wait for a
// Linux process, so the script's last line marks the end of its output.
std::string UnixOutput(const std::string& script) {
    const std::string id = std::to_string(GetCurrentProcessId()), marker = "--end--\n";
    const std::string out = "Z:\\tmp\\tavrin-test-" + id + ".out", sh = "Z:\\tmp\\tavrin-test-" + id + ".sh";
    std::ofstream(sh, std::ios::binary) << "exec > /tmp/tavrin-test-" << id << ".out 2>&1\n" << script << "\necho --end--\n";
    RunUnix("/bin/sh /tmp/tavrin-test-" + id + ".sh");
    std::string text;
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000; Sleep(100)) {
        std::ifstream in(out, std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        if (text.size() >= marker.size() && text.compare(text.size() - marker.size(), marker.size(), marker) == 0) {
            text.resize(text.size() - marker.size());
            break;
        }
    }
    DeleteFileA(sh.c_str());
    DeleteFileA(out.c_str());
    return text;
}

long Setting(ITavrin* print, FieldsEnum field) {
    VARIANT v;
    VariantInit(&v);
    print->get_Settings(field, &v);
    VariantChangeType(&v, &v, 0, VT_I4);
    return v.lVal;
}

std::string At(POINT p, HWND w) {
    ClientToScreen(w, &p);
    return std::to_string(p.x) + " " + std::to_string(p.y);
}


// The margin guides of a single page: the cursor and the tooltip over a handle, a drag onto the
// page's edge, Ctrl+double-click copying the opposite margin, double-click opening page setup.
TEST_F(PreviewTest, MarginGuidesDragCopyAndPageSetup) {
    CEventSink sink;
    ASSERT_TRUE(sink.Connect(print.Get()));
    Open();
    SetWindowPos(Frame(), HWND_TOPMOST, 10, 10, 900, 700, 0);
    UpdateWindow(Workspace());
    Pump(100);
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

    // A double-click on the top handle opens the page-setup dialog; cancelled, nothing changes.
    std::atomic<bool> dialogSeen{false};
    std::thread closer([&] {
        for (DWORD start = GetTickCount(); GetTickCount() - start < 15000 && !dialogSeen; Sleep(50)) {
            HWND dialog = FindWindowA("#32770", nullptr);
            if (dialog && GetWindow(dialog, GW_OWNER) == Frame()) {
                dialogSeen = true;
                PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
            }
        }
    });
    RealInput("sleep 0.6 mousemove " + At(topHandle, Workspace()) + " sleep 0.2 click --repeat 2 --delay 60 1",
              [&] { return dialogSeen.load(); });
    closer.join();
    Pump(200);
    EXPECT_TRUE(dialogSeen);
    EXPECT_EQ(Setting(print.Get(), kvTopMargin), top);

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
    Open();
    SetWindowPos(Frame(), HWND_TOPMOST, 10, 10, 900, 700, 0);
    for (int i = 0; i < 2; ++i) PostMessageA(Workspace(), WM_KEYDOWN, VK_NEXT, 0);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 3000 && PaneText(1) != "Page: 3/5";) Pump(20);
    UpdateWindow(Workspace());
    Pump(100);
    const RECT page = CurrentPageRect(Workspace());
    const int w = page.right - page.left, h = page.bottom - page.top;
    const POINT from{page.left + w / 4, page.top + h * 3 / 10}, to{page.right - w / 4, page.top + h * 7 / 10};
    const COLORREF frame = RGB(150, 217, 249);
    RealInput("sleep 0.6 mousemove " + At(from, Workspace()) + " sleep 0.2 mousedown 3 mousemove " +
                  At({from.x + 20, from.y + 20}, Workspace()) + " sleep 0.1 mousemove " + At(to, Workspace()) +
                  " sleep 0.1 mouseup 3",
              [] { return false; });
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

    RealInput("sleep 0.6 mousemove " + At(from, Workspace()) + " sleep 0.2 mousedown 3 mousemove " +
                  At({from.x + 3, from.y + 10}, Workspace()) + " sleep 0.1 mouseup 3",
              [] { return false; });
    UpdateWindow(Workspace());
    EXPECT_EQ(Snapshot(Workspace())->Count(frame), 0) << "a 3 x 10 drag selects nothing";
}


// Work in the preview that goes wrong: drags cancelled with ESC or released far outside the
// window, clicks on the rulers and off the pages with modifiers, wheel deltas of any size, keys
// with one page and with none, Ctrl+C while the clipboard is held: nothing sticks or breaks.
TEST_F(PreviewTest, InteractionBadInputIsAbsorbed) {
    static_cast<CTestProvider*>(provider.Get())->pages = 1;
    Open();
    SetWindowPos(Frame(), HWND_TOPMOST, 10, 10, 900, 700, 0);
    UpdateWindow(Workspace());
    Pump(100);
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
            "keyup shift keyup ctrl mousemove " + At({2, 2}, Workspace()) + " keydown alt click 1 keyup alt",
    };
    for (const std::string& d : drags) {
        fprintf(stderr, "drag %s\n", d.c_str());
        RealInput("sleep 0.6 " + d, [] { return false; });
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
        RealInput("key ctrl+c", [] { return false; });
        Pump(100);
        EXPECT_EQ(PaneText(1), "Page: 1/" + std::to_string(pages)) << "the first page stays current";
    }
    CloseClipboard();
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
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Workspace(), SB_VERT, &si);
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
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Workspace(), SB_VERT, &si);
    EXPECT_GE(static_cast<int>(si.nPage), 128) << "the smallest page scrolls";
    long count = 0;
    print->get_PagesCount(&count);
    EXPECT_EQ(count, 5);
    Close();
    EXPECT_EQ(ProfileValue("PrintWorkspace_XPages"), 1);
    sink.Disconnect();
}

}  // namespace
