// A long document through the built control: the preview opens at once and records the rest
// while the host pumps, yet the host sees the whole document; closing, ESC or letting go of
// the control mid-recording stops the provider and leaves nothing behind.
#include "PreviewFixture.h"
#include "GdiObjects.h"

namespace {

class LongDocumentTest : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        Provider().onDraw = [this](HDC, long) { ++drawn; };
    }
    long Count() {
        long n = -1;
        EXPECT_EQ(print->get_PagesCount(&n), S_OK);
        return n;
    }
    long drawn = 0;
};

TEST_F(LongDocumentTest, OpensAtOnceRecordsWhileTheHostPumpsAndIsWholeToTheHost) {
    Provider().pages = 20000;
    ASSERT_EQ(print->Preview(), S_OK);
    const long atReturn = drawn;
    EXPECT_GE(atReturn, 1);
    EXPECT_LT(atReturn, 20000);
    const RECT page = Snapshot(Workspace())->InkOf(RGB(255, 255, 255));
    EXPECT_GT(page.right - page.left, 100) << "the first page is on screen";
    ASSERT_FALSE(sink.events.empty());
    EXPECT_EQ(sink.events.back(), "Refreshing") << "the recording is under way";
    const size_t events = sink.events.size();
    EXPECT_TRUE(PumpUntil([&] { return drawn > atReturn + 100; }));
    EXPECT_EQ(PaneText(0).rfind("Printing...", 0), 0u) << PaneText(0);
    EXPECT_NE(PaneText(0).find("/20000, press ESC"), std::string::npos) << PaneText(0);
    EXPECT_EQ(Count(), 20000);
    EXPECT_EQ(drawn, 20000);
    EXPECT_EQ(sink.events.size(), events + 1);
    EXPECT_EQ(sink.events.back(), "Refresh");
    EXPECT_EQ(PaneText(0), "Ready");
}

TEST_F(LongDocumentTest, ClosingEscOrLettingGoMidRecordingStopsTheProviderAndLeavesNothing) {
    Open();
    Close();  // what a first preview keeps for good
    const long gdi = CountedGdiObjects();
    Provider().pages = 20000;
    enum Act { kClose, kEscape, kRelease };
    const struct { const char* what; Act act; bool autoRelease; } cases[] = {
        {"close", kClose, true}, {"ESC", kEscape, true}, {"release", kRelease, true}, {"release, kept", kRelease, false}};
    for (const auto& c : cases) {
        drawn = 0;
        sink.events.clear();
        print->put_AutoRelease(c.autoRelease ? VARIANT_TRUE : VARIANT_FALSE);
        ASSERT_EQ(print->Preview(), S_OK);
        Pump(300);
        ASSERT_LT(drawn, 20000) << c.what;
        HWND frame = Frame();
        if (c.act == kClose) SendMessageA(frame, WM_CLOSE, 0, 0);
        if (c.act == kEscape) PostMessageA(Workspace(), WM_KEYDOWN, VK_ESCAPE, 0);
        if (c.act == kRelease) {
            sink.Disconnect();
            print.Reset();
        }
        EXPECT_EQ(IsWindow(frame) != FALSE, c.act == kEscape || !c.autoRelease) << c.what;
        if (c.act == kEscape) {
            EXPECT_TRUE(PumpUntil([&] { return sink.events.back() == "Refresh"; }, 20000)) << c.what;
        }
        if (IsWindow(frame) && c.act == kRelease) SendMessageA(frame, WM_CLOSE, 0, 0);  // the last reference goes
        const long stopped = drawn;
        Pump(200);
        EXPECT_EQ(drawn, stopped) << c.what << ": the provider is called no more";
        if (c.act == kEscape) {
            EXPECT_EQ(Count(), stopped) << "the pages so far stay";
        }
        if (c.act == kRelease) {
            EXPECT_LE(CountedGdiObjects(), gdi) << c.what;
            ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
            print->put_PrintExt(provider.Get());
            sink.Connect(print.Get());
        }
        if (c.act == kClose) {
            ASSERT_EQ(print->Preview(), S_OK);
            EXPECT_GT(drawn, stopped) << "a new preview starts over";
        }
        if (Frame()) Close();
        if (c.act != kRelease) {
            EXPECT_EQ(CountedGdiObjects(), gdi) << c.what;
        }
    }
}

TEST_F(LongDocumentTest, MillionsAnnouncedFiftyDrawnAndTheHostCallingBackFromItsEvents) {
    Provider().pages = 10000000;
    Provider().stopAt = 49;
    bool again = false;
    sink.handlers[-550] = [&] {
        if (drawn == 50 && !again) {
            again = true;
            print->Refresh();  // records again from inside the end of the first recording
        }
    };
    ASSERT_EQ(print->Preview(), S_OK);
    EXPECT_EQ(print->Preview(), S_OK);  // again while recording: nothing more
    EXPECT_TRUE(PumpUntil([&] { return drawn == 100 && sink.events.back() == "Refresh"; }, 20000)) << drawn;
    EXPECT_EQ(Count(), 50);
    EXPECT_EQ(drawn, 100);
}

}  // namespace
