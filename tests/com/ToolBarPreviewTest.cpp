// The preview's toolbar inside the open preview, through the built DLL under Xvfb: what its
// buttons show, real clicks on drop-downs and anchors, a refusing workspace, and bad input.
#include "DibCanvas.h"
#include "EventSink.h"
#include "GdiCount.h"
#include "RealInput.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include "TestProvider.h"
#include "Text.h"
#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

void Pump(DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(5);
    }
}

// Pumps while `input` runs on another thread, until `done` or 3 s after the input ended.
void WhileInput(std::function<void()> input, std::function<bool()> done) {
    std::atomic<bool> finished{false};
    std::thread user([&] {
        input();
        finished = true;
    });
    for (DWORD ended = 0; !done() && (!ended || GetTickCount() - ended < 3000);) {
        if (finished && !ended) ended = GetTickCount();
        Pump(20);
    }
    user.join();
    Pump(50);
}

// A provider that lets the host's messages run while it draws (a host's DoEvents).
class CPumpingProvider : public CTestProvider {
public:
    explicit CPumpingProvider(IUnknown* outer) : CTestProvider(outer) {}
    STDMETHODIMP DrawPage(VARIANT, long, IDispatch*, VARIANT_BOOL*) override {
        if (onPage) onPage(++drawn);
        return S_OK;
    }
    long drawn = 0;
    std::function<void(long)> onPage;
};

WNDPROC g_workspaceProc = nullptr;
LRESULT CALLBACK RefusingProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    const LRESULT answer = CallWindowProcA(g_workspaceProc, w, msg, wp, lp);
    return msg == RegisterWindowMessageA("PM_TOOLBARCLICK") ? 1 : answer;
}

class ToolBarPreviewTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        CreateComObject<CPumpingProvider>(nullptr, IID_IPrintExt, provider.PutVoid());
        Provider().pages = 3;
        ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
        ASSERT_TRUE(sink.Connect(print.Get()));
    }
    void TearDown() override {
        sink.Disconnect();
        if (HWND f = Frame()) SendMessageA(f, WM_CLOSE, 0, 0);
        WriteProfileStringA("Koravel.Print", nullptr, nullptr);
        print.Reset();
        provider.Reset();
        ComTest::TearDown();
    }
    CPumpingProvider& Provider() { return *static_cast<CPumpingProvider*>(provider.Get()); }
    HWND Frame() {
        long h = 0;
        if (print) print->get_hWnd(&h);
        return reinterpret_cast<HWND>(static_cast<LONG_PTR>(h));
    }
    HWND Bar() { return FindWindowExA(Frame(), nullptr, "Koravel.ToolBar", nullptr); }
    void Open(const wchar_t* format) {
        ASSERT_EQ(print->Preview(), S_OK);
        ASSERT_EQ(print->put_ToolBarFormat(Bstr(format).Get()), S_OK);
        Pump(100);
        ASSERT_NE(Bar(), nullptr);
        sink.events.clear();
    }
    void Caption(long item, const wchar_t* text) {
        ASSERT_EQ(print->put_ItemCaption(static_cast<ItemCaptionEnum>(item), Bstr(text).Get()), S_OK);
    }
    // What the toolbar shows inside its edges and the 2-pixel margin: the box of pixels that
    // differ from the button face.
    RECT Ink() {
        SendMessageA(Bar(), WM_MOUSELEAVE, 0, 0);  // no hot frame
        RECT client{};
        GetClientRect(Bar(), &client);
        DibCanvas canvas(client.right, client.bottom);
        SendMessageA(Bar(), WM_PRINTCLIENT, WPARAM(canvas.Dc()), 0);
        return canvas.InkIn(RECT{3, 3, client.right - 3, client.bottom - 3}, GetSysColor(COLOR_BTNFACE));
    }
    // A real click on the first button (it starts 2 pixels in); pumps until an event came.
    void ClickFirstButton() {
        RECT r{};
        GetClientRect(Bar(), &r);
        const std::string args = ClickAt(Bar(), {8, r.bottom / 2});
        WhileInput([&] { Xdotool(args); }, [&] { return !sink.events.empty(); });
    }

    ComPtr<ITavrin> print;
    ComPtr<IPrintExt> provider;
    CEventSink sink;
};

TEST_F(ToolBarPreviewTest, ButtonsShowTheImageListIconsAndAnEmptyFormatShowsNone) {
    const struct {
        const wchar_t* format;
        int minWidth, maxWidth;  // of the ink; 0, 0: none
    } cases[] = {
        {L"101", 10, 16},  // "<img>2</img>": the one-page icon alone
        {L"", 0, 0},
        {L"-1,100,101,102,-1,103,-1,104,-1,105", 150, 10000},
    };
    Open(L"101");
    for (const auto& c : cases) {
        ASSERT_EQ(print->put_ToolBarFormat(Bstr(c.format).Get()), S_OK);
        const RECT ink = Ink();
        SCOPED_TRACE(ToAnsi(c.format, -1));
        EXPECT_GE(ink.right - ink.left, c.minWidth);
        EXPECT_LE(ink.right - ink.left, c.maxWidth);
        if (c.maxWidth == 16) EXPECT_GE(ink.bottom - ink.top, 10);
    }
    ASSERT_EQ(print->put_ToolBarFormat(Bstr(L"").Get()), S_OK);
    ClickFirstButton();
    EXPECT_TRUE(sink.events.empty()) << "no buttons, no clicks";
}

TEST_F(ToolBarPreviewTest, AWorkspaceThatRefusesTheClickKeepsThePreviewOpen) {
    Open(L"105");
    HWND workspace = FindWindowExA(Frame(), nullptr, "Koravel.Print.Workspace", nullptr);
    g_workspaceProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(workspace, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RefusingProc)));
    ClickFirstButton();
    EXPECT_EQ(sink.events, std::vector<std::string>{"Click 105 0"});
    Pump(100);
    EXPECT_NE(Frame(), nullptr) << "refused: 105 did not close";
    SetWindowLongPtrA(workspace, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_workspaceProc));
    sink.events.clear();
    ClickFirstButton();
    Pump(100);
    EXPECT_EQ(Frame(), nullptr);
}

TEST_F(ToolBarPreviewTest, DropDownCaptionsSendTheChosenEntrysNumber) {
    const struct {
        const wchar_t* caption;
        const char* event;
    } cases[] = {
        {L"Pick\r\nOne\r\nTwo", "Click 110 1"},
        {L"Pick\nOne#3\nTwo#9", "Click 110 9"},
    };
    Open(L"110");
    for (const auto& c : cases) {
        Caption(110, c.caption);
        sink.events.clear();
        RECT r{};
        GetClientRect(Bar(), &r);
        POINT at{8, r.bottom / 2};
        ClientToScreen(Bar(), &at);
        WhileInput(
            [&] {
                Xdotool("mousemove " + std::to_string(at.x) + " " + std::to_string(at.y) + " mousedown 1");
                HWND list = nullptr;
                for (int i = 0; i < 300 && !list; ++i, Sleep(10))
                    if (HWND w = FindWindowA("Koravel.Zoom.ListBox", nullptr); w && IsWindowVisible(w)) list = w;
                RECT entry{};
                if (list) SendMessageA(list, LB_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&entry));
                POINT p{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2};
                if (list) ClientToScreen(list, &p);
                Xdotool("mousemove " + std::to_string(p.x) + " " + std::to_string(p.y) + " sleep 0.2 mouseup 1");
            },
            [&] { return !sink.events.empty(); });
        EXPECT_EQ(sink.events, std::vector<std::string>{c.event}) << ToAnsi(c.caption, -1);
    }
}

TEST_F(ToolBarPreviewTest, AnAnchorShowsTheHandAndFiresAnchorClickInsteadOfClick) {
    Caption(200, L"<a go;row=2>Go there</a>");
    Open(L"200");
    RECT r{};
    GetClientRect(Bar(), &r);
    const std::string move = ClickAt(Bar(), {14, r.bottom / 2});
    HCURSOR seen = nullptr;
    WhileInput([&] { Xdotool(move.substr(0, move.find(" click"))); },
               [&] { return (seen = GetCursor()) == LoadCursor(nullptr, IDC_HAND); });
    EXPECT_EQ(seen, LoadCursor(nullptr, IDC_HAND));
    WhileInput([&] { Xdotool(move); }, [&] { return !sink.events.empty(); });
    EXPECT_EQ(sink.events, std::vector<std::string>{"AnchorClick go row=2"});
}

TEST_F(ToolBarPreviewTest, ACaptionPutWhileOpenResizesItsButton) {
    Caption(200, L"A");
    Open(L"200,-1,105");
    const RECT narrow = Ink();
    Caption(200, L"A much longer caption than before");
    const RECT wide = Ink();
    EXPECT_GT(wide.right - wide.left, narrow.right - narrow.left + 100) << "the close button moved right";
}

TEST_F(ToolBarPreviewTest, SinksThatRefreshOrCloseFromInsideClickAndClicksWhileRecording) {
    const struct {
        const char* what;
        const wchar_t* format;
        const char* click;
        bool closes;
    } cases[] = {
        {"refresh", L"200", "Click 200 0", false},
        {"close", L"200", "Click 200 0", true},
        {"while recording", L"105", "Click 105 0", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Open(c.format);
        const std::string what = c.what;
        sink.handlers[-600] = [&] {
            if (what == "refresh") print->Refresh();
            if (what == "close") SendMessageA(Frame(), WM_CLOSE, 0, 0);
        };
        if (what == "while recording") {
            // The user clicks 105 while page 2 records: the click runs inside DrawPage.
            Provider().drawn = 0;
            Provider().onPage = [&](long index) {
                if (index != 2) return;
                sink.events.clear();
                ClickFirstButton();
            };
            print->Refresh();
            Provider().onPage = nullptr;
        } else {
            ClickFirstButton();
        }
        Pump(100);
        ASSERT_FALSE(sink.events.empty());
        EXPECT_EQ(sink.events.front(), c.click);
        EXPECT_EQ(Frame() == nullptr, c.closes);
        sink.handlers.clear();
        if (HWND f = Frame()) SendMessageA(f, WM_CLOSE, 0, 0);
    }
}

}  // namespace
