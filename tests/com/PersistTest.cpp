// The property stream: its exact layout, round trips, and what a load refuses.
#include "TavrinModule.h"
#include "Text.h"
#include <shlwapi.h>
#include <cstring>
#include <vector>

namespace {

class PersistTest : public PrintTest {
protected:
    void SetUp() override {
        PrintTest::SetUp();
        ASSERT_EQ(print.As(persist), S_OK);
    }
    void TearDown() override {
        persist.Reset();
        PrintTest::TearDown();
    }
    static std::vector<BYTE> Save(ITavrin* from) {
        ComPtr<IPersistStreamInit> p;
        EXPECT_EQ(from->QueryInterface(IID_IPersistStreamInit, p.PutVoid()), S_OK);
        const auto s = ComPtr<IStream>::Attach(SHCreateMemStream(nullptr, 0));
        EXPECT_EQ(p->Save(s.Get(), TRUE), S_OK);
        ULARGE_INTEGER size{};
        IStream_Size(s.Get(), &size);
        std::vector<BYTE> bytes(static_cast<size_t>(size.QuadPart));
        IStream_Reset(s.Get());
        IStream_Read(s.Get(), bytes.data(), static_cast<ULONG>(bytes.size()));
        return bytes;
    }
    static HRESULT Load(IPersistStreamInit* into, const std::vector<BYTE>& bytes) {
        const auto s = ComPtr<IStream>::Attach(SHCreateMemStream(bytes.data(), UINT(bytes.size())));
        return into->Load(s.Get());
    }

    ComPtr<IPersistStreamInit> persist;
};

uint32_t U32(const std::vector<BYTE>& b, size_t at) {
    uint32_t v;
    memcpy(&v, &b[at], 4);
    return v;
}

TEST_F(PersistTest, DefaultStreamStartsWithVersionExtentAndCaption) {
    EXPECT_EQ(persist->IsDirty(), S_OK);
    ComPtr<IOleObject> ole;
    ASSERT_EQ(print.As(ole), S_OK);
    SIZEL extent{1234, 567};  // not square: width and height cannot pass for each other
    ASSERT_EQ(ole->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    const std::vector<BYTE> b = Save(print.Get());
    ASSERT_GT(b.size(), 54u);
    EXPECT_EQ(U32(b, 0), 0x800u);
    EXPECT_EQ(U32(b, 4), 1234u);
    EXPECT_EQ(U32(b, 8), 567u);
    EXPECT_EQ(U32(b, 14), 36u) << "17 characters and the terminator, 2 bytes each";
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(&b[18])), L"Untitled Document");
    EXPECT_EQ(persist->IsDirty(), S_FALSE);
    ULARGE_INTEGER max{};
    ASSERT_EQ(persist->GetSizeMax(&max), S_OK);
    EXPECT_EQ(max.QuadPart, b.size());
}

// The properties persist_across leaves at their defaults (it has font, range, colour, margins).
TEST_F(PersistTest, PropertiesRoundTrip) {
    print->put_Caption(Bstr(L"Report <b>Q3</b>").Get());
    print->put_ShowPageNumbers(VARIANT_FALSE);
    print->put_PageNumbersPosition(kvHeader);
    print->put_PageNumbersAlignment(kvOutside);
    print->put_CaptionPosition(kvFooter);
    print->put_CaptionAlignment(kvLeft);
    print->put_AsScreen(VARIANT_TRUE);
    print->put_ToolBarFormat(Bstr(L"100,101|105").Get());
    print->put_PageNumberFormat(Bstr(L"Page <%page%> of <%count%>").Get());
    print->put_PageFrameStyle(kvPageFrameDashDot);
    const std::vector<BYTE> saved = Save(print.Get());

    ComPtr<ITavrin> copy = NewPrint();
    ComPtr<IPersistStreamInit> loader;
    ASSERT_EQ(copy.As(loader), S_OK);
    ASSERT_EQ(Load(loader.Get(), saved), S_OK);
    EXPECT_EQ(loader->IsDirty(), S_FALSE);
    // Equal bytes mean every property arrived: a load that dropped one would save its default.
    EXPECT_EQ(Save(copy.Get()), saved);
}

TEST_F(PersistTest, NewerOrDamagedStreamsAreRefused) {
    const std::vector<BYTE> b = Save(print.Get());
    print->put_Caption(Bstr(L"changed").Get());
    std::vector<BYTE> newer = b, hostile = b;
    newer[1] = 0x09;  // version 0x900
    EXPECT_EQ(Load(persist.Get(), newer), E_FAIL);
    Bstr caption;
    print->get_Caption(caption.Put());
    EXPECT_EQ(caption.ToAnsi(), "changed") << "a refused stream changes nothing";
    // Cut anywhere: the load fails, never crashes.
    for (size_t cut : {size_t(2), size_t(10), size_t(16), size_t(40), b.size() / 2, b.size() - 1})
        EXPECT_TRUE(FAILED(Load(persist.Get(), std::vector<BYTE>(b.begin(), b.begin() + cut)))) << cut;
    // A text length that cannot be right.
    memcpy(&hostile[14], "\xFF\xFF\xFF\x7F", 4);
    EXPECT_TRUE(FAILED(Load(persist.Get(), hostile)));
}

}  // namespace
