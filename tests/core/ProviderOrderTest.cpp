// Which provider draws which page, in what order, and when recording stops.
#include "RecordingTest.h"
#include <set>
#include <stdexcept>

namespace {

std::vector<std::string> Drawn(const std::vector<DrawCall>& calls) {
    std::vector<std::string> names;
    for (const DrawCall& c : calls) names.push_back(c.provider + std::to_string(c.index));
    return names;
}

class ProviderOrderTest : public RecordingTest {
protected:
    ComPtr<IPrintExt> Provider(const std::string& name, long pages, CScriptProvider** self = nullptr) {
        CScriptProvider* p = nullptr;
        ComPtr<IPrintExt> provider = CScriptProvider::Make(name, pages, &p);
        p->log = &calls;
        if (self) *self = p;
        return provider;
    }
    std::vector<long> GlobalIndices() const {
        std::vector<long> indices;
        for (long i = 0; i < store->GetCount(); ++i) indices.push_back(store->GetPage(i).Index());
        return indices;
    }
};

TEST_F(ProviderOrderTest, OneProviderRecordsEachPageOnce) {
    CScriptProvider* a = nullptr;
    store->PutPrintExt(Provider("A", 3, &a).Get());
    store->SetOptions(42);
    EXPECT_EQ(store->AnnouncedPageCount(), -1);
    Record();
    EXPECT_EQ(Drawn(calls), (std::vector<std::string>{"A0", "A1", "A2"}));
    EXPECT_EQ(GlobalIndices(), (std::vector<long>{0, 1, 2}));
    EXPECT_EQ(store->GetCount(), 3);
    EXPECT_EQ(store->AnnouncedPageCount(), 3);
    EXPECT_EQ(store->events, (std::vector<std::string>{"start", "page 0", "page 1", "page 2", "end 3"}));
    EXPECT_EQ(a->countOptions, 42);
    for (const DrawCall& c : calls) {
        EXPECT_EQ(c.continueIn, VARIANT_TRUE) << "the flag is set before each call";
        EXPECT_EQ(c.options, 42) << "Options reach every page";
        EXPECT_EQ(c.page, calls[0].page) << "one page object for all pages";
    }
    std::set<HDC> contexts;
    for (const DrawCall& c : calls) contexts.insert(c.dc);
    EXPECT_EQ(contexts.size(), 3u) << "a provider's pages are all open at once, each its own metafile";
    for (long i = 0; i < 3; ++i) EXPECT_TRUE(store->GetPage(i).HasMetafile());
    EXPECT_THROW(store->GetPage(3), std::out_of_range);
    EXPECT_THROW(store->GetPage(-1), std::out_of_range);

    // Recording again starts afresh.
    calls.clear();
    Record();
    EXPECT_EQ(store->GetCount(), 3);
    EXPECT_EQ(GlobalIndices(), (std::vector<long>{0, 1, 2}));
    store->ClearPages();
    EXPECT_EQ(store->GetCount(), 0);
}

TEST_F(ProviderOrderTest, CurrentProviderComesBeforeTheList) {
    ComPtr<IPrintExt> b = Provider("B", 3);
    ComPtr<IPrintExt> a = Provider("A", 2);
    store->PutPrintExts(VariantList({b.Get()}).Get());
    store->PutPrintExt(a.Get());
    Record();
    EXPECT_EQ(Drawn(calls), (std::vector<std::string>{"A0", "A1", "B0", "B1", "B2"}));
    EXPECT_EQ(GlobalIndices(), (std::vector<long>{0, 1, 2, 3, 4}));
    EXPECT_EQ(store->events, (std::vector<std::string>{"start", "page 0", "page 1", "end 2", "start", "page 2",
                                                       "page 3", "page 4", "end 5"}));
    EXPECT_EQ(store->AnnouncedPageCount(), 3) << "the last provider's answer";
    ComPtr<IUnknown> current;
    store->GetPrintExt(current.Put());
    EXPECT_TRUE(SameObject(current.Get(), a.Get())) << "the provider current before is current again";
}

TEST_F(ProviderOrderTest, ContinueFlagStopsOnlyItsOwnProvider) {
    CScriptProvider* a = nullptr;
    CScriptProvider* b = nullptr;
    ComPtr<IPrintExt> pa = Provider("A", 5, &a);
    ComPtr<IPrintExt> pb = Provider("B", 5, &b);
    a->continueAt[1] = VARIANT_FALSE;
    b->continueAt[2] = 1;  // anything but VARIANT_TRUE stops
    store->PutPrintExts(VariantList({pa.Get(), pb.Get()}).Get());
    Record();
    EXPECT_EQ(Drawn(calls), (std::vector<std::string>{"A0", "A1", "B0", "B1", "B2"}));
    EXPECT_EQ(GlobalIndices(), (std::vector<long>{0, 1, 2, 3, 4}));
    EXPECT_EQ(store->events.back(), "end 5");

}

TEST_F(ProviderOrderTest, NoProviderRecordsNothing) {
    Record();
    EXPECT_EQ(store->GetCount(), 0);
    EXPECT_TRUE(store->events.empty());
    EXPECT_EQ(store->AnnouncedPageCount(), -1);
}

TEST_F(ProviderOrderTest, EscapeKeyStopsTheProviderBeingRecorded) {
    CScriptProvider* a = nullptr;
    CScriptProvider* b = nullptr;
    ComPtr<IPrintExt> pa = Provider("A", 5, &a);
    ComPtr<IPrintExt> pb = Provider("B", 2, &b);
    auto key = [](DWORD flags) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = VK_ESCAPE;
        input.ki.dwFlags = flags;
        SendInput(1, &input, sizeof input);
    };
    a->draw = [&](HDC, long index) {
        if (index == 1) key(0);
    };
    b->onPageCount = [&] { key(KEYEVENTF_KEYUP); };
    store->PutPrintExts(VariantList({pa.Get(), pb.Get()}).Get());
    Record();
    key(KEYEVENTF_KEYUP);
    EXPECT_EQ(Drawn(calls), (std::vector<std::string>{"A0", "A1", "B0", "B1"}));
}

TEST_F(ProviderOrderTest, ProviderThatMeddlesWhileDrawingCannotUpsetTheRecording) {
    CScriptProvider* a = nullptr;
    CScriptProvider* b = nullptr;
    ComPtr<IPrintExt> pa = Provider("A", 3, &a);
    ComPtr<IPrintExt> pb = Provider("B", 2, &b);
    store->PutPrintExts(VariantList({pa.Get(), pb.Get()}).Get());
    // Asks for a fresh recording and drops every provider from inside its own DrawPage.
    a->draw = [&](HDC, long index) {
        if (index != 1) return;
        Record();
        store->PutPrintExt(nullptr);
    };
    Record();
    // A, no longer current, draws nothing more: its next page is kept blank and ends it.
    // The dropped list no longer holds B, but this run had taken its own references.
    EXPECT_EQ(Drawn(calls), (std::vector<std::string>{"A0", "A1", "B0", "B1"}));
    EXPECT_EQ(store->GetCount(), 5);
    for (long i = 0; i < 5; ++i) EXPECT_TRUE(store->GetPage(i).HasMetafile());
    EXPECT_EQ(store->GetPage(4).Index(), 4);
}

TEST_F(ProviderOrderTest, ReferencesComeOutEven) {
    CScriptProvider* a = nullptr;
    CScriptProvider* b = nullptr;
    ComPtr<IPrintExt> pa = Provider("A", 3, &a);
    ComPtr<IPrintExt> pb = Provider("B", 3, &b);
    store->PutPrintExts(VariantList({pb.Get()}).Get());
    store->PutPrintExt(pa.Get());
    const ULONG before[] = {a->References(), b->References()};
    Record();
    Record();
    EXPECT_EQ(a->References(), before[0]);
    EXPECT_EQ(b->References(), before[1]);
    store.reset();
    EXPECT_EQ(a->References(), 1u) << "only the test holds it once the store is gone";
    EXPECT_EQ(b->References(), 1u);
}

}  // namespace
