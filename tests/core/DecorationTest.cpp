// Page numbers and captions, read back from the recorded metafiles themselves.
#include "RecordingTest.h"

namespace {

class DecorationTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        provider = Provider("A", 3);
        Use(provider);
    }
    POINT At(long page, const std::string& text) const {
        std::vector<POINT> found;
        for (const MetafileText& t : TextsOf(Page(page).GetHandle()))
            if (t.text == text) found.push_back(t.at);
        EXPECT_EQ(found.size(), 1u) << "\"" << text << "\" on page " << page;
        return found.empty() ? POINT{-1, -1} : found[0];
    }
    long Middle() const { return (Page(0).ClientRect().left + Page(0).ClientRect().right) / 2; }

    CScriptProvider* provider = nullptr;
};

TEST_F(DecorationTest, DefaultsNumberEachPageRightInTheFooterUnderTheCentredCaption) {
    Record();
    ASSERT_EQ(store->GetCount(), 3);
    const RECT c = Page(0).ClientRect(), p = Page(0).PageRectScreen();
    for (long i = 0; i < 3; ++i) {
        const std::string number = std::to_string(i + 1);
        EXPECT_EQ(Strings(i), (std::vector<std::string>{number, "Untitled Document"}));
        const POINT n = At(i, number), caption = At(i, "Untitled Document");
        EXPECT_TRUE(n.y >= c.bottom && n.y < p.bottom && n.x > Middle() && n.x < c.right) << n.x << "," << n.y;
        EXPECT_TRUE(caption.y >= p.top && caption.y < c.top && caption.x > c.left + 50 && caption.x < Middle())
            << caption.x << "," << caption.y;
    }
}

TEST_F(DecorationTest, InsideAndOutsideFollowThePositionInTheStore) {
    store->startPageNumber_ = 2;  // the shown numbers are even where the positions are odd
    store->pageNumbersAlignment_ = kAlignInside;
    store->documentCaption_.Caption = Bstr(L"T");
    store->documentCaption_.Alignment = kAlignOutside;
    Record();
    const long left = Page(0).ClientRect().left;
    EXPECT_GT(At(0, "2").x, Middle());
    EXPECT_EQ(At(0, "T").x, left);
    EXPECT_EQ(At(1, "3").x, left);
    EXPECT_GT(At(1, "T").x, Middle());
}

TEST_F(DecorationTest, ExtraCaptionsInKeyOrderBeforeTheDocumentCaption) {
    store->SetExtraCaption("b", "B", kFooter, kAlignLeft);
    store->SetExtraCaption("a", "A", kHeader, kAlignRight);
    store->SetExtraCaption("c", "C <%page%>", kFooter, kAlignCenter);
    provider->pages = 1;
    Record();
    EXPECT_EQ(Strings(0), (std::vector<std::string>{"1", "A", "B", "C 1", "Untitled Document"}));
    const RECT c = Page(0).ClientRect();
    const POINT a = At(0, "A"), b = At(0, "B");
    EXPECT_LT(a.y, c.top);
    EXPECT_GT(a.x, Middle());
    EXPECT_GE(b.y, c.bottom);
    EXPECT_EQ(b.x, c.left);

    store->SetExtraCaption("a", "", 0, 0);  // removes "a" only
    Record();
    EXPECT_EQ(Strings(0), (std::vector<std::string>{"1", "B", "C 1", "Untitled Document"}));
    store->SetExtraCaption("", "x", 0, 0);  // removes all
    Record();
    EXPECT_EQ(Strings(0), (std::vector<std::string>{"1", "Untitled Document"}));
}

}  // namespace
