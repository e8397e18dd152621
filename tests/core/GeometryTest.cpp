// Where a recorded page puts things: the page object's values, the metafile's
// frame and mapping, and the client rectangle the provider is clipped to.
#include "RecordingTest.h"
#include <algorithm>
#include <cstdlib>

namespace {

class GeometryTest : public RecordingTest {
protected:
    // Device rectangle in screen pixels, as the store converts it.
    RECT ToScreen(const RECT& r) const {
        return RECT{MulDiv(r.left, screenDpiX, printerDpiX), MulDiv(r.top, screenDpiY, printerDpiY),
                    MulDiv(r.right, screenDpiX, printerDpiX), MulDiv(r.bottom, screenDpiY, printerDpiY)};
    }
};

bool SameRect(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != 0; }

// What the page object told the provider: left, top, width, height, page width and height.
std::vector<double> Measures(const DrawCall& c) {
    return {c.left, c.top, c.width, c.height, c.pageWidth, c.pageHeight};
}

TEST_F(GeometryTest, PageObjectDescribesThePageSetupInItsUnit) {
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("A", 1, &p).Get());
    p->log = &calls;
    // Thousandths of an inch give inches, hundredths of a millimetre centimetres; uneven margins each their own.
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
        const std::vector<double> got = Measures(calls[0]);
        for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.measures[i], 1e-9) << i;
    }
    // The page's own rectangles follow the metric unit too (2540 per inch).
    const CEMFPage& page = store->GetPage(0);
    EXPECT_EQ(page.PageRect().right, MulDiv(21000, printerDpiX, 2540));
    EXPECT_EQ(page.Margins().left, MulDiv(2500, printerDpiX, 2540));
    EXPECT_EQ(page.Margins().bottom, MulDiv(2000, printerDpiY, 2540));
}

TEST_F(GeometryTest, PageObjectBeforeAnyRecordingAndWithNullPointers) {
    ComPtr<IPage> page;
    ASSERT_EQ((CreateComObject<CPage>(nullptr, IID_IPage, page.PutVoid())), S_OK);
    double v = -1;
    long index = -1;
    EXPECT_EQ((page->get_PageWidth(&v), v), 0.0);
    EXPECT_EQ((page->get_Height(&v), v), 0.0);
    EXPECT_EQ((page->get_Index(&index), index), 0);
    EXPECT_EQ(page->get_Left(nullptr), E_POINTER);
    EXPECT_EQ(page->get_Index(nullptr), E_POINTER);
}

TEST_F(GeometryTest, MetafileFrameIsThePaperAndItsUnitTheScreenPixel) {
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("A", 1, &p).Get());
    p->log = &calls;
    Record();
    ASSERT_EQ(store->GetCount(), 1);
    CEMFPage& page = store->GetPage(0);
    ASSERT_TRUE(page.HasMetafile());

    const RECT pageDevice{0, 0, Px(8500, printerDpiX), Px(11000, printerDpiY)};
    const RECT clientDevice{Px(1000, printerDpiX), Px(1000, printerDpiY), pageDevice.right - Px(1000, printerDpiX),
                            pageDevice.bottom - Px(1000, printerDpiY)};
    EXPECT_TRUE(SameRect(page.PageRect(), pageDevice));
    EXPECT_TRUE(SameRect(page.PageRectScreen(), ToScreen(pageDevice)));
    EXPECT_TRUE(SameRect(page.ClientRect(), ToScreen(clientDevice)));
    const RECT margins = page.Margins();
    EXPECT_EQ(margins.left, Px(1000, printerDpiX));
    EXPECT_EQ(margins.bottom, Px(1000, printerDpiY));

    ENHMETAHEADER header{};
    ASSERT_EQ(GetEnhMetaFileHeader(page.GetHandle(), sizeof header, &header), sizeof header);
    const int horzSize = GetDeviceCaps(printer, HORZSIZE), horzRes = GetDeviceCaps(printer, HORZRES);
    const int vertSize = GetDeviceCaps(printer, VERTSIZE), vertRes = GetDeviceCaps(printer, VERTRES);
    EXPECT_EQ(header.rclFrame.left, 0);
    EXPECT_EQ(header.rclFrame.top, 0);
    EXPECT_EQ(header.rclFrame.right, MulDiv(horzSize * pageDevice.right, 100, horzRes));
    EXPECT_EQ(header.rclFrame.bottom, MulDiv(vertSize * pageDevice.bottom, 100, vertRes));
    // The device reports whole millimetres, so the frame meets the paper within one.
    EXPECT_NEAR(header.rclFrame.right, 8500 * 254 / 100, 100);
    EXPECT_NEAR(header.rclFrame.bottom, 11000 * 254 / 100, 100);
    EXPECT_EQ(header.szlDevice.cx, horzRes) << "recorded against the printer";
    EXPECT_EQ(header.szlDevice.cy, vertRes);

    // The provider sees the client rectangle in screen pixels as its clip, on a metafile context.
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].objectType, OBJ_ENHMETADC);
    const RECT expected = page.ClientRect(), clip = calls[0].clipBox;
    EXPECT_TRUE(std::abs(clip.left - expected.left) <= 1 && std::abs(clip.top - expected.top) <= 1 &&
                std::abs(clip.right - expected.right) <= 1 && std::abs(clip.bottom - expected.bottom) <= 1);

    // The mapping and the clip are in the metafile itself, the clip removed after the body.
    const std::vector<DWORD> types = RecordTypes(page.GetHandle());
    for (DWORD type : {EMR_SETMAPMODE, EMR_SETVIEWPORTEXTEX, EMR_SETWINDOWEXTEX})
        EXPECT_NE(std::find(types.begin(), types.end(), type), types.end()) << type;
    EXPECT_EQ(std::count(types.begin(), types.end(), EMR_EXTSELECTCLIPRGN), 2);
}

TEST_F(GeometryTest, DrawingIsClippedToTheClientAndPlaysBackInScreenPixels) {
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("A", 1, &p).Get());
    // Black over the whole logical page: only the client part may stay.
    p->draw = [](HDC dc, long) {
        const RECT all{-1000, -1000, 5000, 5000};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    };
    Record();
    CEMFPage& page = store->GetPage(0);
    const RECT screenPage = page.PageRectScreen();
    const RECT c = page.ClientRect();
    CPlayedPage played(page, SIZE{screenPage.right, screenPage.bottom});
    EXPECT_TRUE(SameRect(played.client, c)) << "played at its own size, the client part is the client rectangle";
    const struct {
        LONG x, y;
        COLORREF colour;
    } probes[] = {{c.left + 3, c.top + 3, 0},           {c.right - 3, c.bottom - 3, 0},
                  {c.left - 3, c.top + 3, 0xFFFFFF},    {c.left + 3, c.top - 3, 0xFFFFFF},
                  {c.right + 3, c.bottom - 3, 0xFFFFFF}, {c.right - 3, c.bottom + 3, 0xFFFFFF}};
    for (const auto& at : probes) EXPECT_EQ(played.Pixel(at.x, at.y), at.colour) << at.x << "," << at.y;
}

TEST_F(GeometryTest, ProviderThatResetsTheMappingDoesNotMoveLaterDrawing) {
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("A", 1, &p).Get());
    p->draw = [](HDC dc, long) {
        SetMapMode(dc, MM_TEXT);  // printer pixels from here on
    };
    store->pageFrameStyle_ = 1;  // drawn after the provider, in the page's own units
    store->pageFrameColor_ = RGB(255, 0, 0);
    Record();
    CEMFPage& page = store->GetPage(0);
    const RECT screenPage = page.PageRectScreen();
    const RECT c = page.ClientRect();
    CPlayedPage played(page, SIZE{screenPage.right, screenPage.bottom});
    EXPECT_EQ(played.Pixel(c.left, c.top + 20), RGB(255, 0, 0)) << "frame on the client's left edge";
    EXPECT_EQ(played.Pixel(c.right - 1, c.top + 20), RGB(255, 0, 0)) << "right line one unit inside";
    EXPECT_EQ(played.Pixel(c.left + 20, c.bottom - 1), RGB(255, 0, 0)) << "bottom line one unit inside";
    EXPECT_EQ(played.Pixel(c.left + 20, c.top + 20), RGB(255, 255, 255));
}

TEST_F(GeometryTest, PlayAnswersTheClientPartOfAnyRectangle) {
    store->PutPrintExt(CScriptProvider::Make("A", 1).Get());
    Record();
    CEMFPage& page = store->GetPage(0);
    const RECT p = page.PageRect();
    const RECT m = page.Margins();
    const RECT target{10, 20, 10 + 1275, 20 + 1650};
    COwnedDC memory(CreateCompatibleDC(nullptr));
    const RECT client = page.Play(memory, target);
    EXPECT_EQ(client.left, 10 + MulDiv(m.left, 1275, p.right));
    EXPECT_EQ(client.top, 20 + MulDiv(m.top, 1650, p.bottom));
    EXPECT_EQ(client.right, 10 + 1275 - MulDiv(m.right, 1275, p.right));
    EXPECT_EQ(client.bottom, 20 + 1650 - MulDiv(m.bottom, 1650, p.bottom));

    // A page without metafile draws nothing and still answers its client part.
    page.Delete();
    EXPECT_EQ(page.GetHandle(), nullptr);
    CPlayedPage blank(page, SIZE{200, 200});
    EXPECT_EQ(blank.client.left, MulDiv(m.left, 200, p.right));
    EXPECT_EQ(blank.Pixel(100, 100), RGB(255, 255, 255));

    // A page never recorded has no geometry: all of the rectangle is client.
    CEMFPage fresh(&setup, store.get());
    EXPECT_FALSE(fresh.HasMetafile());
    EXPECT_EQ(fresh.Index(), 0);
    EXPECT_TRUE(IsRectEmpty(&fresh.ClientRect()));
    const RECT whole = fresh.Play(memory, target);
    EXPECT_TRUE(SameRect(whole, target));
}

TEST_F(GeometryTest, NoClientAreaStopsEachProviderAfterItsFirstPage) {
    setup.rtMargin = RECT{5000, 1000, 5000, 1000};  // wider than the paper
    ComPtr<IPrintExt> b = CScriptProvider::Make("B", 4);
    store->PutPrintExts(VariantList({b.Get()}).Get());  // through the list, so that both are recorded
    store->PutPrintExt(CScriptProvider::Make("A", 3).Get());
    Record();
    EXPECT_EQ(store->GetCount(), 2);
    EXPECT_EQ(store->events, (std::vector<std::string>{"start", "page 0", "end 1", "start", "page 1", "end 2"}));
}

TEST_F(GeometryTest, AbsurdPaperAndNoReferenceAreAbsorbed) {
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("A", 3, &p).Get());
    struct Case {
        long width, height, margin;
        long pages;  // an empty client area ends the provider after one page
    } cases[] = {{0, 0, 0, 1}, {-8500, -11000, 1000, 1}, {2000000000, 11000, 1000, 3}, {8500, 11000, -1000, 3}};
    for (const Case& c : cases) {
        setup = InchSetup(c.width, c.height, c.margin);
        Record();
        EXPECT_EQ(store->GetCount(), c.pages) << c.width << " x " << c.height << ", margins " << c.margin;
    }

    // Without a device to measure against, pages are kept without metafile and play as nothing.
    setup = InchSetup(8500, 11000, 1000);
    store->LoadPages(nullptr, &setup);
    ASSERT_EQ(store->GetCount(), 1);
    EXPECT_FALSE(store->GetPage(0).HasMetafile());
    CPlayedPage played(store->GetPage(0), SIZE{50, 50});
    EXPECT_EQ(played.Pixel(25, 25), RGB(255, 255, 255));
}

}  // namespace
