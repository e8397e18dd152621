#pragma once
// A control with a five-page provider and an event sink, and helpers that read its frame, the
// screen and the settings and drive it with real X input.
#include "DibCanvas.h"
#include "EventSink.h"
#include "MessagePump.h"
#include "RealInput.h"
#include "TavrinModule.h"
#include "TestProvider.h"
#include "Text.h"
#include <commctrl.h>
#include <atomic>
#include <memory>
#include <thread>

inline constexpr const char* kSection = "Koravel.Print";

inline int ProfileValue(const char* name) { return static_cast<int>(GetProfileIntA(kSection, name, -999)); }

inline long Setting(ITavrin* print, FieldsEnum field) {
    VARIANT v;
    VariantInit(&v);
    print->get_Settings(field, &v);
    VariantChangeType(&v, &v, 0, VT_I4);
    return v.lVal;
}

// A window's client point as xdotool's screen coordinates.
inline std::string At(POINT p, HWND w) {
    ClientToScreen(w, &p);
    return std::to_string(p.x) + " " + std::to_string(p.y);
}

// The window's client area copied off the screen.
inline std::unique_ptr<DibCanvas> Snapshot(HWND w) {
    RECT client;
    GetClientRect(w, &client);
    auto canvas = std::make_unique<DibCanvas>(client.right, client.bottom);
    HDC dc = GetDC(w);
    BitBlt(canvas->Dc(), 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    ReleaseDC(w, dc);
    return canvas;
}

// The current page as its highlight frames show it (the page without its shadow).
inline RECT CurrentPageRect(HWND workspace) { return Snapshot(workspace)->InkOf(GetSysColor(COLOR_HIGHLIGHT)); }

class PreviewTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        WriteProfileStringA(kSection, nullptr, nullptr);  // a fresh profile
        // Wine's menu colour is white, as white as a page: make the background tell.
        const int element = COLOR_MENU;
        const COLORREF grey = RGB(212, 208, 200);
        menuColour_ = GetSysColor(COLOR_MENU);
        SetSysColors(1, &element, &grey);
        provider = NewProvider();
        Provider().pages = 5;
        ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
        ASSERT_TRUE(sink.Connect(print.Get()));
    }
    void TearDown() override {
        if (HWND f = Frame()) SendMessageA(f, WM_CLOSE, 0, 0);
        sink.Disconnect();
        const int element = COLOR_MENU;
        SetSysColors(1, &element, &menuColour_);
        WriteProfileStringA(kSection, nullptr, nullptr);  // leave no test's placement to a user
        print.Reset();
        provider.Reset();
        PrintTest::TearDown();
    }
    CTestProvider& Provider() { return *static_cast<CTestProvider*>(provider.Get()); }
    HWND Frame() {
        long h = 0;
        if (print) print->get_hWnd(&h);
        return reinterpret_cast<HWND>(static_cast<LONG_PTR>(h));
    }
    HWND Child(const char* cls) { return FindWindowExA(Frame(), nullptr, cls, nullptr); }
    HWND Workspace() { return Child("Koravel.Print.Workspace"); }
    SCROLLINFO VScroll() {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        GetScrollInfo(Workspace(), SB_VERT, &si);
        return si;
    }
    LRESULT SendWorkspace(const char* message, LPARAM lParam) {
        return SendMessageA(Workspace(), RegisterWindowMessageA(message), 0, lParam);
    }
    std::string PaneText(int pane) {
        char text[256] = "";
        SendMessageA(Child("Koravel.StatusBar"), SB_GETTEXTA, pane, reinterpret_cast<LPARAM>(text));
        return text;
    }
    // Open with every page recorded, as a host sees it once it reads PagesCount.
    void Open() {
        ASSERT_EQ(print->Preview(), S_OK);
        long pages = 0;
        print->get_PagesCount(&pages);
        Pump(150);
    }
    // Open, on top of everything at 900 x 700 (real input must reach it), and on the screen: the
    // current page's highlight shows there.
    void OpenOnTop() {
        Open();
        SetWindowPos(Frame(), HWND_TOPMOST, 10, 10, 900, 700, 0);
        RedrawWindow(Frame(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);  // every pane painted
        ASSERT_TRUE(PumpUntil([&] { return CurrentPageRect(Workspace()).right > 0; }));
    }
    void Close() {
        SendMessageA(Frame(), WM_CLOSE, 0, 0);
        EXPECT_EQ(Frame(), nullptr);
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

    // Real input to its end, which a last move to a far point not used before marks.
    void RealInputToEnd(const std::string& args) {
        static int calls = 0;
        const int x = 1800 + ++calls % 100;
        RealInput(args + " mousemove " + std::to_string(x) + " 1001", [x] {
            POINT p;
            return GetCursorPos(&p) && p.x == x && p.y == 1001;
        });
        Pump(50);
    }

    // Real input at the toolbar's first button (it starts 2 pixels in), pumping until `done`.
    template <class Done>
    void AtFirstButton(const char* action, Done done) {
        HWND bar = Child("Koravel.ToolBar");
        RECT r{};
        GetClientRect(bar, &r);
        RealInput("mousemove " + At({12, r.bottom / 2}, bar) + action, done);
    }

    ComPtr<IPrintExt> provider;
    CEventSink sink;
    COLORREF menuColour_ = 0;
};
