// AsScreen: the provider draws on a screen bitmap of the client size, its
// origin at the client's top-left corner; the page then holds that bitmap.
#include "RecordingTest.h"

namespace {

class AsScreenTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        store->PutPrintExt(CScriptProvider::Make("A", 1, &provider).Get());
        provider->log = &calls;
        // A 10 x 10 black square at the drawing's origin.
        provider->draw = [](HDC dc, long) {
            const RECT square{0, 0, 10, 10};
            FillRect(dc, &square, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        };
    }
    CScriptProvider* provider = nullptr;
};

TEST_F(AsScreenTest, ProviderDrawsAtTheClientOriginInScreenPixels) {
    store->asScreen_ = VARIANT_TRUE;
    Record();
    CEMFPage& page = store->GetPage(0);
    const RECT c = page.ClientRect();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].objectType, OBJ_MEMDC);
    EXPECT_EQ(calls[0].clipBox.left, 0);
    EXPECT_EQ(calls[0].clipBox.top, 0);
    EXPECT_NEAR(calls[0].clipBox.right, c.right - c.left, 1);
    EXPECT_NEAR(calls[0].clipBox.bottom, c.bottom - c.top, 1);

    EXPECT_EQ(BitmapCopies(page.GetHandle()), 1) << "the page holds a bitmap";

    const RECT screenPage = page.PageRectScreen();
    CPlayedPage played(page, SIZE{screenPage.right, screenPage.bottom});
    EXPECT_EQ(played.Pixel(c.left + 5, c.top + 5), RGB(0, 0, 0)) << "the square sits at the client's corner";
    EXPECT_EQ(played.Pixel(c.left + 14, c.top + 5), RGB(255, 255, 255)) << "the bitmap is white elsewhere";
    EXPECT_EQ(played.Pixel(5, 5), RGB(255, 255, 255)) << "nothing at the page's corner";
}

TEST_F(AsScreenTest, WithoutItTheSameDrawingLandsInTheClippedMargin) {
    Record();
    CEMFPage& page = store->GetPage(0);
    const RECT c = page.ClientRect();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].objectType, OBJ_ENHMETADC);
    EXPECT_EQ(BitmapCopies(page.GetHandle()), 0);
    const RECT screenPage = page.PageRectScreen();
    CPlayedPage played(page, SIZE{screenPage.right, screenPage.bottom});
    EXPECT_EQ(played.Pixel(5, 5), RGB(255, 255, 255)) << "outside the clip";
    EXPECT_EQ(played.Pixel(c.left + 5, c.top + 5), RGB(255, 255, 255));
}

TEST_F(AsScreenTest, PageFrameGoesAroundTheBitmap) {
    store->asScreen_ = VARIANT_TRUE;
    store->pageFrameStyle_ = 1;
    store->pageFrameColor_ = 0x000000FF;  // red
    provider->draw = nullptr;
    provider->continueAt[0] = VARIANT_FALSE;
    Record();
    CEMFPage& page = store->GetPage(0);
    const RECT c = page.ClientRect();
    const RECT screenPage = page.PageRectScreen();
    CPlayedPage played(page, SIZE{screenPage.right, screenPage.bottom});
    EXPECT_EQ(played.Pixel(c.left, c.top + 30), RGB(255, 0, 0));
    EXPECT_EQ(played.Pixel(c.left + 30, c.top), RGB(255, 0, 0));
    EXPECT_EQ(played.Pixel(c.left + 30, c.top + 30), RGB(255, 255, 255));
}

}  // namespace
