// The text of the recorded pages: for hosts (PageText, FindText) and in the preview's find box.
#include "PreviewFixture.h"
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
    }
    long Find(const wchar_t* text, VARIANT start, VARIANT matchCase) {
        Bstr t(text);
        long page = -1;
        EXPECT_EQ(print->FindText(t.Get(), start, matchCase, &page), S_OK) << text;
        return page;
    }
};

VARIANT Long(long v) {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_I4;
    r.lVal = v;
    return r;
}

VARIANT Missing() {
    VARIANT r;
    VariantInit(&r);
    r.vt = VT_ERROR;
    r.scode = DISP_E_PARAMNOTFOUND;
    return r;
}

TEST_F(FindTest, HostsReadPagesAndFindTextWithoutAPreview) {
    const std::wstring second = PageTextOf(print.Get(), 2);
    EXPECT_EQ(second, L"Untitled Document\r\nInvoice 17\r\nZebra\r\nPage 2 of 6") << "header caption, words, page number";
    EXPECT_EQ(PageTextOf(print.Get(), 6), L"Untitled Document\r\nPage 6 of 6");
    EXPECT_NE(PageTextOf(print.Get(), 3).find(L"Glyph"), std::wstring::npos) << "glyph indices mapped back";

    VARIANT yes;
    VariantInit(&yes);
    yes.vt = VT_BOOL;
    yes.boolVal = VARIANT_TRUE;
    const struct {
        const wchar_t* text;
        VARIANT start, matchCase;
        long page;
    } cases[] = {
        {L"zebra", Missing(), Missing(), 2},
        {L"ZEBRA", Long(3), Missing(), 5},
        {L"Zebra", Long(6), Missing(), 0},
        {L"zebra", Long(1), yes, 0},
        {L"Zebra", Long(1), yes, 2},
        {L"invoice 17", Long(-5), Missing(), 1},  // across two runs of one line
        {L"Glyph", Missing(), Missing(), 3},
        {L"\u4eac \u05e9\u05dc", Missing(), Missing(), 4},
        {L"<B>&AMP;</B>", Missing(), Missing(), 4},
        {L"e\u0301", Missing(), Missing(), 4},
        {L"page 6 of 6", Missing(), Missing(), 6},
        {L"Giraffe", Missing(), Missing(), 0},
        {L"", Missing(), Missing(), 0},
        {L"Zebra", Long(LONG_MAX), Missing(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(Find(c.text, c.start, c.matchCase), c.page) << c.text;
    const std::wstring huge(65536, L'z');
    EXPECT_EQ(Find(huge.c_str(), Missing(), Missing()), 0);
}

TEST_F(FindTest, PagesOutOfRangeFailWithBadIndexLateBoundToo) {
    for (long page : {0L, -1L, 7L, LONG_MAX, LONG_MIN}) {
        HRESULT hr = S_OK;
        EXPECT_EQ(PageTextOf(print.Get(), page, &hr), L"");
        EXPECT_EQ(hr, DISP_E_BADINDEX) << page;
        ComPtr<IErrorInfo> info;
        ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK) << page;
        BSTR description = nullptr;
        info->GetDescription(&description);
        EXPECT_NE(std::wstring(description).find(L"not one of the 6 recorded pages"), std::wstring::npos);
        SysFreeString(description);
    }
    // Through IDispatch as a script calls it.
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(print->QueryInterface(IID_IDispatch, dispatch.PutVoid()), S_OK);
    for (const auto& [name, page, expected] : {std::tuple{L"PageText", 0L, DISP_E_BADINDEX}, std::tuple{L"FindText", 0L, S_OK}}) {
        DISPID id = 0;
        LPOLESTR n = const_cast<LPOLESTR>(name);
        ASSERT_EQ(dispatch->GetIDsOfNames(IID_NULL, &n, 1, LOCALE_USER_DEFAULT, &id), S_OK) << name;
        Bstr zebra(L"Zebra");
        VARIANT arg = name == std::wstring(L"PageText") ? Long(page) : VARIANT{};
        if (name != std::wstring(L"PageText")) {
            arg.vt = VT_BSTR;
            arg.bstrVal = zebra.Get();
        }
        DISPPARAMS params{&arg, nullptr, 1, 0};
        VARIANT result;
        VariantInit(&result);
        EXCEPINFO error{};
        const HRESULT hr = dispatch->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &error, nullptr);
        if (expected == S_OK) {
            EXPECT_EQ(hr, S_OK);
            VariantChangeType(&result, &result, 0, VT_I4);
            EXPECT_EQ(result.lVal, 2);
        } else {
            EXPECT_EQ(hr, DISP_E_EXCEPTION);
            EXPECT_EQ(error.scode, expected);
            EXPECT_EQ(std::wstring(error.bstrSource ? error.bstrSource : L""), L"Koravel.Print");
        }
        SysFreeString(error.bstrSource);
        SysFreeString(error.bstrDescription);
        SysFreeString(error.bstrHelpFile);
        VariantClear(&result);
    }
}

// Garbage text from a provider: lone surrogates, controls, glyphs no font has, huge counts.
TEST_F(FindTest, GarbageTextReadsWithoutHarm) {
    Provider().onDraw = [](HDC dc, long index) {
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
    EXPECT_EQ(Find(L"Edge", Missing(), Missing()), 1);
}

// In the preview: Ctrl+F, a word and Return go to its first page; F3 and Shift+F3 go on and
// back round; the match is marked on the page until Escape closes the box.
TEST_F(FindTest, FindBoxGoesFromMatchToMatchAndMarksThem) {
    OpenOnTop();
    HWND workspace = Workspace();
    HWND bar = Child("Koravel.Print.FindBar");
    EXPECT_EQ(bar, nullptr) << "no box before it is asked for";
    auto edit = [&] { return FindWindowExA(Child("Koravel.Print.FindBar"), nullptr, "Edit", nullptr); };
    RealInput("sleep 0.5 key ctrl+f", [&] { return edit() && GetFocus() == edit(); });
    ASSERT_TRUE(edit());
    ASSERT_EQ(GetFocus(), edit());
    bar = Child("Koravel.Print.FindBar");
    RECT barRect, workspaceRect;
    GetWindowRect(bar, &barRect);
    GetWindowRect(workspace, &workspaceRect);
    EXPECT_LE(barRect.bottom, workspaceRect.top) << "docked above the pages";

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
}

}  // namespace
