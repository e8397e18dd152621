// Events around the recordings that CopyTo and DoPrint run without a preview,
// and the EMF files CopyTo writes, through the built DLL.
#include "ComPtr.h"
#include "Gdi.h"
#include "ComObject.h"
#include "DibCanvas.h"
#include "EventSink.h"
#include "MetafileText.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include "Text.h"
#include "Variant.h"
#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

// Draws "P<index>" on each page and notes the call in the host's event list.
class CNotedProvider : public ComObject<IPrintExt> {
    DECLARE_QI_TABLE(CNotedProvider)
    explicit CNotedProvider(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP PageCount(VARIANT, long* count) override { *count = pages; return S_OK; }
    STDMETHODIMP DrawPage(VARIANT, long hdc, IDispatch* page, VARIANT_BOOL*) override {
        long index = -1;
        ComPtr<IPage> p;
        if (page && SUCCEEDED(page->QueryInterface(IID_IPage, p.PutVoid()))) p->get_Index(&index);
        const std::string text = "P" + std::to_string(index);
        TextOutA(reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc)), 10, 10, text.c_str(), static_cast<int>(text.size()));
        if (log) log->push_back("draw " + std::to_string(index));
        if (throwAt == index) throw std::runtime_error("provider bug");
        return S_OK;
    }
    long pages = 3;
    long throwAt = -1;
    std::vector<std::string>* log = nullptr;
};

const QIEntry* CNotedProvider::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CNotedProvider, IPrintExt), {nullptr, nullptr}};
    return table;
}

class EventsExportTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        CreateComObject<CNotedProvider>(nullptr, IID_IPrintExt, provider.PutVoid());
        noted = static_cast<CNotedProvider*>(provider.Get());
        noted->log = &sink.events;
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
            do DeleteFileA((folder + "\\" + found.cFileName).c_str());
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
    static bool Contains(const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    }

    ComPtr<ITavrin> print;
    ComPtr<IPrintExt> provider;
    CNotedProvider* noted = nullptr;
    CEventSink sink;
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

    // Refresh of the control without a preview records nothing and fires nothing.
    sink.events.clear();
    EXPECT_EQ(print->Refresh(), S_OK);
    EXPECT_TRUE(sink.events.empty());
    // Neither does an export to no path.
    EXPECT_EQ(CopyTo(""), 0);
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(EventsExportTest, RecordingFromTheRefreshHandlerFiresOnceMoreAfterTheOuterRefresh) {
    int inner = 0;
    sink.handlers[-550] = [&] {
        if (inner++ == 0) CopyTo(File("inner%i.emf"));
    };
    EXPECT_EQ(CopyTo(File("outer%i.emf")), 3);
    std::vector<std::string> expected = kOneRecording;
    expected.insert(expected.end(), kOneRecording.begin(), kOneRecording.end());
    EXPECT_EQ(sink.events, expected) << "the depth is back at 0 when the outer Refresh fires";
    EXPECT_EQ(inner, 2);
}

TEST_F(EventsExportTest, RecordingFromTheRefreshingHandlerNestsWithoutMoreEvents) {
    int calls = 0;
    sink.handlers[1] = [&] {
        if (calls++ == 0) CopyTo(File("nested%i.emf"));
    };
    EXPECT_EQ(CopyTo(File("page%i.emf")), 3);
    EXPECT_EQ(sink.events, (std::vector<std::string>{"Refreshing", "draw 0", "draw 1", "draw 2", "draw 0", "draw 1",
                                                     "draw 2", "Refresh"}));
    EXPECT_EQ(calls, 1);
}

TEST_F(EventsExportTest, EveryPageToItsOwnFileWithThePaperAsFrame) {
    EXPECT_EQ(CopyTo(folder + "\\page%i.emf"), 3);
    HDC printer = CreateDCA("WINSPOOL", "PDF", nullptr, nullptr);
    ASSERT_TRUE(printer);
    // A4 of the printer "PDF", in its pixels and then in hundredths of a millimetre as it measures itself.
    const long w = MulDiv(8263, GetDeviceCaps(printer, LOGPIXELSX), 1000);
    const long h = MulDiv(11692, GetDeviceCaps(printer, LOGPIXELSY), 1000);
    const long frameW = MulDiv(w, GetDeviceCaps(printer, HORZSIZE) * 100, GetDeviceCaps(printer, HORZRES));
    const long frameH = MulDiv(h, GetDeviceCaps(printer, VERTSIZE) * 100, GetDeviceCaps(printer, VERTRES));
    DeleteDC(printer);
    for (int i = 1; i <= 3; ++i) {
        const std::string path = File("page" + std::to_string(i) + ".emf");
        HENHMETAFILE emf = GetEnhMetaFileA(path.c_str());
        ASSERT_TRUE(emf) << path;
        ENHMETAHEADER header{};
        GetEnhMetaFileHeader(emf, sizeof header, &header);
        DeleteEnhMetaFile(emf);
        EXPECT_EQ(header.rclFrame.left, 0);
        EXPECT_EQ(header.rclFrame.top, 0);
        EXPECT_NEAR(header.rclFrame.right, frameW, 1);
        EXPECT_NEAR(header.rclFrame.bottom, frameH, 1);
        const std::vector<std::string> texts = FileTexts(path);
        EXPECT_TRUE(Contains(texts, "P" + std::to_string(i - 1))) << "the provider's drawing";
        EXPECT_TRUE(Contains(texts, std::to_string(i))) << "the page number";
        EXPECT_TRUE(Contains(texts, "Untitled Document"));
    }
}

TEST_F(EventsExportTest, PathsNameTheFilesOrCountNothing) {
    const struct {
        const char* pattern;
        long written;
        const char* file;  // a file the export must have written
    } cases[] = {
        {"\\%i-%i.emf", 3, "2-2.emf"},  // every marker replaced
        {"\\all.emf", 3, "all.emf"},    // without one, each page overwrites the last
        {"\\no such folder\\page%i.emf", 0, nullptr},
        {"\\bad<name>|%i.emf", 0, nullptr},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CopyTo(folder + c.pattern), c.written) << c.pattern;
        if (c.file) {
            EXPECT_NE(GetFileAttributesA(File(c.file).c_str()), INVALID_FILE_ATTRIBUTES) << c.file;
        }
    }
    EXPECT_TRUE(Contains(FileTexts(File("all.emf")), "P2"));
    EXPECT_FALSE(Contains(FileTexts(File("all.emf")), "P0"));
    long result = -1;
    EXPECT_EQ(print->CopyTo(nullptr, &result), S_OK);
    EXPECT_EQ(result, 0);
    long pages = 0;
    EXPECT_EQ((print->get_PagesCount(&pages), pages), 3) << "a failed export keeps the recording";
    EXPECT_EQ(print->CopyTo(Bstr::FromAnsi(folder + "\\page%i.emf").Get(), nullptr), S_OK) << "no result wanted";
}

TEST_F(EventsExportTest, ProviderThatThrowsAcrossTheDllKeepsItsPagesAndTheEvents) {
    // x86 mingw unwinds with DWARF tables each module registers in its own static runtime: a throw
    // in this program cannot find the DLL's handlers and ends in std::terminate before reaching them.
    if (sizeof(void*) == 4) GTEST_SKIP() << "no C++ exception crosses modules on x86 mingw";
    noted->throwAt = 1;
    EXPECT_EQ(CopyTo(File("page%i.emf")), 3) << "the throwing page is kept with what it drew";
    EXPECT_EQ(sink.events, kOneRecording);
    EXPECT_TRUE(Contains(FileTexts(File("page2.emf")), "P1"));
    EXPECT_TRUE(Contains(FileTexts(File("page2.emf")), "2")) << "and decorated";
}

// How many bitmap-drawing records an EMF file holds (icons and pictures land as these).
int ImageRecords(const std::string& path) {
    static const DWORD images[] = {EMR_BITBLT,        EMR_STRETCHBLT,    EMR_MASKBLT,    EMR_PLGBLT,
                                   EMR_SETDIBITSTODEVICE, EMR_STRETCHDIBITS, EMR_ALPHABLEND, EMR_TRANSPARENTBLT};
    HENHMETAFILE emf = GetEnhMetaFileA(path.c_str());
    if (!emf) return -1;
    const std::vector<DWORD> types = RecordTypes(emf);
    DeleteEnhMetaFile(emf);
    return static_cast<int>(std::count_if(types.begin(), types.end(), [](DWORD t) {
        return std::find(std::begin(images), std::end(images), t) != std::end(images);
    }));
}

TEST_F(EventsExportTest, CaptionIconsComeFromTheControlsImageList) {
    Bstr caption(L"<img>1</img> Report");
    ASSERT_EQ(print->put_Caption(caption.Get()), S_OK);
    ASSERT_EQ(CopyTo(folder + "\\with%i.emf"), 3);
    const int withIcon = ImageRecords(File("with1.emf"));

    VARIANT missing;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    long ignored = 0;
    ASSERT_EQ(print->ReplaceIcon(missing, missing, &ignored), S_OK);  // empties the list
    ASSERT_EQ(CopyTo(folder + "\\without%i.emf"), 3);
    const int withoutIcon = ImageRecords(File("without1.emf"));
    EXPECT_GT(withIcon, withoutIcon) << "the toolbar's first icon is drawn into the page caption";

    // And it shows: played onto white, the two pages differ (only by the icon's pixels).
    DibCanvas with(400, 566), without(400, 566);
    for (auto [canvas, name] : {std::pair{&with, "with1.emf"}, std::pair{&without, "without1.emf"}}) {
        HENHMETAFILE emf = GetEnhMetaFileA(File(name).c_str());
        ASSERT_TRUE(emf);
        const RECT page = canvas->Rect();
        PlayEnhMetaFile(canvas->Dc(), emf, &page);
        DeleteEnhMetaFile(emf);
    }
    int differing = 0;
    for (int y = 0; y < 566; ++y)
        for (int x = 0; x < 400; ++x) differing += with.At(x, y) != without.At(x, y);
    EXPECT_GT(differing, 8) << "the icon is visible on the page";
}

}  // namespace
