// Where a recorded page puts things: the page object's values, the paper and the client
// rectangle the provider is clipped to, and the frame drawn around it.
#include "RecordingTest.h"

namespace {

using GeometryTest = RecordingTest;

struct Probe {
    LONG x, y;
    COLORREF colour;
};

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
    EXPECT_EQ(Page(0).PageRect().right, MulDiv(21000, printerDpiX, 2540));
    EXPECT_EQ(Page(0).Margins().bottom, MulDiv(2000, printerDpiY, 2540));

    // A page object never handed to a provider answers zeros, and refuses null pointers.
    ComPtr<IPage> page;
    ASSERT_EQ((CreateComObject<CPage>(nullptr, IID_IPage, page.PutVoid())), S_OK);
    double v = -1;
    EXPECT_EQ((page->get_PageWidth(&v), v), 0.0);
    EXPECT_EQ(page->get_Left(nullptr), E_POINTER);
    EXPECT_EQ(page->get_Index(nullptr), E_POINTER);
}

TEST_F(GeometryTest, PageIsThePaperAndTheProviderDrawsInTheClientOnly) {
    CScriptProvider* a = Provider("A", 1);
    Use(a);
    const RECT square{0, 0, 10, 10}, everything{-1000, -1000, 5000, 5000};
    const RECT* fill = &everything;
    a->draw = [&](HDC dc, long) { FillRect(dc, fill, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))); };
    Record();
    CEMFPage& page = Page(0);
    const RECT device{0, 0, MulDiv(8500, printerDpiX, 1000), MulDiv(11000, printerDpiY, 1000)};
    EXPECT_TRUE(EqualRect(&page.PageRect(), &device));
    const RECT c = page.ClientRect();
    EXPECT_NEAR(c.left, GetDeviceCaps(CWindowDC(), LOGPIXELSX), 1) << "one inch in screen pixels";
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].objectType, OBJ_ENHMETADC);
    EXPECT_NEAR(calls[0].clipBox.left, c.left, 1);
    EXPECT_NEAR(calls[0].clipBox.bottom, c.bottom, 1);
    CPlayedPage played(page);
    EXPECT_TRUE(EqualRect(&played.client, &c));
    const Probe probes[] = {{c.left + 3, c.top + 3, 0},           {c.right - 3, c.bottom - 3, 0},
                            {c.left - 3, c.top + 3, 0xFFFFFF},    {c.left + 3, c.top - 3, 0xFFFFFF},
                            {c.right + 3, c.bottom - 3, 0xFFFFFF}, {c.right - 3, c.bottom + 3, 0xFFFFFF}};
    for (const auto& at : probes) EXPECT_EQ(played.Pixel(at.x, at.y), at.colour) << at.x << "," << at.y;

    // As a screen, the provider gets a bitmap of the client size, its origin at the client's corner.
    store->asScreen_ = VARIANT_TRUE;
    fill = &square;
    calls.clear();
    Record();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].objectType, OBJ_MEMDC);
    EXPECT_EQ(calls[0].clipBox.left, 0);
    EXPECT_NEAR(calls[0].clipBox.bottom, c.bottom - c.top, 1);
    CPlayedPage screen(Page(0));
    EXPECT_EQ(screen.Pixel(c.left + 5, c.top + 5), RGB(0, 0, 0));
    EXPECT_EQ(screen.Pixel(c.left + 14, c.top + 5), RGB(255, 255, 255));
    EXPECT_EQ(screen.Pixel(5, 5), RGB(255, 255, 255));
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
        const Probe probes[] = {{c.left, midY, red},       {c.left - 1, midY, white}, {c.left + 1, midY, white},
                                {midX, c.top, red},        {c.right - 1, midY, red},  {c.right, midY, white},
                                {midX, c.bottom - 1, red}, {midX, c.bottom, white},   {midX, midY, white}};
        for (const auto& at : probes)
            EXPECT_EQ(played.Pixel(at.x, at.y), at.colour) << k.what << " at " << at.x << "," << at.y;
    }
    // Style s is GDI pen style s - 1; style 0 draws no frame.
    store->asScreen_ = VARIANT_FALSE;
    for (long s = 0; s <= 5; ++s) {
        store->pageFrameStyle_ = s;
        Record();
        const std::vector<LOGPEN> pens = PensOf(Page(0).GetHandle());
        ASSERT_EQ(pens.size(), s ? 1u : 0u) << s;
        if (s) EXPECT_EQ(pens[0].lopnStyle, static_cast<UINT>(s - 1));
        if (s) EXPECT_EQ(pens[0].lopnColor, red);
    }
}

TEST_F(GeometryTest, PlayAnswersTheClientPartOfAnyRectangle) {
    Use(Provider("A", 1));
    Record();
    CEMFPage& page = Page(0);
    const RECT p = page.PageRect(), m = page.Margins();
    const RECT target{10, 20, 10 + 1275, 20 + 1650};
    COwnedDC memory(CreateCompatibleDC(nullptr));
    const RECT client = page.Play(memory, target);
    EXPECT_EQ(client.left, 10 + MulDiv(m.left, 1275, p.right));
    EXPECT_EQ(client.top, 20 + MulDiv(m.top, 1650, p.bottom));
    EXPECT_EQ(client.right, 10 + 1275 - MulDiv(m.right, 1275, p.right));
    EXPECT_EQ(client.bottom, 20 + 1650 - MulDiv(m.bottom, 1650, p.bottom));

    // Without its metafile a page draws nothing and still answers its client part.
    page.Delete();
    CPlayedPage blank(page, SIZE{200, 200});
    EXPECT_EQ(blank.client.left, MulDiv(m.left, 200, p.right));
    EXPECT_EQ(blank.Pixel(100, 100), RGB(255, 255, 255));
    // A page never recorded has no margins: all of the rectangle is client.
    CEMFPage fresh(&setup, store.get());
    const RECT whole = fresh.Play(memory, target);
    EXPECT_TRUE(EqualRect(&whole, &target));
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
    EXPECT_EQ(CPlayedPage(Page(0), SIZE{50, 50}).Pixel(25, 25), RGB(255, 255, 255));
}

}  // namespace
