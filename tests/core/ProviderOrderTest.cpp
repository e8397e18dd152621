// Which provider draws which page, when recording stops, and what providers that fail leave.
#include "RecordingTest.h"
#include <stdexcept>

namespace {

class ProviderOrderTest : public RecordingTest {
protected:
    std::vector<std::string> Drawn() const {
        std::vector<std::string> names;
        for (const DrawCall& c : calls) names.push_back(c.provider + std::to_string(c.index));
        return names;
    }
};
using ProviderFaultTest = ProviderOrderTest;

TEST_F(ProviderOrderTest, CurrentProviderFirstTheFlagStopsOnlyItsOwnProviderReferencesComeOutEven) {
    Record();
    EXPECT_EQ(store->GetCount(), 0) << "no provider, no pages";
    CScriptProvider *a = Provider("A", 5), *b = Provider("B", 5);
    a->continueAt[1] = VARIANT_FALSE;
    b->continueAt[2] = 1;  // anything but VARIANT_TRUE stops
    b->drawResult = E_FAIL;  // not looked at
    Use(a, {b});
    const ULONG references[] = {a->References(), b->References()};
    store->options_ = NumberVariant(42);
    Record();
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"A0", "A1", "B0", "B1", "B2"}));
    EXPECT_EQ(store->events, (std::vector<std::string>{"start", "page 0", "page 1", "end 2", "start", "page 2",
                                                       "page 3", "page 4", "end 5"}));
    EXPECT_EQ(a->countOptions, 42);
    for (const DrawCall& c : calls) {
        EXPECT_EQ(c.continueIn, VARIANT_TRUE) << "the flag is set before each call";
        EXPECT_EQ(c.options, 42);
        EXPECT_EQ(c.page, calls[0].page) << "one page object for all pages";
    }
    ComPtr<IUnknown> current;
    store->GetPrintExt(current.Put());
    EXPECT_TRUE(SameObject(current.Get(), a)) << "the provider current before is current again";
    current.Reset();
    Record();
    EXPECT_EQ(Page(4).Index(), 4) << "recording again starts afresh";
    EXPECT_EQ(a->References(), references[0]) << "references come out even";
    EXPECT_EQ(b->References(), references[1]);
    store.reset();
    EXPECT_EQ(a->References(), 1u) << "only the test holds it once the store is gone";
}

// ESC held while a provider draws ends that provider's pages; the next provider still records.
TEST_F(ProviderOrderTest, EscapeKeyStopsTheProviderBeingRecorded) {
    CScriptProvider *a = Provider("A", 5), *b = Provider("B", 2);
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
    Use(nullptr, {a, b});
    Record();
    key(KEYEVENTF_KEYUP);
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"A0", "A1", "B0", "B1"}));
}

TEST_F(ProviderOrderTest, ProviderThatMeddlesWhileDrawingCannotUpsetTheRecording) {
    CScriptProvider *a = Provider("A", 3), *b = Provider("B", 2);
    Use(nullptr, {a, b});
    // Asks for a fresh recording and drops every provider from inside its own DrawPage.
    a->draw = [&](HDC, long index) {
        if (index != 1) return;
        Record();
        store->PutPrintExt(nullptr);
    };
    Record();
    // A's next page is kept blank and ends it; this run holds its own references to B.
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"A0", "A1", "B0", "B1"}));
    EXPECT_EQ(store->GetCount(), 5);
}

TEST_F(ProviderFaultTest, ThrowingDrawPageKeepsThePageAndItsFlagDecides) {
    CScriptProvider *a = Provider("A", 3), *b = Provider("B", 2);
    a->draw = [](HDC dc, long index) {
        TextOutA(dc, 0, 0, "half", 4);
        if (index == 1) throw std::runtime_error("provider bug");
    };
    b->draw = [](HDC, long) { throw 42; };
    b->continueAt[0] = VARIANT_FALSE;  // never reached: the throw comes first
    Use(a, {b});
    store->pageNumberFormat_ = "<%page%>/<%count%>";
    Record();
    ASSERT_EQ(store->GetCount(), 5) << "the flag, still set, lets recording go on";
    EXPECT_EQ(Strings(1), (std::vector<std::string>{"half", "2/3", "Untitled Document"}));
    EXPECT_EQ(Strings(4), (std::vector<std::string>{"5/5", "Untitled Document"}));
}

TEST_F(ProviderFaultTest, FailingOrThrowingPageCountContributesNothing) {
    CScriptProvider *a = Provider("A", 3), *b = Provider("B", 2), *c = Provider("C", 1);
    a->countResult = E_FAIL;
    b->onPageCount = [] { throw std::logic_error("no count"); };
    Use(a, {b, c});
    Record();
    EXPECT_EQ(Drawn(), (std::vector<std::string>{"C0"}));
    EXPECT_EQ(store->events,
              (std::vector<std::string>{"start", "end 0", "start", "end 0", "start", "page 0", "end 1"}));

    // A negative count is no pages.
    Use(c, {a});
    a->countResult = S_OK;
    a->pages = -7;
    Record();
    EXPECT_EQ(store->GetCount(), 1);
}

}  // namespace
