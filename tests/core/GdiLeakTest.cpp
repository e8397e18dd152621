// Documents of any length: recording holds one metafile context at a time, recorded pages hold
// no GDI object, and recording over and over gives back every object it takes.
#include "RecordingTest.h"
#include <algorithm>

namespace {

using GdiLeakTest = RecordingTest;

TEST_F(GdiLeakTest, ThirtyThousandPagesStayWithinAFewGdiObjectsAndKeepTheirCount) {
    constexpr long kPages = 30000;  // three times the 10,000 objects a Windows process may hold
    store->pageNumberFormat_ = "Page <%page%> of <%count%>";
    CScriptProvider* a = Provider("A", kPages);
    Use(a);
    const long start = GdiObjectCount();
    ASSERT_GT(start, 0) << "no way to count GDI objects here";
    long peak = start;
    a->draw = [&peak](HDC dc, long index) {
        LineTo(dc, 100 + index % 50, 60);
        if (index % 500 == 0) peak = std::max(peak, GdiObjectCount());
    };
    Record();
    ASSERT_EQ(store->GetCount(), kPages);
    EXPECT_LE(peak - start, 200);
    EXPECT_LE(GdiObjectCount() - start, 50);
    EXPECT_EQ(Strings(kPages - 1)[0], "Page 30000 of 30000");

    // A provider that announces more than it draws: its pages show the count it reached, once.
    a->pages = 10000000;
    a->continueAt[49] = VARIANT_FALSE;
    a->draw = [](HDC dc, long) { TextOutA(dc, 20, 20, "body", 4); };
    Record();
    ASSERT_EQ(store->GetCount(), 50);
    for (long page : {0L, 49L})
        EXPECT_EQ(Strings(page), (std::vector<std::string>{"body", "Page " + std::to_string(page + 1) + " of 50",
                                                           "Untitled Document"}));
}

TEST_F(GdiLeakTest, RecordingAgainAndAgainLeavesNothingBehind) {
    CScriptProvider* a = Provider("A", 200);
    Use(a);
    // Pens, brushes and text like a real provider, cleaned up after itself.
    a->draw = [](HDC dc, long index) {
        Pen pen(CreatePen(PS_SOLID, 2, RGB(index % 256, 0, 0)));
        Brush brush(CreateSolidBrush(RGB(0, index % 256, 0)));
        CSelectObject selectPen(dc, pen.Get());
        CSelectObject selectBrush(dc, brush.Get());
        Ellipse(dc, 30, 30, 150, 100);
        TextOutA(dc, 10, 140, "page", 4);
    };
    for (VARIANT_BOOL asScreen : {VARIANT_FALSE, VARIANT_TRUE}) {
        store->asScreen_ = asScreen;
        Record();  // the first use creates what GDI keeps for good (stock objects, font caches)
        const long start = GdiObjectCount();
        ASSERT_GT(start, 0) << "no way to count GDI objects here";
        for (int i = 0; i < 4; ++i) Record();
        EXPECT_EQ(GdiObjectCount(), start) << "as a screen: " << asScreen;
        // Recorded pages are bytes: handles exist only for the few pages last played or copied.
        for (long i = 0; i < store->GetCount(); ++i) ASSERT_NE(Page(i).GetHandle(), nullptr);
        EXPECT_EQ(GdiObjectCount(), start + static_cast<long>(CHostEMFPages::kHandlesKept));
        store->ClearPages();
        EXPECT_EQ(GdiObjectCount(), start);
    }
}

}  // namespace
