// The toolbar window: real X clicks reach a recording parent, drop-downs ask the pop-ups.
#include <gtest/gtest.h>

#include <fstream>
#include <thread>

#include "DibCanvas.h"
#include "GdiObjects.h"
#include "MessagePump.h"
#include "toolbar/CPrintToolBar.h"
#include "toolbar/IToolBarPopups.h"
#include <olectl.h>
#include "../../tests/support/RealInput.h"

namespace {

std::vector<std::string> g_log;
LRESULT g_refuse = 0, g_grid = MAKELONG(4, 1);

LRESULT CALLBACK ParentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    static const struct { const char* name; UINT id; } kNames[] = {
        {"PM_TOOLBARCLICK", RegisterWindowMessageA("PM_TOOLBARCLICK")},
        {"PM_MAGNIFYPAGES", RegisterWindowMessageA("PM_MAGNIFYPAGES")},
        {"PM_PREMULTIPLYPAGES", RegisterWindowMessageA("PM_PREMULTIPLYPAGES")},
        {"PM_MULTIPLYPAGES", RegisterWindowMessageA("PM_MULTIPLYPAGES")},
    };
    for (const auto& n : kNames)
        if (msg == n.id) {
            g_log.push_back(std::string(n.name) + " " + std::to_string(wp) + " " + std::to_string(lp));
            if (n.id == kNames[0].id) return g_refuse;
            return n.id == kNames[2].id ? g_grid : 0;
        }
    if (msg == WM_COMMAND) {
        g_log.push_back("WM_COMMAND " + std::to_string(LOWORD(wp)));
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

class FakePopups : public IToolBarPopups {
public:
    int choose = 1;
    bool ShowList(POINT, const std::vector<std::string>& entries, int& chosen) override {
        g_log.push_back("list " + std::to_string(entries.size()) + " " + entries[size_t(choose)]);
        chosen = choose;
        return true;
    }
    bool ShowPages(POINT, long grid, long& chosen) override {
        g_log.push_back("pages " + std::to_string(LOWORD(grid)) + "x" + std::to_string(HIWORD(grid)));
        chosen = MAKELONG(2, 1);
        return true;
    }
};

struct Fixture {
    HWND parent;
    CPrintToolBar bar;
    FakePopups popups;
    Fixture() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = ParentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "ToolBarTestParent";
        RegisterClassA(&wc);
        parent = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "", WS_POPUP | WS_VISIBLE, 100, 100, 500, 80,
                                 nullptr, nullptr, wc.hInstance, nullptr);
        bar.SetPopups(&popups);
        bar.Create(parent, parent);
        SetWindowPos(bar.Window(), nullptr, 0, 0, 500, bar.Height(), SWP_NOZORDER);
        Pump(100);
    }
    ~Fixture() {
        bar.Destroy();
        DestroyWindow(parent);
    }
    RECT Item(int item) {
        RECT r{};
        EXPECT_TRUE(bar.ItemRectOf(item, r)) << item;
        return r;
    }
    void MoveTo(POINT at) {
        const std::string args = ClickAt(bar.Window(), at);
        Xdotool(args.substr(0, args.find(" click")));
    }
    // A real click at the client point; pumps until `expected` entries are logged.
    void Click(POINT at, size_t expected) {
        std::thread input([args = ClickAt(bar.Window(), at)] { Xdotool(args); });
        PumpUntil([&] { return g_log.size() >= expected; }, 5000);
        input.join();
        Pump(100);
    }
};

POINT Centre(const RECT& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

TEST(ToolBarWindow, RealClicksNotifyTheParent) {
    const struct {
        const char* format;
        int item;
        const char* caption;  // null keeps the default
        LRESULT refuse;
        int choose;
        std::vector<std::string> log;
        LRESULT grid = MAKELONG(4, 1);
    } cases[] = {
        {"200", 200, "Hello#5", 0, 0, {"PM_TOOLBARCLICK 200 5", "WM_COMMAND 200"}},
        {"200", 200, "Hello#5", 1, 0, {"PM_TOOLBARCLICK 200 5"}},
        {"-1,105", 105, "#", 0, 0, {"PM_TOOLBARCLICK 105 0", "WM_COMMAND 105"}},
        {"110", 110, "Pick\nOne#3\nTwo#9", 0, 1, {"list 2 Two", "PM_TOOLBARCLICK 110 9"}},
        {"100", 100, nullptr, 0, 10, {"list 11  Two Pages", "PM_TOOLBARCLICK 100 10", "PM_MAGNIFYPAGES 0 10"}},
        {"102", 102, nullptr, 0, 0,
         {"PM_PREMULTIPLYPAGES 0 0", "pages 4x1", "PM_TOOLBARCLICK 102 65538", "PM_MULTIPLYPAGES 0 65538"}},
        {"102", 102, nullptr, 0, 0, {"PM_PREMULTIPLYPAGES 0 0"}, 0},  // no arrangement: no chooser
    };
    Fixture f;
    for (const auto& c : cases) {
        if (c.caption) f.bar.SetItemCaption(c.item, c.caption);
        f.bar.SetFormat(c.format);
        f.popups.choose = c.choose;
        g_refuse = c.refuse;
        g_grid = c.grid;
        g_log.clear();
        f.Click(Centre(f.Item(c.item)), c.log.size());
        EXPECT_EQ(g_log, c.log) << c.format << " " << (c.caption ? c.caption : "");
    }
    g_refuse = 0;
}

// Polls until the tooltip window's visibility is `visible`; the milliseconds it took, or -1.
long WaitForTip(bool visible, DWORD ms) {
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms;) {
        HWND tip = FindWindowA("Koravel.Print.CommentWindow", nullptr);
        if ((tip && IsWindowVisible(tip)) == visible) return long(GetTickCount() - start);
        Pump(10);
    }
    return -1;
}

// Rules the user meets with a real pointer and keyboard: no tooltip while the pointer keeps
// moving, one after a rest, kept while Control is held, then away from the whole toolbar until
// the pointer has left it; a key hides it, a click on it reaches the button below.
TEST(ToolBarWindow, TooltipFollowsRestsKeysAndTheToolbarsEdge) {
    Fixture f;
    SetForegroundWindow(f.parent);
    SetFocus(f.parent);
    f.bar.SetFormat("104,105,101");
    const RECT print = f.Item(104), close = f.Item(105);
    HWND tip = f.bar.Tooltip().Window();
    ASSERT_NE(tip, nullptr);

    // Twelve moves 100 ms apart, one pixel each, ending at `end`.
    POINT end{Centre(print).x + 11, Centre(print).y};
    ClientToScreen(f.bar.Window(), &end);
    std::string moves;
    for (int i = 11; i >= 0; --i)
        moves += "mousemove " + std::to_string(end.x - i) + " " + std::to_string(end.y) + " sleep 0.1 ";
    bool shownWhileMoving = false;
    std::thread input([&] { Xdotool(moves); });
    EXPECT_TRUE(PumpUntil([&, p = POINT{}]() mutable {
        shownWhileMoving |= IsWindowVisible(tip) != FALSE;
        return GetCursorPos(&p) && p.x == end.x && p.y == end.y;
    }, 5000));
    input.join();
    EXPECT_FALSE(shownWhileMoving);
    const long shown = WaitForTip(true, 3000);
    EXPECT_GE(shown, 300);
    EXPECT_LE(shown, 1500);

    // At its point, right of the button at its middle, in Arial 8 pt.
    RECT at{};
    GetWindowRect(tip, &at);
    POINT corner{print.right + 4, (print.top + print.bottom) / 2};
    ClientToScreen(f.bar.Window(), &corner);
    EXPECT_TRUE(at.left == corner.x && at.top == corner.y) << at.left << "," << at.top;
    LOGFONTA lf{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(tip, WM_GETFONT, 0, 0)), sizeof lf, &lf);
    const int dpi = GetDeviceCaps(DibCanvas(1, 1).Dc(), LOGPIXELSY);
    EXPECT_EQ(lf.lfFaceName + std::to_string(lf.lfHeight), "Arial" + std::to_string(-MulDiv(8, dpi, 72)));

    const long hidden = WaitForTip(false, 7000);
    EXPECT_GE(hidden, 4500) << "the display time is 5000 ms";
    f.MoveTo(Centre(close));
    EXPECT_EQ(WaitForTip(true, 1200), -1) << "another button right after the timeout";
    f.MoveTo({Centre(close).x, f.bar.Height() + 20});  // out of the toolbar, still over its parent
    Pump(100);
    f.MoveTo(Centre(print));
    EXPECT_GE(WaitForTip(true, 1500), 0) << "back after leaving the toolbar";
    Xdotool("keydown ctrl");
    EXPECT_EQ(WaitForTip(false, 6000), -1) << "kept beyond 5000 ms while Control is held";
    Xdotool("keyup ctrl key a");
    EXPECT_GE(WaitForTip(false, 1000), 0) << "a key hides it";

    // A click on the tooltip reaches the button under it.
    f.MoveTo({Centre(print).x + 1, Centre(print).y});
    ASSERT_GE(WaitForTip(true, 1500), 0);
    GetWindowRect(tip, &at);
    POINT onTip{at.left + 3, at.top + 3};
    ScreenToClient(f.bar.Window(), &onTip);
    ASSERT_TRUE(PtInRect(&close, onTip));
    g_log.clear();
    f.Click(onTip, 2);
    EXPECT_EQ(g_log, (std::vector<std::string>{"PM_TOOLBARCLICK 105 0", "WM_COMMAND 105"}));
}

TEST(ToolBarWindow, KeysMoveTheHotButtonAndClickItEscapeCancelsAPress) {
    Fixture f;
    f.bar.SetFormat("101,-1,104/105");
    const struct {
        WPARAM key;
        int hot;
        std::vector<std::string> log;
    } steps[] = {
        {VK_RIGHT, 101, {}}, {VK_RIGHT, 104, {}}, {VK_LEFT, 101, {}},  // over the separator
        {VK_SPACE, 101, {"PM_TOOLBARCLICK 101 0", "WM_COMMAND 101"}}, {VK_DOWN, 105, {}},
        {VK_RETURN, 105, {"PM_TOOLBARCLICK 105 0", "WM_COMMAND 105"}},
    };
    for (const auto& s : steps) {
        g_log.clear();
        SendMessageA(f.bar.Window(), WM_KEYDOWN, s.key, 0);
        EXPECT_EQ(f.bar.HotItem(), s.hot) << s.key;
        EXPECT_EQ(g_log, s.log) << s.key;
    }
    const POINT press = Centre(f.Item(104));
    const LPARAM at = MAKELPARAM(press.x, press.y);
    g_log.clear();
    SendMessageA(f.bar.Window(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(f.bar.Window(), WM_KEYDOWN, VK_ESCAPE, 0);
    SendMessageA(f.bar.Window(), WM_LBUTTONUP, 0, at);
    EXPECT_TRUE(g_log.empty());
}

TEST(ToolBarWindow, HeightFramesPartColoursAndTheOleFont) {
    Fixture f;
    // Etched top, raised bottom, separators, and a frame on the hot button only.
    f.bar.SetFormat("101,-1,105");
    f.bar.SetThemed(false);
    const int height = f.bar.Height();
    DibCanvas before(500, height, RGB(1, 2, 3));
    SendMessageA(f.bar.Window(), WM_PRINTCLIENT, WPARAM(before.Dc()), 0);
    EXPECT_EQ(before.At(250, height - 1), GetSysColor(COLOR_3DDKSHADOW));
    const RECT sep = f.Item(-1), button = f.Item(105);
    EXPECT_EQ(before.At(sep.left + 3, (sep.top + sep.bottom) / 2), GetSysColor(COLOR_BTNSHADOW));
    const POINT pt = Centre(button);
    EXPECT_EQ(before.At(button.left, pt.y), GetSysColor(COLOR_BTNFACE));
    SendMessageA(f.bar.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
    DibCanvas hot(500, height, RGB(1, 2, 3));
    SendMessageA(f.bar.Window(), WM_PRINTCLIENT, WPARAM(hot.Dc()), 0);
    EXPECT_EQ(hot.At(button.left, pt.y), GetSysColor(COLOR_BTNHIGHLIGHT));

    // A part colour fills behind its button; a larger font makes the buttons larger.
    f.bar.SetPartColor(105, RGB(200, 0, 0));
    FONTDESC desc{sizeof desc, const_cast<LPOLESTR>(L"Arial"), {}, FW_NORMAL, ANSI_CHARSET, 0, 0, 0};
    desc.cySize.int64 = 200000;
    ComPtr<IFont> big;  // 20 points
    ASSERT_EQ(OleCreateFontIndirect(&desc, IID_IFont, big.PutVoid()), S_OK);
    f.bar.SetFont(big.Get());
    EXPECT_GT(f.bar.Height(), height);
    const RECT large = f.Item(105);
    EXPECT_GT(large.right - large.left, button.right - button.left);  // measured again
    DibCanvas canvas(500, f.bar.Height());
    SendMessageA(f.bar.Window(), WM_PRINTCLIENT, WPARAM(canvas.Dc()), 0);
    EXPECT_EQ(canvas.At(large.left + 1, large.top + 1), RGB(200, 0, 0));
}

// Fuzzed layouts (the layout engine's corpus), odd item numbers and a 100 kB
// tooltip: painted, hovered and keyed, nothing crashes and nothing stays behind.
TEST(ToolBarWindow, BadInputIsAbsorbedAndFiftyLayoutsLeaveNothingBehind) {
    std::vector<std::string> layouts = {"", "(((", "-2147483648,2147483647", "200:-5,201/202", "203;204"};
    WIN32_FIND_DATAA found;
    for (HANDLE find = FindFirstFileA(TAVRIN_LAYOUT_CORPUS "/*.crd", &found); find != INVALID_HANDLE_VALUE;
         find = FindNextFileA(find, &found) ? find : (FindClose(find), INVALID_HANDLE_VALUE)) {
        std::ifstream in(std::string(TAVRIN_LAYOUT_CORPUS "/") + found.cFileName, std::ios::binary);
        layouts.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    ASSERT_GT(layouts.size(), 15u) << "the corpus was read";
    Fixture f;
    std::string tip;
    for (int i = 0; i < 20000; ++i) tip += "word ";
    for (long item : {200L, 201L, 203L, -7L, 2147483647L}) f.bar.SetItemToolTip(item, tip);
    f.bar.SetItemCaption(2147483647, "huge#99999999999999");
    DibCanvas canvas(500, 200);
    auto use = [&](const std::string& layout) {
        f.bar.SetFormat(layout);
        SendMessageA(f.bar.Window(), WM_PRINTCLIENT, WPARAM(canvas.Dc()), 0);
        for (int x = 5; x < 500; x += 40) SendMessageA(f.bar.Window(), WM_MOUSEMOVE, 0, MAKELPARAM(x, 12));
        SendMessageA(f.bar.Window(), WM_KEYDOWN, VK_RIGHT, 0);
        SendMessageA(f.bar.Window(), WM_SETCURSOR, WPARAM(f.bar.Window()), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    for (const std::string& layout : layouts) use(layout);  // caches filled
    SetForegroundWindow(f.parent);
    use("200");
    f.MoveTo({8, 12});  // the pointer must rest on the button
    EXPECT_GE(WaitForTip(true, 3000), 0) << "the 100 kB tooltip";
    use("");
    const long gdi = CountedGdiObjects();
    for (int i = 0; i < 50; ++i) use(layouts[size_t(i) % layouts.size()]);
    use("");
    EXPECT_EQ(CountedGdiObjects(), gdi);
    EXPECT_EQ(FindWindowExA(nullptr, f.bar.Tooltip().Window(), CWindow_Comment::kClassName, nullptr),
              nullptr);  // one tooltip window
}

}  // namespace
