// The notifications the preview windows send through IDefaultSettings become
// the control's events, with their arguments in declaration order.
#include "../com/EventSink.h"
#include "CPrint.h"
#include "CPrintWorkspace.h"
#include "toolbar/CPrintToolBar.h"
#include "RecordingTest.h"

namespace {

class EventArgumentsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        ASSERT_EQ(CreateComObject<CPrint>(nullptr, IID_ITavrin, control.PutVoid()), S_OK);
        print = static_cast<CPrint*>(control.Get());
        ASSERT_TRUE(sink.Connect(control.Get()));
    }
    void TearDown() override {
        sink.Disconnect();
        control.Reset();
        CoUninitialize();
    }
    IDefaultSettings& Defaults() { return *print; }

    ComPtr<ITavrin> control;
    CPrint* print = nullptr;
    CEventSink sink;
};

TEST_F(EventArgumentsTest, ClickAndAnchorClickCarryTheirArgumentsInOrder) {
    EXPECT_EQ(Defaults().OnToolbarClick(104, 7), 0);
    Defaults().OnAnchorClick("chapter2", "open;x=1");
    Defaults().OnAnchorClick(nullptr, "");
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Click 104 7", "AnchorClick chapter2 open;x=1", "AnchorClick  "}));

    // A second sink hears the same, after the first.
    CEventSink second;
    ASSERT_TRUE(second.Connect(control.Get()));
    sink.events.clear();
    Defaults().OnToolbarClick(-1, 0);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Click -1 0"}));
    EXPECT_EQ(second.events, (std::vector<std::string>{"Click -1 0"}));
    second.Disconnect();
}

// A workspace refreshed again from inside its own Refresh notification.
class NestingDefaults : public IDefaultSettings {
public:
    long OnToolbarClick(long, long) override { return 0; }
    void OnRefreshBegin() override { log.push_back("Refreshing " + std::to_string(pages ? pages->GetCount() : -1)); }
    void OnRefreshEnd() override {
        log.push_back("Refresh " + std::to_string(pages->GetCount()) + " depth " + std::to_string(RefreshDepth));
        if (again-- > 0) workspace->Refresh(true, true);
    }
    void OnAnchorClick(const char*, const char*) override {}
    std::vector<std::string> log;
    CHostEMFPages* pages = nullptr;
    CPrintWorkspace* workspace = nullptr;
    int again = 1;
};

TEST(WorkspaceRefreshTest, RefreshFromTheRefreshNotificationRecordsAgainAfterTheOuterOne) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    {
        NestingDefaults defaults;
        CHostEMFPages pages;
        CPrintToolBar toolbar;
        CPrintWorkspace workspace(defaults, pages, toolbar);
        defaults.pages = &pages;
        defaults.workspace = &workspace;
        CScriptProvider* provider = nullptr;
        std::vector<DrawCall> calls;
        pages.PutPrintExt(CScriptProvider::Make("A", 2, &provider).Get());
        provider->log = &calls;
        workspace.Refresh(true, true);
        EXPECT_EQ(defaults.log, (std::vector<std::string>{"Refreshing 0", "Refresh 2 depth 0", "Refreshing 2",
                                                          "Refresh 2 depth 0"}));
        EXPECT_EQ(calls.size(), 4u) << "the inner refresh recorded the pages again";
        EXPECT_EQ(defaults.RefreshDepth, 0);
    }
    CoUninitialize();
}

}  // namespace
