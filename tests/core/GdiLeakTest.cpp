// Recording holds one metafile context at a time and gives back every GDI object it takes.
#include "RecordingTest.h"
#include <algorithm>

namespace {

using GdiLeakTest = RecordingTest;

TEST_F(GdiLeakTest, ThirtyThousandPagesStayWithinAFewGdiObjectsAndGiveEveryOneBack) {
    constexpr long kPages = 30000;  // three times the 10,000 objects a Windows process may hold
    CScriptProvider* a = Provider("A", kPages);
    Use(a);
    const long start = CountedGdiObjects();
    long peak = start;
    a->draw = [&peak](HDC dc, long index) {
        Pen pen(CreatePen(PS_SOLID, 2, RGB(index % 256, 0, 0)));
        Brush brush(CreateSolidBrush(RGB(0, index % 256, 0)));
        CSelectObject selectPen(dc, pen.Get());
        CSelectObject selectBrush(dc, brush.Get());
        Ellipse(dc, 30, 30, 150, 100);
        if (index % 500 == 0) peak = std::max(peak, CountedGdiObjects());
    };
    Record();  // the first use creates what GDI keeps for good (stock objects, font caches)
    ASSERT_EQ(store->GetCount(), kPages);
    EXPECT_LE(peak - start, 200);
    const long settled = CountedGdiObjects();
    EXPECT_LE(settled - start, 50);
    Record();
    EXPECT_EQ(CountedGdiObjects(), settled);
    // Recorded pages are bytes: handles exist only for the few pages last played or copied.
    for (long i = 0; i < kPages; ++i) ASSERT_NE(Page(i).GetHandle(), nullptr);
    EXPECT_EQ(CountedGdiObjects(), settled + static_cast<long>(CHostEMFPages::kHandlesKept));
    store->ClearPages();
    EXPECT_EQ(CountedGdiObjects(), settled);

    store->asScreen_ = VARIANT_TRUE;
    a->pages = 200;
    Record();
    const long screen = CountedGdiObjects();
    Record();
    EXPECT_EQ(CountedGdiObjects(), screen);
}

}  // namespace
