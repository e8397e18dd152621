// The property stream: its exact layout, round trips, and what a load refuses.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include "Text.h"
#include "Variant.h"
#include <cstring>
#include <vector>

namespace {

class PersistTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
        ASSERT_EQ(print.As(persist), S_OK);
    }
    void TearDown() override {
        persist.Reset();
        print.Reset();
        ComTest::TearDown();
    }

    std::vector<BYTE> SaveToBytes(ITavrin* from) {
        ComPtr<IPersistStreamInit> p;
        EXPECT_EQ(from->QueryInterface(IID_IPersistStreamInit, p.PutVoid()), S_OK);
        ComPtr<IStream> s;
        CreateStreamOnHGlobal(nullptr, TRUE, s.Put());
        EXPECT_EQ(p->Save(s.Get(), TRUE), S_OK);
        return Bytes(s.Get());
    }

    static std::vector<BYTE> Bytes(IStream* s) {
        HGLOBAL mem = nullptr;
        GetHGlobalFromStream(s, &mem);
        STATSTG stat{};
        s->Stat(&stat, STATFLAG_NONAME);
        std::vector<BYTE> bytes(static_cast<size_t>(stat.cbSize.QuadPart));
        if (const void* data = mem ? GlobalLock(mem) : nullptr) {
            memcpy(bytes.data(), data, bytes.size());
            GlobalUnlock(mem);
        }
        return bytes;
    }

    static ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
        ComPtr<IStream> s;
        CreateStreamOnHGlobal(nullptr, TRUE, s.Put());
        s->Write(bytes.data(), static_cast<ULONG>(bytes.size()), nullptr);
        LARGE_INTEGER zero{};
        s->Seek(zero, STREAM_SEEK_SET, nullptr);
        return s;
    }

    ComPtr<ITavrin> print;
    ComPtr<IPersistStreamInit> persist;
};

uint32_t U32(const std::vector<BYTE>& b, size_t at) {
    uint32_t v;
    memcpy(&v, &b[at], 4);
    return v;
}

TEST_F(PersistTest, DefaultStreamStartsWithVersionExtentAndCaption) {
    EXPECT_EQ(persist->IsDirty(), S_OK) << "a new object requires saving";
    ComPtr<IOleObject> ole;
    ASSERT_EQ(print.As(ole), S_OK);
    SIZEL extent{1234, 567};  // not square: width and height cannot pass for each other
    ASSERT_EQ(ole->SetExtent(DVASPECT_CONTENT, &extent), S_OK);
    std::vector<BYTE> b = SaveToBytes(print.Get());
    ASSERT_GT(b.size(), 12u + 2 + 4 + 36);
    EXPECT_EQ(std::vector<BYTE>(b.begin(), b.begin() + 4), (std::vector<BYTE>{0x00, 0x08, 0x00, 0x00}));
    EXPECT_EQ(U32(b, 4), 1234u);
    EXPECT_EQ(U32(b, 8), 567u);
    EXPECT_EQ(b[12] | (b[13] << 8), VT_BSTR);
    EXPECT_EQ(U32(b, 14), 36u) << "17 characters and the terminator, 2 bytes each";
    EXPECT_EQ(std::wstring(reinterpret_cast<const wchar_t*>(&b[18])), L"Untitled Document");
    // Next: ShowPageNumbers as a boolean, all ones.
    EXPECT_EQ(b[54] | (b[55] << 8), VT_BOOL);
    EXPECT_EQ(b[56] | (b[57] << 8), 0xFFFF);
    EXPECT_EQ(persist->IsDirty(), S_FALSE) << "saving with clear-dirty clears it";

    ULARGE_INTEGER max{};
    ASSERT_EQ(persist->GetSizeMax(&max), S_OK);
    EXPECT_EQ(max.QuadPart, b.size());
}

TEST_F(PersistTest, EveryPersistedPropertyRoundTrips) {
    Bstr caption(L"Report <b>Q3</b>"), format(L"Page <%page%> of <%count%>"), range(L"2-4"),
        layout(L"100,101|105");
    print->put_Caption(caption.Get());
    print->put_ShowPageNumbers(VARIANT_FALSE);
    print->put_PageNumbersPosition(kvHeader);
    print->put_PageNumbersAlignment(kvOutside);
    print->put_CaptionPosition(kvFooter);
    print->put_CaptionAlignment(kvLeft);
    print->put_AsScreen(VARIANT_TRUE);
    print->put_ToolBarFormat(layout.Get());
    print->put_PageRange(range.Get());
    print->put_PageNumberFormat(format.Get());
    print->put_StartPageNumber(5);
    print->put_ShowMargins(VARIANT_FALSE);
    print->put_PageFrameStyle(kvPageFrameDashDot);
    print->put_PageFrameColor(0x0000FF);
    ComPtr<IFontDisp> fontDisp;
    print->get_Font(fontDisp.Put());
    ComPtr<IFont> font;
    fontDisp.As(font);
    font->put_Bold(TRUE);
    Bstr face(L"Liberation Sans");
    font->put_Name(face.Get());
    std::vector<BYTE> saved = SaveToBytes(print.Get());

    ComPtr<ITavrin> copy;
    ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, copy.PutVoid()), S_OK);
    ComPtr<IPersistStreamInit> loader;
    ASSERT_EQ(copy.As(loader), S_OK);
    ASSERT_EQ(loader->Load(StreamOf(saved).Get()), S_OK);
    EXPECT_EQ(loader->IsDirty(), S_FALSE);
    // Equal bytes mean every property arrived: a load that dropped one would save its default.
    EXPECT_EQ(SaveToBytes(copy.Get()), saved) << "a loaded object saves the same stream";
    ComPtr<IFontDisp> copiedDisp;
    copy->get_Font(copiedDisp.Put());
    ComPtr<IFont> copied;
    ASSERT_EQ(copiedDisp.As(copied), S_OK);
    BOOL bold = FALSE;
    EXPECT_TRUE((copied->get_Bold(&bold), bold));
    EXPECT_FALSE(SameObject(copied.Get(), font.Get())) << "the font is a new object, read from the stream";
}

// Replaces the int32 value of StartPageNumber in a saved stream.
void PatchStartPageNumber(std::vector<BYTE>& bytes, int32_t value, const std::vector<BYTE>& withFive) {
    // Find the one I4 that differs between a stream with 1 and one with 5: that is StartPageNumber.
    for (size_t i = 0; i + 6 <= bytes.size(); ++i) {
        if (bytes[i] == VT_I4 && bytes[i + 1] == 0 && U32(bytes, i + 2) == 1 && U32(withFive, i + 2) == 5) {
            memcpy(&bytes[i + 2], &value, 4);
            return;
        }
    }
    FAIL() << "StartPageNumber not found";
}

TEST_F(PersistTest, LoadAppliesEachPutsRules) {
    std::vector<BYTE> defaults = SaveToBytes(print.Get());
    print->put_StartPageNumber(5);
    std::vector<BYTE> five = SaveToBytes(print.Get());
    print->put_StartPageNumber(1);
    PatchStartPageNumber(defaults, -3, five);
    ASSERT_EQ(persist->Load(StreamOf(defaults).Get()), S_OK);
    long n = 9;
    EXPECT_EQ((print->get_StartPageNumber(&n), n), 0) << "-3 is clamped like a put";
}

TEST_F(PersistTest, NewerOrDamagedStreamsAreRefused) {
    std::vector<BYTE> b = SaveToBytes(print.Get());
    Bstr changed(L"changed");
    print->put_Caption(changed.Get());

    std::vector<BYTE> newer = b;
    newer[1] = 0x09;  // version 0x900
    EXPECT_EQ(persist->Load(StreamOf(newer).Get()), E_FAIL);
    BSTR s = nullptr;
    print->get_Caption(&s);
    EXPECT_STREQ(s, L"changed") << "a refused stream changes nothing";
    SysFreeString(s);

    // Cut anywhere: the load fails, never crashes.
    for (size_t cut : {size_t(2), size_t(10), size_t(16), size_t(40), b.size() / 2, b.size() - 1}) {
        std::vector<BYTE> part(b.begin(), b.begin() + cut);
        EXPECT_TRUE(FAILED(persist->Load(StreamOf(part).Get()))) << cut;
    }
    // A text length that cannot be right.
    std::vector<BYTE> hostile = b;
    hostile[14] = 0xFF, hostile[15] = 0xFF, hostile[16] = 0xFF, hostile[17] = 0x7F;
    EXPECT_TRUE(FAILED(persist->Load(StreamOf(hostile).Get())));
}

TEST_F(PersistTest, StorageKeepsTheStreamAsContents) {
    ComPtr<IPersistStorage> storagePersist;
    ASSERT_EQ(print.As(storagePersist), S_OK);
    ComPtr<ILockBytes> bytes;
    ASSERT_EQ(CreateILockBytesOnHGlobal(nullptr, TRUE, bytes.Put()), S_OK);
    ComPtr<IStorage> storage;
    ASSERT_EQ(StgCreateDocfileOnILockBytes(bytes.Get(), STGM_CREATE | STGM_READWRITE | STGM_SHARE_EXCLUSIVE, 0,
                                           storage.Put()),
              S_OK);
    Bstr caption(L"in storage");
    print->put_Caption(caption.Get());
    ASSERT_EQ(storagePersist->Save(storage.Get(), TRUE), S_OK);
    ComPtr<IStream> contents;
    ASSERT_EQ(storage->OpenStream(L"Contents", nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0, contents.Put()), S_OK);
    STATSTG stat{};
    contents->Stat(&stat, STATFLAG_NONAME);
    EXPECT_GT(stat.cbSize.QuadPart, 12u);
    contents.Reset();

    ComPtr<ITavrin> copy;
    TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, copy.PutVoid());
    ComPtr<IPersistStorage> loader;
    ASSERT_EQ(copy.As(loader), S_OK);
    ASSERT_EQ(loader->Load(storage.Get()), S_OK);
    BSTR s = nullptr;
    copy->get_Caption(&s);
    EXPECT_STREQ(s, L"in storage");
    SysFreeString(s);
}

}  // namespace
