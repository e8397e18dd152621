// Events around the recordings that CopyTo and DoPrint run without a preview,
// and the EMF files CopyTo writes, through the built DLL.
#include "EventSink.h"
#include "MetafileText.h"
#include "TavrinModule.h"
#include "TestProvider.h"
#include "Text.h"
#include <algorithm>
#include <stdexcept>

namespace {

class EventsExportTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        provider = Make<CTestProvider, IPrintExt>();
        auto& p = *static_cast<CTestProvider*>(provider.Get());
        p.pages = 3;
        p.onDraw = [this](HDC dc, long index) {
            const std::string text = "P" + std::to_string(index);
            TextOutA(dc, 10, 10, text.c_str(), static_cast<int>(text.size()));
            sink.events.push_back("draw " + std::to_string(index));
            if (throwAt == index) throw std::runtime_error("provider bug");
        };
        ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
        ASSERT_TRUE(sink.Connect(print.Get()));
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "tavrin-export-" + std::to_string(GetCurrentProcessId());
        CreateDirectoryA(folder.c_str(), nullptr);
    }
    void TearDown() override {
        sink.Disconnect();
        print.Reset();
        provider.Reset();
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA((folder + "\\*.emf").c_str(), &found);
        if (find != INVALID_HANDLE_VALUE) {
            do DeleteFileA(File(found.cFileName).c_str());
            while (FindNextFileA(find, &found));
            FindClose(find);
        }
        RemoveDirectoryA(folder.c_str());
        ComTest::TearDown();
    }
    long CopyTo(const std::string& pattern) {
        long result = -1;
        EXPECT_EQ(print->CopyTo(Bstr::FromAnsi(pattern).Get(), &result), S_OK);
        return result;
    }
    std::string File(const std::string& name) const { return folder + "\\" + name; }

    ComPtr<ITavrin> print;
    ComPtr<IPrintExt> provider;
    CEventSink sink;
    long throwAt = -1;
    std::string folder;
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
