// Events around the recordings that CopyTo and DoPrint run without a preview, and the EMF
// files CopyTo writes.
#include "MetafileText.h"
#include "PreviewFixture.h"
#include <algorithm>
#include <filesystem>
#include <stdexcept>

namespace {

class EventsExportTest : public PreviewTest {
protected:
    void SetUp() override {
        PreviewTest::SetUp();
        Provider().pages = 3;
        Provider().onDraw = [this](HDC dc, long index) {
            const std::string text = "P" + std::to_string(index);
            TextOutA(dc, 10, 10, text.c_str(), static_cast<int>(text.size()));
            sink.events.push_back("draw " + std::to_string(index));
            if (throwAt == index) throw std::runtime_error("provider bug");
        };
        const std::string name = "tavrin-export-" + std::to_string(GetCurrentProcessId());
        folder = std::filesystem::temp_directory_path() / name;
        std::filesystem::create_directory(folder);
    }
    void TearDown() override {
        PreviewTest::TearDown();
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    long CopyTo(const std::string& pattern) {
        long result = -1;
        EXPECT_EQ(print->CopyTo(Bstr::FromAnsi(pattern).Get(), &result), S_OK);
        return result;
    }
    std::string File(const std::string& name) const { return (folder / name).string(); }

    long throwAt = -1;
    std::filesystem::path folder;
};

const std::vector<std::string> kOneRecording = {"Refreshing", "draw 0", "draw 1", "draw 2", "Refresh"};

TEST_F(EventsExportTest, CopyToAndDoPrintRecordInsideOneRefreshingAndOneRefresh) {
    EXPECT_EQ(CopyTo(File("page%i.emf")), 3);
    EXPECT_EQ(sink.events, kOneRecording);

    sink.events.clear();
    VARIANT no;
    V_VT(&no) = VT_BOOL;
    V_BOOL(&no) = VARIANT_FALSE;
    ASSERT_EQ(print->put_Caption(Bstr(L"tavrin_events_test").Get()), S_OK);
    EXPECT_EQ(print->DoPrint(no), S_OK);
    EXPECT_EQ(sink.events, kOneRecording);

    // Neither a Refresh without a preview nor an export to no path records or fires anything.
    sink.events.clear();
    EXPECT_EQ(print->Refresh(), S_OK);
    EXPECT_EQ(CopyTo(""), 0);
    EXPECT_TRUE(sink.events.empty());
}

// An export started from the Refreshing handler nests in the outer recording without more events.
TEST_F(EventsExportTest, RecordingFromTheRefreshingHandlerNestsWithoutMoreEvents) {
    int calls = 0;
    sink.handlers[1] = [&] {
        if (calls++ == 0) CopyTo(File("inner%i.emf"));
    };
    EXPECT_EQ(CopyTo(File("page%i.emf")), 3);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Refreshing", "draw 0", "draw 1", "draw 2", "draw 0", "draw 1",
                                                     "draw 2", "Refresh"}));
    EXPECT_EQ(calls, 1);
}

TEST_F(EventsExportTest, BadPathsCountNothingAndKeepTheRecording) {
    for (const char* bad : {"no such folder\\page%i.emf", "bad<name>|%i.emf"}) EXPECT_EQ(CopyTo(File(bad)), 0) << bad;
    long result = -1;
    EXPECT_EQ((print->CopyTo(nullptr, &result), result), 0);
    long pages = 0;
    EXPECT_EQ((print->get_PagesCount(&pages), pages), 3) << "a failed export keeps the recording";
    EXPECT_EQ(print->CopyTo(Bstr::FromAnsi(File("page%i.emf")).Get(), nullptr), S_OK) << "no result wanted";
}

TEST_F(EventsExportTest, ProviderThatThrowsAcrossTheDllKeepsItsPagesAndTheEvents) {
    // x86 mingw unwinds with DWARF tables each module registers in its own static runtime: a throw
    // in this program cannot find the DLL's handlers and ends in std::terminate before reaching them.
    if (sizeof(void*) == 4) GTEST_SKIP() << "no C++ exception crosses modules on x86 mingw";
    throwAt = 1;
    EXPECT_EQ(CopyTo(File("page%i.emf")), 3) << "the throwing page is kept with what it drew";
    EXPECT_EQ(sink.events, kOneRecording);
    const std::vector<std::string> texts = FileTexts(File("page2.emf"));
    EXPECT_NE(std::find(texts.begin(), texts.end(), "P1"), texts.end());
}

}  // namespace
