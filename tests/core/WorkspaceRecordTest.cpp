// The workspace records the store's pages for the settings record's printer.
#include "CPrintWorkspace.h"
#include "RecordingTest.h"
#include "printing/SettingsText.h"
#include "printing/tests/DialogAnswer.h"
#include "toolbar/CPrintToolBar.h"

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

    // Margins put through the settings are what the next recording uses.
    defaults.DisplayInch = 0;
    Open();
    workspace->Settings().PutSettings(CSettingsText::kvLeftMargin, NumberVariant(1500).Get());
    calls.clear();
    workspace->RecordPages();
    ASSERT_FALSE(calls.empty());
    EXPECT_DOUBLE_EQ(calls[0].measures[0], 1.5);
    EXPECT_EQ(Page(0).Margins().left, MulDiv(1500, printerDpiX, 1000));
}

TEST_F(WorkspaceRecordTest, DoPrintRecordsOnlyWhenThePageSetupIsConfirmed) {
    const struct {
        int answer;
        long pages;
        int refreshes;
    } cases[] = {{IDCANCEL, 0, 0}, {IDOK, 2, 1}};
    for (const auto& c : cases) {
        DialogAnswer user(c.answer);
        workspace->DoPrint(true);
        user.Wait();
        ASSERT_TRUE(user.found);
        EXPECT_EQ(store->GetCount(), c.pages) << c.answer;
        EXPECT_EQ(defaults.refreshing, c.refreshes) << c.answer;
        EXPECT_EQ(defaults.refreshed, c.refreshes) << c.answer;
    }
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
