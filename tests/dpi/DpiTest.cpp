// The preview and the printout at the screen's resolution, run at 96 DPI and in a prefix at 144
// (TAVRIN_EXPECT_DPI); the first run keeps the words a page records, the second compares.
#include "MetafileText.h"
#include "PreviewFixture.h"
#include <cstdlib>
#include <fstream>
#include <map>

namespace {

double Growth(int dpi) { return std::max(1.0, dpi / 96.0); }  // the preview's parts never shrink

class DpiTest : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        if (const char* expected = std::getenv("TAVRIN_EXPECT_DPI")) {
            ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix's LogPixels did not take";
        }
    }
    RECT Client(const char* cls) {
        RECT r{};
        GetClientRect(Child(cls), &r);
        return r;
    }
    int PagePartWidth() {  // the status bar's last part
        int parts[2] = {};
        SendMessageA(Child("Koravel.StatusBar"), SB_GETPARTS, 2, reinterpret_cast<LPARAM>(parts));
        return Client("Koravel.StatusBar").right - parts[0];
    }
    const int dpi = ScreenDpi().cy;
};

// The width of what differs from the button face, drawn by `paint` on a canvas of the size.
template <class Paint>
int InkWidth(int w, int h, int inset, Paint paint) {
    DibCanvas canvas(w, h, GetSysColor(COLOR_BTNFACE));
    paint(canvas.Dc());
    const RECT ink = canvas.InkIn(RECT{inset, inset, w - inset, h - inset}, GetSysColor(COLOR_BTNFACE));
    return ink.right - ink.left;
}

TEST_F(DpiTest, ToolBarIconsHandlesAndStatusBarGrowWithTheScreen) {
    ASSERT_EQ(print->put_ToolBarFormat(Bstr(L"101").Get()), S_OK);  // one button: the One Page icon
    OpenOnTop();
    HWND bar = Child("Koravel.ToolBar");
    const RECT r = Client("Koravel.ToolBar");
    EXPECT_GE(r.bottom, 31 * Growth(dpi) - 1);  // 31 at 96 DPI
    SendMessageA(bar, WM_MOUSELEAVE, 0, 0);    // no hot frame around the button
    const int shown = InkWidth(r.right, r.bottom, 3, [&](HDC dc) {
        SendMessageA(bar, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    });
    const int own = InkWidth(16, 16, 0, [](HDC dc) {
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA("Tavrin.DLL"), MAKEINTRESOURCEA(302), IMAGE_ICON, 16, 16, 0));
        DrawIconEx(dc, 0, 0, icon, 16, 16, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    });
    ASSERT_GT(own, 8);
    EXPECT_NEAR(shown, own * Growth(dpi), 2) << "at " << dpi;
    // The rulers carry the margin handles: the top one's rows down the middle of the page.
    const auto shot = Snapshot(Workspace());
    int y = 0, x = shot->Width() / 2;
    while (y < shot->Height() && shot->At(x, y) == GetSysColor(COLOR_MENU)) ++y;
    const int top = y;
    while (y < shot->Height() && shot->At(x, y) != GetSysColor(COLOR_MENU)) ++y;
    EXPECT_NEAR(y - top, 19 * Growth(dpi), 1.5);
    EXPECT_NEAR(PagePartWidth(), 96 * Growth(dpi), 1);
}

TEST_F(DpiTest, FrameFollowsWmDpiChangedEvenWhilePagesRecord) {
    OpenOnTop();
    const int before = Client("Koravel.ToolBar").bottom, to = dpi * 3 / 2;
    RECT suggested{30, 40, 30 + 1000, 40 + 760}, now{};
    Provider().onDraw = [&](HDC, long index) {
        if (index == 2) SendMessageA(Frame(), WM_DPICHANGED, MAKEWPARAM(to, to), reinterpret_cast<LPARAM>(&suggested));
    };
    ASSERT_EQ(print->Refresh(), S_OK);
    long pages = 0;
    EXPECT_TRUE(SUCCEEDED(print->get_PagesCount(&pages)) && pages == 5);
    GetWindowRect(Frame(), &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_GE(Client("Koravel.ToolBar").bottom, before * 1.4);
    EXPECT_NEAR(PagePartWidth(), 96 * Growth(to), 1);
    // Rectangles that are none leave the frame where it is; nothing breaks at any resolution.
    RECT empty{10, 10, 10, 10}, inverted{500, 500, 100, 100};
    const std::pair<int, const RECT*> rows[] = {
        {to, nullptr}, {to, &empty}, {dpi, &inverted}, {0, nullptr}, {70000, &empty}};
    for (const auto& [newDpi, rect] : rows) {
        SendMessageA(Frame(), WM_DPICHANGED, MAKEWPARAM(newDpi, newDpi), reinterpret_cast<LPARAM>(rect));
        GetWindowRect(Frame(), &now);
        EXPECT_TRUE(EqualRect(&now, &suggested)) << newDpi;
        EXPECT_GE(Client("Koravel.ToolBar").bottom, 25);
    }
}

TEST_F(DpiTest, PrintoutKeepsItsWordsInPlace) {
    // A provider that lays out from the page: 10-point text 3.75 inches into the client area.
    double left = 0;
    Provider().onDraw = [&](HDC dc, long) {
        long perInch = 0;
        ASSERT_EQ(Provider().Page()->get_PixelsPerInch(&perInch), S_OK);
        Provider().Page()->get_Left(&left);
        RECT client;
        GetClipBox(dc, &client);
        Font font(CreateFontA(-MulDiv(10, perInch, 72), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, "Arial"));
        CSelectObject select(dc, font.Get());
        TextOutA(dc, client.left + perInch * 15 / 4, client.top + perInch, "Amount", 6);
    };
    ASSERT_EQ(print->put_Caption(Bstr(L"<b>Quarterly</b> <img>1</img> report").Get()), S_OK);
    // A run after a long one starts where that one's measured width ends.
    const Bstr numbers(L"Printed by the sample host on <b>page <%page%></b> of <%count%>");
    ASSERT_EQ(print->put_PageNumberFormat(numbers.Get()), S_OK);
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::wstring pattern = std::wstring(folder, folder + strlen(folder)) + L"tavrin-dpi-page%i.emf";
    long written = 0;
    ASSERT_EQ(print->CopyTo(Bstr(pattern.c_str()).Get(), &written), S_OK);
    std::map<std::string, MetafileText> texts;
    HENHMETAFILE emf = GetEnhMetaFileA((std::string(folder) + "tavrin-dpi-page1.emf").c_str());
    for (const MetafileText& t : TextsOf(emf)) texts[t.text] = t;
    DeleteEnhMetaFile(emf);
    ASSERT_TRUE(texts.count("Amount"));  // drawn in the page's unit, the screen pixel
    EXPECT_NEAR(texts["Amount"].at.x * 72.0 / dpi, (left + 3.75) * 72, 1.5);
    std::map<std::string, POINT> words;  // in printer pixels, 300 per inch: 1.5 points are 6
    for (const auto& [text, t] : texts) words[text] = t.device;

    const char* file = std::getenv("TAVRIN_DPI_WORDS");
    if (!file) return;
    if (!std::getenv("TAVRIN_EXPECT_DPI")) {
        std::ofstream out(file);
        for (const auto& [text, at] : words) out << at.x << ' ' << at.y << ' ' << text << '\n';
        return;
    }
    std::ifstream in(file);
    size_t compared = 0;
    std::string text;
    for (long x, y; in >> x >> y && in.get() && std::getline(in, text); ++compared)
        EXPECT_TRUE(words.count(text) && std::abs(words[text].x - x) <= 6 && std::abs(words[text].y - y) <= 6)
            << text << " at " << x << ", " << y << " (printer pixels) at 96 DPI, " << words[text].x << ", "
            << words[text].y << " now";
    EXPECT_EQ(compared, words.size()) << "words of the run at 96 DPI in " << file;
}

}  // namespace
