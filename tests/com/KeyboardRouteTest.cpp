// The preview from the keyboard and through a screen reader's eyes: real X keys, and the
// accessible objects a client gets from AccessibleObjectFromWindow.
#include "PreviewFixture.h"
#include <oleacc.h>

namespace {

VARIANT ChildId(long id) {
    VARIANT v;
    VariantInit(&v);
    V_VT(&v) = VT_I4;
    V_I4(&v) = id;
    return v;
}

std::vector<std::pair<HWND, LONG>> g_heard;  // focus events: window and child

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
    if (object == OBJID_CLIENT) g_heard.emplace_back(window, child);
}

bool Heard(HWND window, LONG child) {
    return std::find(g_heard.begin(), g_heard.end(), std::pair{window, child}) != g_heard.end();
}

class KeyboardTest : public PreviewTest {
protected:
    HWND Bar() { return Child("Koravel.ToolBar"); }
    static ComPtr<IAccessible> Accessible(HWND window) {
        ComPtr<IAccessible> object;
        AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, object.PutVoid());
        return object;
    }
    static std::string Read(IAccessible* object, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*),
                            long child) {
        Bstr text;
        (object->*get)(ChildId(child), text.Put());
        return text.ToAnsi();
    }
    // A button's centre from the reader's location, as xdotool's coordinates.
    static std::string ButtonAt(IAccessible* bar, long child) {
        long x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(bar->accLocation(&x, &y, &w, &h, ChildId(child)), S_OK);
        return std::to_string(x + w / 2) + " " + std::to_string(y + h / 2);
    }
    // Pixels of a button that differ between two pictures of the toolbar.
    int Changed(const DibCanvas& a, const DibCanvas& b, IAccessible* bar, long child) {
        long x = 0, y = 0, w = 0, h = 0;
        bar->accLocation(&x, &y, &w, &h, ChildId(child));
        POINT at{x, y};
        ScreenToClient(Bar(), &at);
        int n = 0;
        for (int j = at.y; j < at.y + h; ++j)
            for (int i = at.x; i < at.x + w; ++i) n += a.At(i, j) != b.At(i, j);
        return n;
    }
    bool Clicked(const std::string& event) {
        return std::find(sink.events.begin(), sink.events.end(), event) != sink.events.end();
    }
};

// A click on a button leaves the keyboard in the toolbar, yet the pages take Page Down,
// Ctrl+C and the wheel at once.
TEST_F(KeyboardTest, AfterAClickOnAButtonThePagesTakeTheirKeysAndTheWheel) {
    OpenOnTop();
    const ComPtr<IAccessible> bar = Accessible(Bar());
    ASSERT_TRUE(bar);
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
    RealInput("sleep 0.6 mousemove " + ButtonAt(bar.Get(), 2) + " click 1 sleep 0.3 key Next",
              [&] { return PaneText(1) == "Page: 2/5"; });
    EXPECT_TRUE(Clicked("Click 101 0"));
    EXPECT_EQ(GetFocus(), Bar());
    EXPECT_EQ(PaneText(1), "Page: 2/5");
    const int before = VScroll().nPos;
    RealInput("click 5 sleep 0.2 keydown ctrl key c sleep 0.3 keyup ctrl", [&] {  // held as a hand holds it
        return VScroll().nPos > before && IsClipboardFormatAvailable(CF_ENHMETAFILE);
    });
    EXPECT_GT(VScroll().nPos, before) << "the wheel scrolled the pages";
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_ENHMETAFILE)) << "Ctrl+C copied the page";
}

// Tab and F6 go round the panes, Right and Return press the second button, Escape goes back to
// the pages; readers hear of each move. Keys pressed while a pop-up is open change nothing.
TEST_F(KeyboardTest, TabArrowsReturnAndEscape) {
    g_heard.clear();
    HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, OnFocusEvent,
                                         GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    OpenOnTop();
    const ComPtr<IAccessible> bar = Accessible(Bar());
    const std::unique_ptr<DibCanvas> plain = Snapshot(Bar());
    RealInput("sleep 0.6 " + ClickAt(Workspace(), {2, 2}) + " sleep 0.3 key Tab", [&] { return GetFocus() == Bar(); });
    ASSERT_EQ(GetFocus(), Bar());
    UpdateWindow(Bar());
    EXPECT_GT(Changed(*plain, *Snapshot(Bar()), bar.Get(), 1), 20) << "the first button is marked";
    sink.events.clear();
    RealInput("key Right", [&] { return Heard(Bar(), 2); });
    UpdateWindow(Bar());
    const std::unique_ptr<DibCanvas> moved = Snapshot(Bar());
    EXPECT_EQ(Changed(*plain, *moved, bar.Get(), 1), 0) << "the mark left the first button";
    EXPECT_GT(Changed(*plain, *moved, bar.Get(), 2), 20) << "for the second";
    RealInput("key Return", [&] { return !sink.events.empty(); });
    ASSERT_FALSE(sink.events.empty());
    EXPECT_EQ(sink.events.front(), "Click 101 0");
    RealInput("key Escape", [&] { return GetFocus() == Workspace(); });
    EXPECT_EQ(GetFocus(), Workspace());
    for (const char* keys : {"shift+Tab", "F6", "shift+F6"}) {
        HWND from = GetFocus();
        RealInput(std::string("key ") + keys, [&] { return GetFocus() != from; });
        EXPECT_EQ(GetFocus(), from == Bar() ? Workspace() : Bar()) << keys;
    }
    Pump(100);
    UnhookWinEvent(hook);
    EXPECT_TRUE(Heard(Bar(), 2)) << "the second button";
    EXPECT_TRUE(Heard(Workspace(), CHILDID_SELF));

    // Back on the second button: Left, then Return opens the zoom list; Tab and arrows meet the
    // open list, Escape closes it.
    sink.events.clear();
    RealInputToEnd("key Left sleep 0.2 key Return sleep 0.4 key Tab key Right key Down sleep 0.2 key Escape");
    EXPECT_EQ(FindWindowA("Koravel.Zoom.ListBox", nullptr), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_TRUE(sink.events.empty()) << sink.events.front();
    EXPECT_EQ(GetFocus(), Bar());
}

// The toolbar's buttons and the pages' page as a reader gets them, presses through the reader,
// ids out of range, a toolbar without buttons, and objects that outlive the preview.
TEST_F(KeyboardTest, ReadersFindTheButtonsAndThePage) {
    ASSERT_EQ(print->put_Caption(Bstr(L"<b>Quarterly</b> report").Get()), S_OK);
    OpenOnTop();
    const ComPtr<IAccessible> bar = Accessible(Bar()), pages = Accessible(Workspace());
    ASSERT_TRUE(bar && pages);
    long count = 0;
    EXPECT_EQ(bar->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 6);
    const struct { long child; const char* name; const char* description; long role; } buttons[] = {
        {1, nullptr, "Zoom", ROLE_SYSTEM_BUTTONDROPDOWN},  // the name is the zoom shown
        {2, "One Page", "One Page", ROLE_SYSTEM_PUSHBUTTON},  // icon only: named by its tooltip
        {3, "Multiple Pages", "Multiple Pages", ROLE_SYSTEM_BUTTONDROPDOWN},
        {4, "Setup...", "Page Setup", ROLE_SYSTEM_PUSHBUTTON},
        {6, "Close", "Close Preview", ROLE_SYSTEM_PUSHBUTTON},
    };
    RECT window;
    GetWindowRect(Bar(), &window);
    for (const auto& b : buttons) {
        const std::string name = Read(bar.Get(), &IAccessible::get_accName, b.child);
        if (b.name) EXPECT_EQ(name, b.name);
        else EXPECT_TRUE(name.size() > 1 && name.back() == '%') << name;
        EXPECT_EQ(Read(bar.Get(), &IAccessible::get_accDescription, b.child), b.description);
        VARIANT role;
        EXPECT_EQ(bar->get_accRole(ChildId(b.child), &role), S_OK);
        EXPECT_EQ(V_I4(&role), b.role) << b.child;
        long x = 0, y = 0, w = 0, h = 0;
        EXPECT_EQ(bar->accLocation(&x, &y, &w, &h, ChildId(b.child)), S_OK);
        EXPECT_TRUE(x >= window.left && y >= window.top && x + w <= window.right && y + h <= window.bottom && w > 8);
    }
    sink.events.clear();
    EXPECT_EQ(bar->accDoDefaultAction(ChildId(2)), S_OK);
    EXPECT_TRUE(PumpUntil([&] { return Clicked("Click 101 0"); }));
    EXPECT_EQ(Read(pages.Get(), &IAccessible::get_accName, CHILDID_SELF), "Quarterly report");
    EXPECT_TRUE(PumpUntil([&] { return !PaneText(1).empty(); }));
    EXPECT_EQ(Read(pages.Get(), &IAccessible::get_accValue, CHILDID_SELF), PaneText(1));

    long l, t, w, h;
    for (const long bad : {7L, -1L, 2147483647L}) {
        Bstr name;
        EXPECT_EQ(bar->get_accName(ChildId(bad), name.Put()), E_INVALIDARG) << bad;
        EXPECT_EQ(bar->accLocation(&l, &t, &w, &h, ChildId(bad)), E_INVALIDARG) << bad;
        EXPECT_EQ(bar->accDoDefaultAction(ChildId(bad)), E_INVALIDARG) << bad;
        EXPECT_EQ(pages->accDoDefaultAction(ChildId(bad == 7 ? 1 : bad)), E_INVALIDARG) << bad;
    }
    VARIANT text;
    V_VT(&text) = VT_BSTR;
    V_BSTR(&text) = nullptr;
    EXPECT_EQ(bar->accDoDefaultAction(text), E_INVALIDARG);

    // Without buttons the toolbar has no children and Tab leaves the pages where they are.
    ASSERT_EQ(print->put_ToolBarFormat(Bstr(L"").Get()), S_OK);
    EXPECT_EQ(bar->get_accChildCount(&count), S_OK);
    EXPECT_EQ(count, 0);
    SetFocus(Workspace());
    SendMessageA(Workspace(), WM_KEYDOWN, VK_TAB, 0);
    EXPECT_EQ(GetFocus(), Workspace());

    Close();
    Bstr name;
    EXPECT_TRUE(FAILED(bar->get_accChildCount(&count)));
    EXPECT_TRUE(FAILED(bar->get_accName(ChildId(1), name.Put())));
    EXPECT_TRUE(FAILED(bar->accDoDefaultAction(ChildId(1))));
    EXPECT_TRUE(FAILED(pages->get_accValue(ChildId(CHILDID_SELF), name.Put())));
    EXPECT_TRUE(FAILED(pages->accLocation(&l, &t, &w, &h, ChildId(CHILDID_SELF))));
}

}  // namespace
