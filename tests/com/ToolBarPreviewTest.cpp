// The toolbar inside the open preview, through the built DLL under Xvfb with real X input.
#include "PreviewFixture.h"
#include <functional>

namespace {

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

class ToolBarPreviewTest : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        CreateComObject<CPumpingProvider>(nullptr, IID_IPrintExt, provider.PutVoid());
        ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
        ASSERT_TRUE(sink.Connect(print.Get()));
    }
    HWND Bar() { return Child("Koravel.ToolBar"); }
    // Opens the preview if needed with the layout, after putting the item's caption.
    void Put(const wchar_t* format, const wchar_t* caption = nullptr) {
        if (caption) print->put_ItemCaption(ItemCaptionEnum(wcstol(format, nullptr, 10)), Bstr(caption).Get());
        if (!Frame()) print->Preview();
        print->put_ToolBarFormat(Bstr(format).Get());
        sink.events.clear();
    }
    // Real input at the first button (2 pixels in), pumping until `done`.
    template <class Done>
    void AtFirstButton(const char* action, Done done) {
        RECT r{};
        GetClientRect(Bar(), &r);
        RealInput("mousemove " + At({12, r.bottom / 2}, Bar()) + action, done);
    }

    CEventSink sink;
};

TEST_F(ToolBarPreviewTest, ButtonsShowImageListIconsAndCaptionsPutWhileOpen) {
    const struct {
        const wchar_t *format, *caption;
        int minWidth, maxWidth;  // of what differs from the button face inside the edges
    } cases[] = {
        {L"101", nullptr, 10, 16},  // "<img>2</img>": the icon alone
        {L"", nullptr, 0, 0},
        {L"-1,100,101,102,-1,103,-1,104,-1,105", nullptr, 150, 1000},
        {L"200,105", L"A", 20, 60},
        {L"200,105", L"A caption much longer than before", 150, 1000},  // 105 moved right
    };
    for (const auto& c : cases) {
        Put(c.format, c.caption);
        SendMessageA(Bar(), WM_MOUSELEAVE, 0, 0);
        RECT r{};
        GetClientRect(Bar(), &r);
        DibCanvas canvas(r.right, r.bottom);
        SendMessageA(Bar(), WM_PRINTCLIENT, WPARAM(canvas.Dc()), 0);
        const RECT ink = canvas.InkIn(RECT{3, 3, r.right - 3, r.bottom - 3}, GetSysColor(COLOR_BTNFACE));
        EXPECT_TRUE(ink.right - ink.left >= c.minWidth && ink.right - ink.left <= c.maxWidth)
            << c.minWidth << " " << ink.right - ink.left;
    }
}

TEST_F(ToolBarPreviewTest, AnchorsAWorkspaceThatRefusesAndClosingWhileRecording) {
    Put(L"200", L"<a go;row=2>Go there</a>");
    AtFirstButton(" sleep 0.1", [&] { return GetCursor() == LoadCursor(nullptr, IDC_HAND); });
    EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
    AtFirstButton(" click 1", [&] { return !sink.events.empty(); });
    EXPECT_EQ(sink.events, std::vector<std::string>{"AnchorClick go row=2"});

    Put(L"105", L"Close");
    HWND workspace = Workspace();
    g_workspace = WNDPROC(SetWindowLongPtrA(workspace, GWLP_WNDPROC, LONG_PTR(Refuse)));
    AtFirstButton(" click 1", [&] { return !sink.events.empty(); });
    SetWindowLongPtrA(workspace, GWLP_WNDPROC, LONG_PTR(g_workspace));
    Pump(100);  // a close would be posted
    EXPECT_EQ(sink.events, std::vector<std::string>{"Click 105 0"});
    EXPECT_NE(Frame(), nullptr) << "refused: not closed";

    // Closed by a click from inside DrawPage: the recording stops, nothing is left half made.
    auto& pump = *static_cast<CPumpingProvider*>(provider.Get());
    pump.pages = 3;
    pump.onSecondPage = [&] { AtFirstButton(" click 1", [&] { return !Frame(); }); };
    print->Refresh();
    pump.onSecondPage = nullptr;
    EXPECT_EQ(Frame(), nullptr);
    long count = -1;
    EXPECT_TRUE(SUCCEEDED(print->get_PagesCount(&count)) && count == 0) << count;

    for (const bool close : {false, true}) {  // sinks that refresh or close from inside Click
        Put(L"201", L"Plain");
        sink.handlers[-600] = [&] { close ? void(SendMessageA(Frame(), WM_CLOSE, 0, 0)) : void(print->Refresh()); };
        AtFirstButton(" click 1", [&] { return sink.events.size() >= (close ? 1u : 3u); });
        EXPECT_EQ(sink.events.front(), "Click 201 0");
        EXPECT_EQ(Frame() == nullptr, close);
    }
}

}  // namespace
