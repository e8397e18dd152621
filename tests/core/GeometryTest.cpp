// The page object's values, the paper, the client the provider is clipped to, and the frame.
#include "RecordingTest.h"
#include <tuple>

namespace {

using GeometryTest = RecordingTest;
constexpr int kPrinterDpi = 300;  // the printer "PDF"

TEST_F(GeometryTest, PageObjectDescribesThePageSetupInItsUnit) {
    Use(Provider("A", 1));
    // Thousandths of an inch give inches, hundredths of a millimetre centimetres.
    const struct {
        DWORD unit;
        POINT paper;
        RECT margins;
        std::vector<double> measures;
    } cases[] = {
        {PSD_INTHOUSANDTHSOFINCHES, {8500, 11000}, {1000, 1000, 1000, 1000}, {1.0, 1.0, 6.5, 9.0, 8.5, 11.0}},
        {PSD_INHUNDREDTHSOFMILLIMETERS, {21000, 29700}, {2500, 1000, 1500, 2000}, {2.5, 1.0, 17.0, 26.7, 21.0, 29.7}},
    };
    for (const auto& c : cases) {
        setup.Flags = c.unit | PSD_MARGINS;
        setup.ptPaperSize = c.paper;
        setup.rtMargin = c.margins;
        calls.clear();
        Record();
        ASSERT_EQ(calls.size(), 1u);
        for (size_t i = 0; i < 6; ++i) EXPECT_NEAR(calls[0].measures[i], c.measures[i], 1e-9) << i;
    }
    EXPECT_EQ(Page(0).Margins().bottom, MulDiv(2000, kPrinterDpi, 2540));

    // A page object never handed to a provider answers zeros, and refuses null pointers.
    ComPtr<IPage> page;
    ASSERT_EQ((CreateComObject<CPage>(nullptr, IID_IPage, page.PutVoid())), S_OK);
    double v = -1;
    EXPECT_EQ((page->get_PageWidth(&v), v), 0.0);
    EXPECT_EQ(page->get_Left(nullptr), E_POINTER);
}

TEST_F(GeometryTest, PageIsThePaperAndTheProviderDrawsInTheClientOnly) {
    CScriptProvider* a = Provider("A", 1);
    Use(a);
    const RECT square{0, 0, 10, 10}, everything{-1000, -1000, 5000, 5000};
    const RECT* fill = &everything;
    a->draw = [&](HDC dc, long) { FillRect(dc, fill, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); };
    Record();
    CEMFPage& page = Page(0);
    const RECT device{0, 0, MulDiv(8500, kPrinterDpi, 1000), MulDiv(11000, kPrinterDpi, 1000)};
    EXPECT_TRUE(EqualRect(&page.PageRect(), &device));
    const RECT c = page.ClientRect();
    EXPECT_NEAR(c.left, GetDeviceCaps(CWindowDC(), LOGPIXELSX), 1) << "one inch in screen pixels";
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].objectType, OBJ_ENHMETADC);
    EXPECT_NEAR(calls[0].clipBox.bottom, c.bottom, 1);
    CPlayedPage played(page);
    EXPECT_TRUE(EqualRect(&played.client, &c));
    const std::tuple<LONG, LONG, COLORREF> probes[] = {
        {c.left + 3, c.top + 3, 0}, {c.left - 3, c.top + 3, 0xFFFFFF}, {c.right - 3, c.bottom + 3, 0xFFFFFF}};
    for (auto [x, y, colour] : probes) EXPECT_EQ(played.At(x, y), colour) << x << "," << y;

    // As a screen, the provider gets a bitmap of the client size, its origin at the client's corner.
    store->asScreen_ = VARIANT_TRUE;
    fill = &square;
    calls.clear();
    Record();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].objectType, OBJ_MEMDC);
    EXPECT_NEAR(calls[0].clipBox.bottom, c.bottom - c.top, 1);
    CPlayedPage screen(Page(0));
    EXPECT_EQ(screen.At(c.left + 5, c.top + 5), RGB(0, 0, 0));
    EXPECT_EQ(screen.At(c.left + 14, c.top + 5), RGB(255, 255, 255));
}

TEST_F(GeometryTest, FrameSitsOnTheClientEdgeWhateverTheProviderDid) {
    CScriptProvider* a = Provider("A", 1);
    Use(a);
    store->pageFrameStyle_ = 1;
    store->pageFrameColor_ = RGB(255, 0, 0);
    store->showPageNumbers_ = VARIANT_FALSE;
    const struct {
        const char* what;
        VARIANT_BOOL asScreen;
        std::function<void(HDC, long)> draw;
    } cases[] = {
        {"plain", VARIANT_FALSE, nullptr},
        {"mapping reset", VARIANT_FALSE, [](HDC dc, long) { SetMapMode(dc, MM_TEXT); }},
        {"as a screen", VARIANT_TRUE, nullptr},
    };
    const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
    for (const auto& k : cases) {
        store->asScreen_ = k.asScreen;
        a->draw = k.draw;
        Record();
        const RECT c = Page(0).ClientRect();
        CPlayedPage played(Page(0));
        const int midX = (c.left + c.right) / 2, midY = (c.top + c.bottom) / 2;
        const std::tuple<LONG, LONG, COLORREF> probes[] = {
            {c.left, midY, red},    {c.left - 1, midY, white},    {c.right - 1, midY, red},
            {c.right, midY, white}, {midX, c.bottom - 1, red}, {midX, midY, white}};
        for (auto [x, y, colour] : probes) EXPECT_EQ(played.At(x, y), colour) << k.what << " at " << x << "," << y;
    }
    // Style s is GDI pen style s - 1; style 0 draws no frame.
    store->asScreen_ = VARIANT_FALSE;
    for (long s = 0; s <= 5; ++s) {
        store->pageFrameStyle_ = s;
        Record();
        const std::vector<LOGPEN> pens = PensOf(Page(0).GetHandle());
        ASSERT_EQ(pens.size(), s ? 1u : 0u) << s;
        for (const LOGPEN& pen : pens) EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(s - 1));
    }
}

TEST_F(GeometryTest, AnEmptyClientAreaStopsEachProviderAfterItsFirstPage) {
    Use(Provider("A", 3), {Provider("B", 4)});
    const struct {
        POINT paper;
        RECT margins;
        long pages;
    } cases[] = {{{8500, 11000}, {5000, 1000, 5000, 1000}, 2}, {{8500, 11000}, {1000, 6000, 1000, 6000}, 2},
                 {{0, 0}, {0, 0, 0, 0}, 2},                    {{-8500, -11000}, {1000, 1000, 1000, 1000}, 2},
                 {{2000000000, 11000}, {1000, 1000, 1000, 1000}, 7}, {{8500, 11000}, {-1000, 0, 0, -1000}, 7}};
    for (const auto& c : cases) {
        setup.ptPaperSize = c.paper;
        setup.rtMargin = c.margins;
        Record();
        EXPECT_EQ(store->GetCount(), c.pages) << c.paper.x << " x " << c.paper.y << ", left " << c.margins.left;
    }

    // Without a device to measure against there is no client either: blank pages, one a provider.
    setup = InchSetup(8500, 11000, 1000);
    store->LoadPages(nullptr, &setup);
    ASSERT_EQ(store->GetCount(), 2);
    EXPECT_FALSE(Page(0).HasMetafile());
    EXPECT_EQ(CPlayedPage(Page(0), 50).At(25, 25), RGB(255, 255, 255));
}

}  // namespace
