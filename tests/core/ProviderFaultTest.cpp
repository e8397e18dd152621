// Providers that fail, throw, answer oddly or draw nothing: every page they
// leave is kept, decorated, and the store records again afterwards.
#include "RecordingTest.h"
#include <stdexcept>

namespace {

class ProviderFaultTest : public RecordingTest {
protected:
    ComPtr<IPrintExt> Provider(const std::string& name, long pages, CScriptProvider** self) {
        ComPtr<IPrintExt> p = CScriptProvider::Make(name, pages, self);
        (*self)->log = &calls;
        return p;
    }
    // The current provider first, then `list` as the provider list.
    void Use(IPrintExt* current, std::initializer_list<IUnknown*> list) {
        store->PutPrintExts(VariantList(list).Get());
        store->PutPrintExt(current);
    }
};

TEST_F(ProviderFaultTest, ThrowingDrawPageKeepsThePageAndItsFlagDecides) {
    CScriptProvider *a = nullptr, *b = nullptr;
    ComPtr<IPrintExt> pa = Provider("A", 3, &a), pb = Provider("B", 2, &b);
    a->draw = [](HDC dc, long index) {
        TextOutA(dc, 0, 0, "half", 4);
        if (index == 1) throw std::runtime_error("provider bug");
    };
    b->draw = [](HDC, long) { throw 42; };
    b->continueAt[0] = VARIANT_FALSE;  // never reached: the throw comes first, the flag stays -1
    Use(pa.Get(), {pb.Get()});
    store->pageNumberFormat_ = "<%page%>/<%count%>";
    Record();
    ASSERT_EQ(store->GetCount(), 5) << "a throw is a failed page: the flag, still set, lets recording go on";
    EXPECT_EQ(Strings(1), (std::vector<std::string>{"half", "2/3", "Untitled Document"}));
    EXPECT_EQ(Strings(4), (std::vector<std::string>{"5/5", "Untitled Document"}));
    EXPECT_TRUE(store->GetPage(4).HasMetafile());

    // The store is still usable: the next recording is whole.
    a->draw = nullptr;
    b->draw = nullptr;
    Record();
    EXPECT_EQ(store->GetCount(), 4) << "B now stops after its first page as its flag says";
}

TEST_F(ProviderFaultTest, FailingOrThrowingPageCountContributesNothing) {
    CScriptProvider *a = nullptr, *b = nullptr, *c = nullptr;
    ComPtr<IPrintExt> pa = Provider("A", 3, &a), pb = Provider("B", 2, &b), pc = Provider("C", 1, &c);
    a->countResult = E_FAIL;
    b->onPageCount = [] { throw std::logic_error("no count"); };
    Use(pa.Get(), {pb.Get(), pc.Get()});
    Record();
    ASSERT_EQ(store->GetCount(), 1);
    EXPECT_EQ(calls.at(0).provider, "C");
    EXPECT_EQ(store->AnnouncedPageCount(), 1);
    EXPECT_EQ(Strings(0), (std::vector<std::string>{"1", "Untitled Document"}));
    EXPECT_EQ(store->events, (std::vector<std::string>{"start", "end 0", "start", "end 0", "start", "page 0", "end 1"}));

    // Last in the list, a failing provider leaves the count it announced at 0; a negative count is no pages.
    Use(pc.Get(), {pa.Get()});
    Record();
    EXPECT_EQ(store->GetCount(), 1);
    EXPECT_EQ(store->AnnouncedPageCount(), 0);
    a->countResult = S_OK;
    a->pages = -7;
    Record();
    EXPECT_EQ(store->GetCount(), 1);
    EXPECT_EQ(store->AnnouncedPageCount(), -7);
}

TEST_F(ProviderFaultTest, OddContinueValuesStopAndEmptyPagesAreStillDecorated) {
    CScriptProvider* a = nullptr;
    ComPtr<IPrintExt> pa = Provider("A", 9, &a);
    a->drawResult = E_FAIL;  // not looked at
    a->continueAt[2] = 1;    // only VARIANT_TRUE goes on
    Use(pa.Get(), {});
    Record();
    ASSERT_EQ(store->GetCount(), 3);
    for (long i = 0; i < 3; ++i) {
        EXPECT_TRUE(store->GetPage(i).HasMetafile());
        EXPECT_EQ(Strings(i), (std::vector<std::string>{std::to_string(i + 1), "Untitled Document"}));
    }
}

}  // namespace
