// Recording many pages over and over gives back every GDI object it takes.
#include "RecordingTest.h"

namespace {

class GdiLeakTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        CScriptProvider* p = nullptr;
        store->PutPrintExt(CScriptProvider::Make("A", 200, &p).Get());
        // A provider that uses pens, brushes and text like a real one, and cleans up after itself.
        p->draw = [](HDC dc, long index) {
            Pen pen(CreatePen(PS_SOLID, 2, RGB(index % 256, 0, 0)));
            Brush brush(CreateSolidBrush(RGB(0, index % 256, 0)));
            CSelectObject selectPen(dc, pen.Get());
            CSelectObject selectBrush(dc, brush.Get());
            Rectangle(dc, 10, 10, 200, 120);
            Ellipse(dc, 30, 30, 150, 100);
            TextOutA(dc, 10, 140, "page", 4);
        };
    }
};

TEST_F(GdiLeakTest, TenRecordingsOfTwoHundredPagesLeaveNothingBehind) {
    Record();  // first use creates what GDI keeps for good (stock objects, font caches)
    ASSERT_EQ(store->GetCount(), 200);
    const long start = GdiObjectCount();
    ASSERT_GT(start, 0) << "no way to count GDI objects here";
    for (int i = 0; i < 10; ++i) Record();
    EXPECT_EQ(GdiObjectCount(), start);
    // Recorded pages are bytes: handles exist only for the few pages last played or copied.
    for (long i = 0; i < store->GetCount(); ++i) ASSERT_NE(store->GetPage(i).GetHandle(), nullptr);
    EXPECT_EQ(GdiObjectCount(), start + static_cast<long>(CHostEMFPages::kHandlesKept));
    store->ClearPages();
    EXPECT_EQ(GdiObjectCount(), start);
}

TEST_F(GdiLeakTest, ScreenBitmapsAreFreedToo) {
    store->asScreen_ = VARIANT_TRUE;
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("B", 4, &p).Get());
    Record();
    const long start = GdiObjectCount();
    for (int i = 0; i < 4; ++i) Record();
    EXPECT_EQ(GdiObjectCount(), start);
}

}  // namespace
