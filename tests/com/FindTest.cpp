// The text of the recorded pages: for hosts (PageText, FindText) and in the preview's find box.
#include "GdiObjects.h"
#include "PreviewFixture.h"
#include "Variants.h"
#include <climits>

namespace {

// Draws `text` with a font of its own at (x, y) of the page.
void DrawWord(HDC dc, const wchar_t* text, int x, int y, int height = -40, UINT options = 0) {
    Font font(CreateFontW(height, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    CSelectObject select(dc, font.Get());
    ExtTextOutW(dc, x, y, options, nullptr, text, static_cast<UINT>(wcslen(text)), nullptr);
}

// The glyph indices of `text` in the font DrawWord uses.
std::wstring GlyphsOf(const wchar_t* text) {
    COwnedDC dc(CreateCompatibleDC(nullptr));
    Font font(CreateFontW(-40, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial"));
    CSelectObject select(dc, font.Get());
    std::wstring glyphs(wcslen(text), L'\0');
    GetGlyphIndicesW(dc, text, static_cast<int>(glyphs.size()), reinterpret_cast<WORD*>(&glyphs[0]), 0);
    return glyphs;
}

std::wstring PageTextOf(ITavrin* print, long page, HRESULT* hr = nullptr) {
    BSTR text = nullptr;
    const HRESULT result = print->PageText(page, &text);
    if (hr) *hr = result;
    std::wstring s(text ? text : L"", SysStringLen(text));
    SysFreeString(text);
    return s;
}

class FindTest : public PreviewTest {
protected:
    // Six pages: "Invoice 17" on each, "Zebra" on the 2nd and the 5th, scripts and mark-up on
    // the 4th, glyph indices on the 3rd, nothing but the decorations on the 6th.
    void SetUp() override {
        PreviewTest::SetUp();
        Provider().pages = 6;
        Provider().onDraw = [](HDC dc, long index) {
            if (index == 5) return;
            DrawWord(dc, L"Invoice", 40, 40);
            DrawWord(dc, L"17", 220, 40);
            if (index == 1 || index == 4) DrawWord(dc, L"Zebra", 60, 300, -60);
            if (index == 2) DrawWord(dc, GlyphsOf(L"Glyph").c_str(), 40, 200, -40, ETO_GLYPH_INDEX);
            if (index == 3) {
                DrawWord(dc, L"\u6771\u4eac \u05e9\u05dc\u05d5\u05dd", 40, 200);
                DrawWord(dc, L"<b>&amp;</b> e\u0301", 40, 260);
            }
        };
        Bstr format(L"Page <%page%> of <%count%>");
        print->put_PageNumberFormat(format.Get());
        print->ExtraCaption(TextVariant("note").Get(), TextVariant("<b>Confidential</b>").Get(), NumberVariant(1).Get(),
                            NumberVariant(0).Get());
    }
    // FindText as a script calls it: 0 leaves StartPage out.
    long Find(const std::wstring& text, long start = 0, bool matchCase = false) {
        Bstr t(text.c_str());
        const Variant from = start ? NumberVariant(start) : Variant(), exact = NumberVariant(matchCase ? -1 : 0);
        long page = -1;
        EXPECT_EQ(print->FindText(t.Get(), from.Get(), exact.Get(), &page), S_OK);
        return page;
    }
};

TEST_F(FindTest, HostsReadPagesAndFindTextWithoutAPreview) {
    EXPECT_EQ(PageTextOf(print.Get(), 2), L"Untitled Document\r\nInvoice 17\r\nZebra\r\nConfidential Page 2 of 6")
        << "header caption, words in reading order, footer caption and page number on one line";
    EXPECT_EQ(PageTextOf(print.Get(), 6), L"Untitled Document\r\nConfidential Page 6 of 6");
    EXPECT_NE(PageTextOf(print.Get(), 3).find(L"Glyph"), std::wstring::npos) << "glyph indices mapped back";
    const struct {
        std::wstring text;
        long start;
        bool matchCase;
        long page;
    } cases[] = {
        {L"zebra", 0, false, 2},           {L"ZEBRA", 3, false, 5},
        {L"Zebra", 6, false, 0},           {L"zebra", 1, true, 0},
        {L"Zebra", 1, true, 2},            {L"invoice 17", -5, false, 1},  // across two runs of one line
        {L"Glyph", 0, false, 3},           {L"\u4eac \u05e9\u05dc", 0, false, 4},
        {L"<B>&AMP;</B>", 0, false, 4},    {L"e\u0301", 0, false, 4},
        {L"page 6 of 6", 0, false, 6},     {L"Giraffe", 0, false, 0},
        {L"", 0, false, 0},                {L"Zebra", LONG_MAX, false, 0},
        {std::wstring(65536, L'z'), 0, false, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Find(c.text, c.start, c.matchCase), c.page) << c.text.substr(0, 20);
}

TEST_F(FindTest, PagesOutOfRangeFailWithBadIndexLateBoundToo) {
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(print->QueryInterface(IID_IDispatch, dispatch.PutVoid()), S_OK);
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"PageText");
    ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    for (long page : {0L, -1L, 7L, LONG_MAX, LONG_MIN}) {
        HRESULT hr = S_OK;
        EXPECT_EQ(PageTextOf(print.Get(), page, &hr), L"");
        EXPECT_EQ(hr, DISP_E_BADINDEX) << page;
        Variant arg = NumberVariant(page), result;
        DISPPARAMS params{arg.Ptr(), nullptr, 1, 0};
        EXCEPINFO error{};
        EXPECT_EQ(dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &params, result.Put(), &error, nullptr),
                  DISP_E_EXCEPTION);
        EXPECT_EQ(error.scode, DISP_E_BADINDEX);
        EXPECT_EQ(std::wstring(error.bstrSource ? error.bstrSource : L""), L"Koravel.Print");
        EXPECT_NE(std::wstring(error.bstrDescription ? error.bstrDescription : L"").find(L"not one of the 6 recorded"),
                  std::wstring::npos);
        for (BSTR b : {error.bstrSource, error.bstrDescription, error.bstrHelpFile}) SysFreeString(b);
    }
}

// Garbage text from a provider (lone surrogates, controls, glyphs no font has, extreme places),
// and a search from inside the recording.
TEST_F(FindTest, GarbageTextReadsWithoutHarm) {
    long during = -1;  // a host searching while the pages record
    Provider().onDraw = [&](HDC dc, long index) {
        if (index == 2) during = Find(L"Edge");
        std::wstring noise;
        for (int i = 0; i < 3000; ++i) noise += wchar_t((i * 7919 + index * 31) % 0xFFFF + 1);
        ExtTextOutW(dc, 10, 10, 0, nullptr, noise.c_str(), static_cast<UINT>(noise.size()), nullptr);
        const WORD glyphs[] = {0xFFFE, 0xFFFF, 0, 12345};
        ExtTextOutW(dc, -100000, 2000000, ETO_GLYPH_INDEX, nullptr, reinterpret_cast<LPCWSTR>(glyphs), 4, nullptr);
        SetMapMode(dc, MM_ISOTROPIC);
        SetWindowExtEx(dc, 0, 0, nullptr);
        ExtTextOutW(dc, INT_MAX, INT_MIN, 0, nullptr, L"Edge", 4, nullptr);
    };
    EXPECT_NE(PageTextOf(print.Get(), 1).find(L"Page 1 of 6"), std::wstring::npos);
    EXPECT_EQ(Find(L"Edge"), 1);
    EXPECT_EQ(during, 1) << "the pages recorded so far";
    const long gdi = CountedGdiObjects();  // the first round made the fonts' glyph maps
    for (long page = 1; page <= 6; ++page) PageTextOf(print.Get(), page);
    EXPECT_EQ(Find(L"Nowhere"), 0);
    EXPECT_LE(CountedGdiObjects(), gdi);
}

// In the preview: Ctrl+F, a word and Return go to its first page; F3 and Shift+F3 go on and
// back round; the match is marked on the page until Escape closes the box.
TEST_F(FindTest, FindBoxGoesFromMatchToMatchAndMarksThem) {
    Bstr onward(L"Onward");
    print->put_ItemCaption(ItemCaptionEnum(123), onward.Get());  // the box's texts are item captions
    OpenOnTop();
    HWND workspace = Workspace();
    HWND bar = Child("Koravel.Print.FindBar");
    EXPECT_EQ(bar, nullptr) << "no box before it is asked for";
    auto edit = [&] { return FindWindowExA(Child("Koravel.Print.FindBar"), nullptr, "Edit", nullptr); };
    RealInput("sleep 0.5 keydown ctrl key f", [&] { return edit() && GetFocus() == edit(); });  // Ctrl held until seen
    Xdotool("keyup ctrl");
    ASSERT_TRUE(edit());
    ASSERT_EQ(GetFocus(), edit());
    bar = Child("Koravel.Print.FindBar");
    RECT barRect, workspaceRect;
    GetWindowRect(bar, &barRect);
    GetWindowRect(workspace, &workspaceRect);
    EXPECT_LE(barRect.bottom, workspaceRect.top) << "docked above the pages";
    EXPECT_TRUE(FindWindowExA(bar, nullptr, "Button", "Onward"));

    SendWorkspace("PM_MAGNIFYPAGES", 1);  // at 200% the word lies below the window until scrolled to
    RealInput("type --delay 30 zEbRa", [&] { return GetWindowTextLengthA(edit()) == 5; });
    RealInput("key Return", [&] { return PaneText(1) == "Page: 2/6"; });
    EXPECT_EQ(PaneText(1), "Page: 2/6");
    auto count = [&] {  // the second static text of the box, after its label
        char text[64] = "";
        GetWindowTextA(FindWindowExA(bar, FindWindowExA(bar, nullptr, "Static", nullptr), "Static", nullptr), text, 64);
        return std::string(text);
    };
    EXPECT_EQ(count(), "1 of 2");
    for (const auto& [key, pane] : {std::pair{"F3", "Page: 5/6"}, std::pair{"F3", "Page: 2/6"}, std::pair{"shift+F3", "Page: 5/6"}}) {
        RealInput(std::string("key ") + key, [&, pane = pane] { return PaneText(1) == pane; });
        EXPECT_EQ(PaneText(1), pane) << key;
    }
    UpdateWindow(workspace);
    const COLORREF current = RGB(255, 160, 40);
    const auto marked = Snapshot(workspace);
    const RECT mark = marked->InkOf(current);
    EXPECT_GT(DibCanvas::Area(mark), 50) << "the current match is marked";
    EXPECT_GT(marked->Count(mark, RGB(0, 0, 0)), 10) << "over the word's own ink";

    RealInput("key Escape", [&] { return GetFocus() == workspace; });
    EXPECT_EQ(GetFocus(), workspace);
    EXPECT_FALSE(IsWindowVisible(bar));
    UpdateWindow(workspace);
    EXPECT_EQ(Snapshot(workspace)->Count(current), 0) << "the marks go with the box";
    EXPECT_EQ(PaneText(1), "Page: 5/6");
    SendMessageA(workspace, WM_COMMAND, 106, 0);  // what the toolbar's Find button sends
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(bar) && GetFocus() == edit(); }));
    SetWindowTextA(edit(), "Giraffe");
    SendMessageA(edit(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(count(), "Not found");
    EXPECT_EQ(PaneText(1), "Page: 5/6");
    SendMessageA(edit(), WM_KEYDOWN, VK_TAB, 0);  // the frame takes the focus round its panes
    EXPECT_NE(GetFocus(), edit());
}

}  // namespace
