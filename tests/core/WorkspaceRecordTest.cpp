// The workspace records the store's pages for the settings record's printer.
#include "CPrintWorkspace.h"
#include "toolbar/CPrintToolBar.h"
#include "RecordingTest.h"
#include "printing/SettingsText.h"
#include "printing/tests/DialogAnswer.h"

namespace {

class Defaults : public IDefaultSettings {
public:
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshEnd() override { ++refreshed; }
    void OnRefreshBegin() override { ++refreshing; }
    void OnAnchorClick(const char*, const char*) override {}
    int refreshing = 0, refreshed = 0;
};

class WorkspaceRecordTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        workspace = std::make_unique<CPrintWorkspace>(defaults, *store, toolbar);
        CScriptProvider* p = nullptr;
        store->PutPrintExt(CScriptProvider::Make("A", 2, &p).Get());
        p->log = &calls;
    }
    void TearDown() override {
        workspace.reset();
        RecordingTest::TearDown();
    }
    Defaults defaults;
    CPrintToolBar toolbar;
    std::unique_ptr<CPrintWorkspace> workspace;
};

TEST_F(WorkspaceRecordTest, RecordsForTheDefaultPrinterWithItsPageSetup) {
    workspace->RecordPages();  // the first use loads the printer "PDF" (A4)
    ASSERT_EQ(store->GetCount(), 2);
    const CEMFPage& page = store->GetPage(1);
    EXPECT_EQ(page.PageSetup(), &workspace->Settings().Record());
    EXPECT_EQ(store->PageSetup(), &workspace->Settings().Record());
    const RECT c = page.ClientRect();
    EXPECT_EQ(c.right - c.left, workspace->Settings().ClientWidth());
    EXPECT_EQ(c.bottom - c.top, workspace->Settings().ClientHeight());
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_NEAR(calls[1].pageWidth, 8.263, 0.001);
    EXPECT_NEAR(calls[1].pageHeight, 11.692, 0.001);
    EXPECT_DOUBLE_EQ(calls[1].left, 0.5);
    EXPECT_EQ(calls[1].index, 1);

    // Margins put through the settings are what the next recording uses.
    VARIANT margin;
    V_VT(&margin) = VT_I4;
    V_I4(&margin) = 1500;
    workspace->Settings().PutSettings(CSettingsText::kvLeftMargin, margin);
    calls.clear();
    workspace->RecordPages();
    ASSERT_FALSE(calls.empty());
    EXPECT_DOUBLE_EQ(calls[0].left, 1.5);
    EXPECT_EQ(store->GetPage(0).Margins().left, MulDiv(1500, printerDpiX, 1000));
}

TEST_F(WorkspaceRecordTest, MetricUnitGivesCentimetres) {
    defaults.DisplayInch = 1;
    workspace = std::make_unique<CPrintWorkspace>(defaults, *store, toolbar);
    workspace->RecordPages();
    ASSERT_FALSE(calls.empty());
    EXPECT_NEAR(calls[0].pageWidth, 21.0, 0.05);
    EXPECT_NEAR(calls[0].pageHeight, 29.7, 0.05);
    EXPECT_DOUBLE_EQ(calls[0].left, 0.5) << "500 hundredths of a millimetre";
}

TEST_F(WorkspaceRecordTest, DoPrintCancelledAtThePageSetupRecordsAndPrintsNothing) {
    DialogAnswer user(IDCANCEL);
    workspace->DoPrint(true);
    user.Wait();
    ASSERT_TRUE(user.found);
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(defaults.refreshing, 0);
}

TEST_F(WorkspaceRecordTest, DoPrintConfirmedRecordsOnceThenPrints) {
    DialogAnswer user(IDOK);
    workspace->DoPrint(true);
    user.Wait();
    ASSERT_TRUE(user.found);
    EXPECT_EQ(store->GetCount(), 2);
    EXPECT_EQ(defaults.refreshing, 1);
    EXPECT_EQ(defaults.refreshed, 1);
}

TEST_F(WorkspaceRecordTest, CtrlClicksRewriteThePageRange) {
    workspace->RecordPages();
    ASSERT_EQ(store->GetCount(), 2);
    struct Step { long page; bool invert; const char* range; };
    const Step steps[] = {{0, false, "2-"}, {0, false, ""}, {1, true, "2-"}, {1, false, "3-"},
                          {-1, false, "3-"}, {2, true, "3-"}, {0, true, "2-"}};
    for (const Step& s : steps) {
        store->TogglePage(s.page, s.invert);
        EXPECT_EQ(store->pageRange_, s.range) << s.page << (s.invert ? " inverted" : "");
    }
}

}  // namespace
