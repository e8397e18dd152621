// Page number, extra captions, document caption and page frame, read back from
// the recorded metafiles themselves.
#include "RecordingTest.h"

namespace {

class DecorationTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        store->PutPrintExt(CScriptProvider::Make("A", 3, &provider).Get());
    }
    std::vector<MetafileText> Texts(long page) const { return TextsOf(store->GetPage(page).GetHandle()); }
    // The one text on `page` that reads `text`.
    MetafileText Find(long page, const std::string& text) const {
        MetafileText found;
        int count = 0;
        for (const MetafileText& t : Texts(page))
            if (t.text == text) found = t, ++count;
        EXPECT_EQ(count, 1) << "\"" << text << "\" on page " << page;
        return found;
    }
    RECT Client() const { return store->GetPage(0).ClientRect(); }
    long Middle() const { return (Client().left + Client().right) / 2; }
    void SetCaption(const wchar_t* text) { store->documentCaption_.Caption = Bstr(text); }

    CScriptProvider* provider = nullptr;
};

TEST_F(DecorationTest, DefaultsNumberEachPageRightInTheFooterUnderTheCentredCaption) {
    Record();
    ASSERT_EQ(store->GetCount(), 3);
    const RECT c = Client();
    const RECT p = store->GetPage(0).PageRectScreen();
    for (long i = 0; i < 3; ++i) {
        const std::string number = std::to_string(i + 1);
        EXPECT_EQ(Strings(i), (std::vector<std::string>{number, "Untitled Document"})) << "page number first";
        const MetafileText n = Find(i, number);
        EXPECT_GT(n.at.y, c.bottom - 1);
        EXPECT_LT(n.at.y, p.bottom);
        EXPECT_GT(n.at.x, Middle()) << "right-aligned";
        EXPECT_LT(n.at.x, c.right);
        const MetafileText caption = Find(i, "Untitled Document");
        EXPECT_GE(caption.at.y, p.top);
        EXPECT_LT(caption.at.y, c.top);
        EXPECT_GT(caption.at.x, c.left + 50) << "centred";
        EXPECT_LT(caption.at.x, Middle());
    }
}

TEST_F(DecorationTest, TokensGiveThePageAndTheCountInEveryCaption) {
    store->pageNumberFormat_ = "Page <%page%> of <%count%>";
    SetCaption(L"Report <%page%>");
    Record();
    for (long i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i + 1);
        EXPECT_EQ(Strings(i), (std::vector<std::string>{"Page " + n + " of 3", "Report " + n}));
    }

    // The start number reaches the tokens; their arithmetic is the page-text tests' part.
    store->startPageNumber_ = 5;
    Record();
    EXPECT_EQ(Strings(2), (std::vector<std::string>{"Page 7 of 7", "Report 7"}));
}

TEST_F(DecorationTest, CountIsThePagesRecordedUpToTheCurrentProvider) {
    // A (current, 2 pages) first, then the list's B (3 pages).
    provider->pages = 2;
    ComPtr<IPrintExt> b = CScriptProvider::Make("B", 3);
    ComPtr<IUnknown> current;
    store->GetPrintExt(current.Put());
    store->PutPrintExts(VariantList({b.Get()}).Get());  // the list replaces...
    store->PutPrintExt(current.Get());                 // ...and A is current again
    store->pageNumberFormat_ = "<%page%> of <%count%>";
    Record();
    ASSERT_EQ(store->GetCount(), 5);
    const char* expected[] = {"1 of 2", "2 of 2", "3 of 5", "4 of 5", "5 of 5"};
    for (long i = 0; i < 5; ++i) EXPECT_EQ(Strings(i)[0], expected[i]);
}

TEST_F(DecorationTest, InsideAndOutsideFollowThePositionInTheStore) {
    store->startPageNumber_ = 2;  // the shown numbers are even where the positions are odd
    store->pageNumbersAlignment_ = kAlignInside;
    SetCaption(L"T");
    store->documentCaption_.Alignment = kAlignOutside;
    Record();
    const RECT c = Client();
    // Position 1 and 3: number right, caption left; position 2 the other way round.
    for (long i : {0L, 2L}) {
        EXPECT_GT(Find(i, std::to_string(i + 2)).at.x, Middle());
        EXPECT_EQ(Find(i, "T").at.x, c.left);
    }
    EXPECT_EQ(Find(1, "3").at.x, c.left);
    EXPECT_GT(Find(1, "T").at.x, Middle());

    store->pageNumbersAlignment_ = kAlignLeft;
    store->documentCaption_.Alignment = 7;  // unknown: right
    Record();
    EXPECT_EQ(Find(0, "2").at.x, c.left);
    EXPECT_GT(Find(0, "T").at.x, Middle());
}

TEST_F(DecorationTest, ExtraCaptionsInKeyOrderBeforeTheDocumentCaption) {
    store->SetExtraCaption("b", "B", kFooter, kAlignLeft);
    store->SetExtraCaption("a", "A", kHeader, kAlignRight);
    store->SetExtraCaption("c", "C <%page%>", kFooter, kAlignCenter);
    provider->pages = 1;
    Record();
    EXPECT_EQ(Strings(0), (std::vector<std::string>{"1", "A", "B", "C 1", "Untitled Document"}));
    const RECT c = Client();
    const MetafileText a = Find(0, "A"), b = Find(0, "B");
    EXPECT_LT(a.at.y, c.top);
    EXPECT_GT(a.at.x, Middle());
    EXPECT_GE(b.at.y, c.bottom);
    EXPECT_EQ(b.at.x, c.left);

    store->SetExtraCaption("a", "", 0, 0);  // removes "a" only
    Record();
    EXPECT_EQ(Strings(0), (std::vector<std::string>{"1", "B", "C 1", "Untitled Document"}));
    store->SetExtraCaption("", "x", 0, 0);  // removes all
    Record();
    EXPECT_EQ(Strings(0), (std::vector<std::string>{"1", "Untitled Document"}));
}

TEST_F(DecorationTest, NothingForEmptyTextsOrHiddenNumbers) {
    store->pageNumberFormat_ = "";
    SetCaption(nullptr);
    Record();
    EXPECT_TRUE(Strings(0).empty());
    store->pageNumberFormat_ = "<%page%>";
    store->showPageNumbers_ = VARIANT_FALSE;
    SetCaption(L"");
    Record();
    EXPECT_TRUE(Strings(1).empty());
    store->showPageNumbers_ = VARIANT_TRUE;
    store->pageNumbersPosition_ = kHeader;
    Record();
    EXPECT_LT(Find(1, "2").at.y, Client().top) << "position 0 is the header";
}

TEST_F(DecorationTest, WhatTheProviderLeftInTheContextDoesNotMoveThem) {
    Record();
    const MetafileText clean = Find(0, "1");
    provider->draw = [](HDC dc, long) {
        SetTextAlign(dc, TA_RIGHT | TA_BOTTOM);
        SetViewportOrgEx(dc, 40, 40, nullptr);
        SetTextColor(dc, RGB(0, 255, 0));
    };
    Record();
    const MetafileText after = Find(0, "1");
    EXPECT_EQ(after.at.x, clean.at.x);
    EXPECT_EQ(after.at.y, clean.at.y);
    CPlayedPage played(store->GetPage(0), SIZE{store->GetPage(0).PageRectScreen().right,
                                               store->GetPage(0).PageRectScreen().bottom});
    // Somewhere in the number's line there is dark text, and no green.
    bool dark = false, green = false;
    const RECT p = store->GetPage(0).PageRectScreen();
    for (int y = Client().bottom; y < p.bottom; ++y)
        for (int x = Middle(); x < Client().right; ++x) {
            const COLORREF px = played.Pixel(x, y);
            dark |= GetRValue(px) < 100 && GetGValue(px) < 100 && GetBValue(px) < 100;
            green |= GetGValue(px) > 200 && GetRValue(px) < 100;
        }
    EXPECT_TRUE(dark);
    EXPECT_FALSE(green);
}

TEST_F(DecorationTest, PageFrameIsOneUnitInsideAtRightAndBottom) {
    store->pageFrameStyle_ = 1;
    store->pageFrameColor_ = 255;
    store->showPageNumbers_ = VARIANT_FALSE;
    SetCaption(nullptr);
    provider->pages = 1;
    Record();
    const std::vector<LOGPEN> pens = PensOf(store->GetPage(0).GetHandle());
    ASSERT_EQ(pens.size(), 1u);
    EXPECT_EQ(pens[0].lopnStyle, static_cast<UINT>(PS_SOLID));
    EXPECT_EQ(pens[0].lopnColor, RGB(255, 0, 0));

    const RECT p = store->GetPage(0).PageRectScreen();
    const RECT c = Client();
    CPlayedPage played(store->GetPage(0), SIZE{p.right, p.bottom});
    const COLORREF red = RGB(255, 0, 0), white = RGB(255, 255, 255);
    const int midX = (c.left + c.right) / 2, midY = (c.top + c.bottom) / 2;
    const struct {
        LONG x, y;
        COLORREF colour;
    } probes[] = {{c.left, midY, red},         {c.left - 1, midY, white},  {c.left + 1, midY, white},
                  {midX, c.top, red},          {c.right - 1, midY, red},   {c.right, midY, white},
                  {midX, c.bottom - 1, red},   {midX, c.bottom, white},    {c.right - 1, c.bottom - 1, red}};
    for (const auto& at : probes) EXPECT_EQ(played.Pixel(at.x, at.y), at.colour) << at.x << "," << at.y;

    // Style s is GDI pen style s - 1: 2 dashes, 3 dots, 4 dash-dot, 5 dash-dot-dot.
    for (long s = 2; s <= 5; ++s) {
        store->pageFrameStyle_ = s;
        Record();
        const std::vector<LOGPEN> styled = PensOf(store->GetPage(0).GetHandle());
        ASSERT_EQ(styled.size(), 1u);
        EXPECT_EQ(styled[0].lopnStyle, static_cast<UINT>(s - 1));
    }
    store->pageFrameStyle_ = 0;
    Record();
    EXPECT_TRUE(PensOf(store->GetPage(0).GetHandle()).empty());
}

}  // namespace
