#pragma once
// The preview under test: a control with a five-page provider whose frame the tests open, with
// helpers that read the frame's children, the screen, the settings and the printed PDF, and
// that drive it with real X input.
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
#include <vector>
#include <thread>
#include <algorithm>
#include <atomic>
#include <fstream>
#include <memory>

inline constexpr const char* kSection = "Koravel.Print";

inline void Pump(DWORD ms) {
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

inline std::string ClassOf(HWND w) {
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

inline int ProfileValue(const char* name) { return static_cast<int>(GetProfileIntA(kSection, name, -999)); }

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
    void Open() {
        ASSERT_EQ(print->Preview(), S_OK);
        ASSERT_TRUE(IsWindow(Frame()));
        Pump(150);
    }
    // Open, on top of everything at 900 x 700 (real input must reach it), and painted.
    void OpenOnTop() {
        Open();
        SetWindowPos(Frame(), HWND_TOPMOST, 10, 10, 900, 700, 0);
        UpdateWindow(Workspace());
        Pump(100);
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

    // Real input to its end: the pointer's last move, to a far point not used before, says
    // xdotool is done.
    void RealInputToEnd(const std::string& args) {
        static int calls = 0;
        const int x = 1800 + ++calls % 100;
        RealInput(args + " mousemove " + std::to_string(x) + " 1001", [x] {
            POINT p;
            return GetCursorPos(&p) && p.x == x && p.y == 1001;
        });
        Pump(50);
    }

    ComPtr<ITavrin> print;
    ComPtr<IPrintExt> provider;
    COLORREF menuColour_ = 0;
};

// The current page as its two highlight frames show it (the page without its shadow).
inline RECT CurrentPageRect(HWND workspace) {
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
inline std::unique_ptr<DibCanvas> Snapshot(HWND w) {
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
inline std::string UnixOutput(const std::string& script) {
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

inline long Setting(ITavrin* print, FieldsEnum field) {
    VARIANT v;
    VariantInit(&v);
    print->get_Settings(field, &v);
    VariantChangeType(&v, &v, 0, VT_I4);
    return v.lVal;
}

inline std::string At(POINT p, HWND w) {
    ClientToScreen(w, &p);
    return std::to_string(p.x) + " " + std::to_string(p.y);
}
