// Documents of any length: recording holds one metafile device context at a time and the
// recorded pages hold no GDI object, while every page keeps its decorations and the count.
#include "MetafileText.h"
#include "RecordingTest.h"
#include <algorithm>

namespace {

class LongDocumentTest : public RecordingTest {
protected:
    std::string PageNumber(long page) {
        for (const MetafileText& t : TextsOf(store->GetPage(page).GetHandle()))
            if (t.text.rfind("Page ", 0) == 0) return t.text;
        return "";
    }
};

TEST_F(LongDocumentTest, ThirtyThousandPagesStayWithinAFewGdiObjects) {
    constexpr long kPages = 30000;  // three times the 10,000 objects a Windows process may hold
    store->pageNumberFormat_ = "Page <%page%> of <%count%>";
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("A", kPages, &p).Get());
    const long start = GdiObjectCount();
    ASSERT_GT(start, 0) << "no way to count GDI objects here";
    long peak = start;
    p->draw = [&peak](HDC dc, long index) {
        MoveToEx(dc, 10, 10, nullptr);
        LineTo(dc, 100 + index % 50, 60);
        if (index % 500 == 0) peak = std::max(peak, GdiObjectCount());
    };
    Record();
    ASSERT_EQ(store->GetCount(), kPages);
    EXPECT_LE(peak - start, 200);
    EXPECT_LE(GdiObjectCount() - start, 50);
    EXPECT_EQ(PageNumber(0), "Page 1 of 30000");
    EXPECT_EQ(PageNumber(kPages - 1), "Page 30000 of 30000");
}

TEST_F(LongDocumentTest, AProviderStoppingEarlyGetsTheCountItReached) {
    store->pageNumberFormat_ = "Page <%page%> of <%count%>";
    CScriptProvider* p = nullptr;
    store->PutPrintExt(CScriptProvider::Make("A", 10000000, &p).Get());
    p->continueAt[49] = VARIANT_FALSE;
    p->draw = [](HDC dc, long) { TextOutA(dc, 20, 20, "body", 4); };
    Record();
    ASSERT_EQ(store->GetCount(), 50);
    for (long page : {0L, 49L}) {
        EXPECT_EQ(PageNumber(page), "Page " + std::to_string(page + 1) + " of 50");
        const std::vector<MetafileText> texts = TextsOf(store->GetPage(page).GetHandle());
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(), [](const MetafileText& t) { return t.text == "body"; }), 1)
            << "the body is kept once";
        EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                                [](const MetafileText& t) { return t.text.rfind("Page ", 0) == 0; }),
                  1)
            << "the first decorations are gone";
    }
}

}  // namespace
