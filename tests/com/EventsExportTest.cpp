// Events around the recordings that CopyTo and DoPrint run without a preview,
// and the EMF files CopyTo writes, through the built DLL.
#include "ComPtr.h"
#include "Gdi.h"
#include "ComObject.h"
#include "EventSink.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include "Text.h"
#include "Variant.h"
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
    // The texts an EMF file holds.
    static std::vector<std::string> FileTexts(const std::string& path) {
        std::vector<std::string> texts;
        HENHMETAFILE emf = GetEnhMetaFileA(path.c_str());
        if (!emf) return texts;
        EnumEnhMetaFile(
            nullptr, emf,
            [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM param) WINAPI -> int {
                if (r->iType == EMR_EXTTEXTOUTW) {
                    const auto* out = reinterpret_cast<const EMREXTTEXTOUTW*>(r);
                    const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(r) +
                                                                         out->emrtext.offString);
                    std::string s;
                    for (DWORD i = 0; i < out->emrtext.nChars; ++i) s += static_cast<char>(chars[i]);
                    reinterpret_cast<std::vector<std::string>*>(param)->push_back(s);
                }
                return 1;
            },
            &texts, nullptr);
        DeleteEnhMetaFile(emf);
        return texts;
    }
    static bool Contains(const std::vector<std::string>& v, const std::string& s) {
        for (const std::string& e : v)
            if (e == s) return true;
        return false;
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

TEST_F(EventsExportTest, NamesReplaceEveryMarkerAndWithoutOneTheLastPageStays) {
    EXPECT_EQ(CopyTo(folder + "\\%i-%i.emf"), 3);
    EXPECT_NE(GetFileAttributesA(File("2-2.emf").c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(CopyTo(folder + "\\all.emf"), 3);
    const std::vector<std::string> texts = FileTexts(File("all.emf"));
    EXPECT_TRUE(Contains(texts, "P2"));
    EXPECT_FALSE(Contains(texts, "P0"));
}

TEST_F(EventsExportTest, UnwritablePathsCountNothingAndLeaveThePagesUsable) {
    long result = -1;
    EXPECT_EQ(print->CopyTo(nullptr, &result), S_OK);
    EXPECT_EQ(result, 0);
    EXPECT_EQ(CopyTo(folder + "\\no such folder\\page%i.emf"), 0);
    EXPECT_EQ(CopyTo(folder + "\\bad<name>|%i.emf"), 0);
    long pages = 0;
    EXPECT_EQ((print->get_PagesCount(&pages), pages), 3) << "the recording is kept";
    EXPECT_EQ(print->CopyTo(Bstr::FromAnsi(folder + "\\page%i.emf").Get(), nullptr), S_OK) << "no result wanted";
    EXPECT_EQ(CopyTo(folder + "\\page%i.emf"), 3);
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

}  // namespace

namespace {

// How many bitmap-drawing records an EMF file holds (icons and pictures land as these).
int ImageRecords(const std::string& path) {
    int count = 0;
    HENHMETAFILE emf = GetEnhMetaFileA(path.c_str());
    if (!emf) return -1;
    EnumEnhMetaFile(
        nullptr, emf,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM param) WINAPI -> int {
            switch (r->iType) {
            case EMR_BITBLT: case EMR_STRETCHBLT: case EMR_MASKBLT: case EMR_PLGBLT:
            case EMR_SETDIBITSTODEVICE: case EMR_STRETCHDIBITS: case EMR_ALPHABLEND: case EMR_TRANSPARENTBLT:
                ++*reinterpret_cast<int*>(param);
            }
            return 1;
        },
        &count, nullptr);
    DeleteEnhMetaFile(emf);
    return count;
}

}  // namespace

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
    auto render = [](const std::string& path) {
        std::vector<DWORD> pixels(400 * 566);
        HENHMETAFILE emf = GetEnhMetaFileA(path.c_str());
        COwnedDC dc(CreateCompatibleDC(nullptr));
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 400, -566, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        Bitmap bitmap(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        if (!emf || !bitmap) return pixels;
        CSelectObject select(dc, bitmap.Get());
        PatBlt(dc, 0, 0, 400, 566, WHITENESS);
        RECT page{0, 0, 400, 566};
        PlayEnhMetaFile(dc, emf, &page);
        GdiFlush();
        memcpy(pixels.data(), bits, pixels.size() * sizeof(DWORD));
        DeleteEnhMetaFile(emf);
        return pixels;
    };
    const std::vector<DWORD> with = render(File("with1.emf")), without = render(File("without1.emf"));
    int differing = 0;
    for (size_t i = 0; i < with.size(); ++i) differing += (with[i] & 0xFFFFFF) != (without[i] & 0xFFFFFF);
    EXPECT_GT(differing, 8) << "the icon is visible on the page";
    EXPECT_TRUE(Contains(FileTexts(File("with1.emf")), " Report") || Contains(FileTexts(File("with1.emf")), "Report"));
}
