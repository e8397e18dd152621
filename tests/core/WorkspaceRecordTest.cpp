// The workspace records the store's pages for the settings record's printer.
#include "CPrintWorkspace.h"
#include "RecordingTest.h"
#include "printing/tests/DialogAnswer.h"
#include "toolbar/CPrintToolBar.h"

namespace {

class Defaults : public IDefaultSettings {
public:
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshEnd() override {}
    void OnRefreshBegin() override { ++refreshing; }
    void OnAnchorClick(const char*, const char*) override {}
    int refreshing = 0;
};

class WorkspaceRecordTest : public RecordingTest {
protected:
    void SetUp() override {
        RecordingTest::SetUp();
        Use(Provider("A", 2));
        Open();
    }
    void TearDown() override {
        workspace.reset();
        RecordingTest::TearDown();
    }
    void Open() { workspace = std::make_unique<CPrintWorkspace>(defaults, *store, toolbar); }
    Defaults defaults;
    CPrintToolBar toolbar;
    std::unique_ptr<CPrintWorkspace> workspace;
};

TEST_F(WorkspaceRecordTest, RecordsForTheDefaultPrinterWithItsPageSetupInItsUnit) {
    // The first use loads the printer "PDF" (A4) and its half-inch (5 mm) margins.
    const struct {
        long displayInch;
        std::vector<double> measures;
    } cases[] = {{0, {0.5, 0.5, 7.263, 10.692, 8.263, 11.692}}, {1, {0.5, 0.5, 20.0, 28.7, 21.0, 29.7}}};
    for (const auto& c : cases) {
        defaults.DisplayInch = c.displayInch;
        Open();
        calls.clear();
        workspace->RecordPages();
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].index, 1);
        for (size_t i = 0; i < 6; ++i) EXPECT_NEAR(calls[1].measures[i], c.measures[i], 0.06) << i;
    }
    EXPECT_EQ(store->PageSetup(), &workspace->Settings().Record());
    const RECT c = Page(1).ClientRect();
    EXPECT_EQ(c.right - c.left, workspace->Settings().ClientWidth());
    EXPECT_EQ(c.bottom - c.top, workspace->Settings().ClientHeight());
}

TEST_F(WorkspaceRecordTest, DoPrintCancelledAtThePageSetupRecordsNothing) {
    DialogAnswer user(IDCANCEL);
    workspace->DoPrint(true);
    user.Wait();
    ASSERT_TRUE(user.found);
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_EQ(defaults.refreshing, 0);
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
