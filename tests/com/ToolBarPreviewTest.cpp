// The toolbar inside the open preview, through the built DLL under Xvfb with real X input.
#include "DibCanvas.h"
#include "EventSink.h"
#include "RealInput.h"
#include "TavrinModule.h"
#include "TestProvider.h"
#include "Text.h"
#include <atomic>
#include <functional>
#include <thread>

namespace {

// Pumps while `input` runs on another thread, until `done` or 3 s after the input ended.
void WhileInput(const std::function<void()>& input, const std::function<bool()>& done) {
    std::atomic<bool> finished{false};
    std::thread user([&] { input(), finished = true; });
    for (DWORD ended = 0; !done() && (!ended || GetTickCount() - ended < 3000); Sleep(5)) {
        if (finished && !ended) ended = GetTickCount();
        for (MSG m; PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) DispatchMessageA(&m);
    }
    user.join();
}

// "mousemove X Y" to a client point.
std::string MoveTo(HWND window, POINT client) {
    const std::string click = ClickAt(window, client);
    return click.substr(0, click.find(" click"));
}

// With the button held down on a drop-down: releases it over the list's second entry.
void ReleaseOnSecondEntry() {
    HWND list = nullptr;
    for (int i = 0; i < 300 && !(list = FindWindowA("Koravel.Zoom.ListBox", nullptr)); ++i) Sleep(10);
    RECT r{};
    SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&r));
    Xdotool(MoveTo(list, {(r.left + r.right) / 2, (r.top + r.bottom) / 2}) + " sleep 0.2 mouseup 1");
}

// Lets the host's messages run from inside DrawPage on page 2, as a host's DoEvents does.
class CPumpingProvider : public CTestProvider {
public:
    explicit CPumpingProvider(IUnknown* outer) : CTestProvider(outer) {}
    STDMETHODIMP DrawPage(VARIANT, long, IDispatch*, VARIANT_BOOL*) override {
        if (++drawn == 2 && onSecondPage) onSecondPage();
        return S_OK;
    }
    long drawn = 0;
    std::function<void()> onSecondPage;
};

WNDPROC g_workspace = nullptr;
LRESULT CALLBACK Refuse(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT answer = CallWindowProcA(g_workspace, w, msg, wp, lp);
    return msg == RegisterWindowMessageA("PM_TOOLBARCLICK") ? 1 : answer;
}

class ToolBarPreviewTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        CreateComObject<CPumpingProvider>(nullptr, IID_IPrintExt, provider.PutVoid());
        ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
        ASSERT_TRUE(sink.Connect(print.Get()));
        Provider().pages = 3;
    }
    void TearDown() override {
        sink.Disconnect();
        if (Frame()) SendMessageA(Frame(), WM_CLOSE, 0, 0);
        WriteProfileStringA("Koravel.Print", nullptr, nullptr);
        print.Reset();
        ComTest::TearDown();
    }
    CPumpingProvider& Provider() { return *static_cast<CPumpingProvider*>(provider.Get()); }
    HWND Frame() {
        long h = 0;
        print->get_hWnd(&h);
        return reinterpret_cast<HWND>(static_cast<LONG_PTR>(h));
    }
    HWND Bar() { return FindWindowExA(Frame(), nullptr, "Koravel.ToolBar", nullptr); }
    void Put(const wchar_t* format, long item = 0, const wchar_t* caption = nullptr) {
        if (caption) print->put_ItemCaption(static_cast<ItemCaptionEnum>(item), Bstr(caption).Get());
        if (!Frame()) print->Preview();
        print->put_ToolBarFormat(Bstr(format).Get());
        sink.events.clear();
    }
    // The box of what the toolbar shows inside its edges that is not button face.
    RECT Ink() {
        SendMessageA(Bar(), WM_MOUSELEAVE, 0, 0);
        RECT c{};
        GetClientRect(Bar(), &c);
        DibCanvas canvas(c.right, c.bottom);
        SendMessageA(Bar(), WM_PRINTCLIENT, WPARAM(canvas.Dc()), 0);
        return canvas.InkIn(RECT{3, 3, c.right - 3, c.bottom - 3}, GetSysColor(COLOR_BTNFACE));
    }
    // xdotool at the first button (2 pixels in) with `more`, then `then`; pumps until `done`
    // (by default: an event came).
    void AtFirstButton(const std::string& more, void (*then)() = nullptr, std::function<bool()> done = nullptr) {
        RECT r{};
        GetClientRect(Bar(), &r);
        const std::string move = MoveTo(Bar(), {12, r.bottom / 2}) + more;
        if (!done) done = [&] { return !sink.events.empty(); };
        WhileInput([&] { Xdotool(move), then ? then() : void(); }, done);
    }

    ComPtr<ITavrin> print;
    ComPtr<IPrintExt> provider;
    CEventSink sink;
};

TEST_F(ToolBarPreviewTest, ButtonsShowImageListIconsAndCaptionsPutWhileOpen) {
    const struct {
        const wchar_t *format, *caption;
        int minWidth, maxWidth;
    } cases[] = {
        {L"101", nullptr, 10, 16},  // "<img>2</img>": the icon alone
        {L"", nullptr, 0, 0},
        {L"-1,100,101,102,-1,103,-1,104,-1,105", nullptr, 150, 1000},
        {L"200,105", L"A", 20, 60},
        {L"200,105", L"A caption much longer than before", 150, 1000},  // 105 moved right
    };
    for (const auto& c : cases) {
        Put(c.format, 200, c.caption);
        const RECT ink = Ink();
        EXPECT_GE(ink.right - ink.left, c.minWidth) << ToAnsi(c.format, -1);
        EXPECT_LE(ink.right - ink.left, c.maxWidth) << ToAnsi(c.format, -1);
    }
}

TEST_F(ToolBarPreviewTest, RealClicksOnDropDownsAnchorsAndARefusingWorkspace) {
    const struct {
        const wchar_t *format, *caption;
        const char *input, *event;
        bool refuse;
    } cases[] = {
        {L"110", L"Pick\r\nOne\r\nTwo", " mousedown 1", "Click 110 1", false},
        {L"110", L"Pick\nOne#3\nTwo#9", " mousedown 1", "Click 110 9", false},
        {L"200", L"<a go;row=2>Go there</a>", " click 1", "AnchorClick go row=2", false},
        {L"105", L"Close", " click 1", "Click 105 0", true},  // the preview stays
    };
    for (const auto& c : cases) {
        Put(c.format, std::wcstol(c.format, nullptr, 10), c.caption);
        HWND workspace = FindWindowExA(Frame(), nullptr, "Koravel.Print.Workspace", nullptr);
        if (c.event[0] == 'A') {
            AtFirstButton(" sleep 0.1", nullptr, [] { return GetCursor() == LoadCursor(nullptr, IDC_HAND); });
            EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND)) << "the hand over an anchor";
        }
        if (c.refuse) g_workspace = WNDPROC(SetWindowLongPtrA(workspace, GWLP_WNDPROC, LONG_PTR(Refuse)));
        AtFirstButton(c.input, c.format[1] == '1' ? ReleaseOnSecondEntry : nullptr);
        if (c.refuse) SetWindowLongPtrA(workspace, GWLP_WNDPROC, LONG_PTR(g_workspace));
        EXPECT_EQ(sink.events, std::vector<std::string>{c.event}) << ToAnsi(c.caption, -1);
        EXPECT_NE(Frame(), nullptr);
    }
}

TEST_F(ToolBarPreviewTest, SinksRefreshingOrClosingInsideClickAndClosingWhileRecording) {
    const struct {
        const wchar_t* format;
        const char *what, *click;
        bool closes;
    } cases[] = {{L"200", "refresh", "Click 200 0", false},
                 {L"200", "close", "Click 200 0", true},
                 {L"105", "record", "Click 105 0", true}};  // clicked while page 2 records
    for (const auto& c : cases) {
        const std::string what = c.what;
        Put(c.format);
        sink.handlers[-600] = [&] {
            if (what == "refresh") print->Refresh();
            if (what == "close") SendMessageA(Frame(), WM_CLOSE, 0, 0);
        };
        Provider().drawn = 0;
        if (what == "record") {
            Provider().onSecondPage = [&] { sink.events.clear(), AtFirstButton(" click 1", nullptr, [&] { return !Frame(); }); };
            print->Refresh();
        } else {
            AtFirstButton(" click 1");
        }
        Provider().onSecondPage = nullptr;
        sink.handlers.clear();
        ASSERT_FALSE(sink.events.empty()) << c.what;
        EXPECT_EQ(sink.events.front(), c.click) << c.what;
        EXPECT_EQ(Frame() == nullptr, c.closes) << c.what;
    }
}

}  // namespace
