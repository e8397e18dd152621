// The workspace records the store's pages for the settings record's printer.
#include "CPrintWorkspace.h"
#include "RecordingTest.h"
#include "toolbar/CPrintToolBar.h"

namespace {

class Defaults : public IDefaultSettings {
public:
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshEnd() override {}
    void OnRefreshBegin() override {}
    void OnAnchorClick(const char*, const char*) override {}
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
    // The printer "PDF" (A4) with its 5 mm margins, in centimetres.
    defaults.DisplayInch = 1;
    Open();
    workspace->RecordPages();
    ASSERT_EQ(calls.size(), 2u);
    const double measures[] = {0.5, 0.5, 20.0, 28.7, 21.0, 29.7};
    for (size_t i = 0; i < 6; ++i) EXPECT_NEAR(calls[1].measures[i], measures[i], 0.06) << i;
    EXPECT_EQ(store->PageSetup(), &workspace->Settings().Record());
    const RECT c = Page(1).ClientRect();
    EXPECT_EQ(c.right - c.left, workspace->Settings().ClientWidth());
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
