#include "CIconList.h"
#include "pictures/Encode64.h"
#include "MemoryStream.h"
#include "TestImages.h"
#include "Text.h"
#include "Variant.h"
#include <gtest/gtest.h>

namespace {

// A list of n one-colour icons, each colour its own.
void Fill(CIconList& list, int n) {
    for (int i = 0; i < n; ++i) {
        CTestIcon icon(16, RGB(10 * i, 100, 200));
        const int index = list.AddIcon(icon.Get());
        ASSERT_EQ(index, list.Count() - 1);
    }
}

// The colour at the centre of icon `index` drawn on white.
COLORREF CentreColour(const CIconList& list, int index) {
    DibCanvas canvas(16, 16);
    list.Draw(index, canvas.Dc(), RECT{0, 0, 16, 16}, true);
    return canvas.At(8, 8);
}

struct ChangeCounter {
    int changes = 0;
    static void Count(void* self) { ++static_cast<ChangeCounter*>(self)->changes; }
    void Watch(CIconList& list) { list.SetChangeCallback(&Count, this); }
};

Variant HandleVariant(HIMAGELIST list) {
    Variant v;
    V_VT(v.Ptr()) = VT_I8;
    V_I8(v.Ptr()) = reinterpret_cast<LONG_PTR>(list);
    return v;
}

Variant TextVariant(const std::string& text) {
    Variant v;
    V_VT(v.Ptr()) = VT_BSTR;
    V_BSTR(v.Ptr()) = Bstr::FromAnsi(text).Detach();
    return v;
}

TEST(CIconList, ReplaceIconAppendsWithMinusOneReplacesInPlaceAndShrinksLargeIcons) {
    CIconList list;
    EXPECT_NE(list.Handle(), nullptr);
    EXPECT_EQ(list.GetIcon(0), nullptr);
    CTestIcon red(16, RGB(255, 0, 0)), blue(32, RGB(0, 0, 255));
    EXPECT_EQ(list.ReplaceIcon(red.Get(), -1), 0);
    EXPECT_EQ(list.ReplaceIcon(red.Get(), -1), 1);
    EXPECT_EQ(list.ReplaceIcon(blue.Get(), 0), 0);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(CentreColour(list, 0), RGB(0, 0, 255));
    EXPECT_EQ(CentreColour(list, 1), RGB(255, 0, 0));
    EXPECT_EQ(list.ReplaceIcon(blue.Get(), 7), -1);
    EXPECT_EQ(list.ReplaceIcon(nullptr, -1), -1);
    EXPECT_EQ(list.Count(), 2);
    HICON copy = list.GetIcon(0);
    EXPECT_EQ(IconSize(copy).cx, 16);
    DestroyIcon(copy);
}

TEST(CIconList, RemoveAndClearNotifyReplaceDoesNot) {
    CIconList list;
    Fill(list, 4);
    ChangeCounter counter;
    counter.Watch(list);
    list.Remove(4);
    list.Remove(-1);
    CTestIcon icon(16, RGB(1, 2, 3));
    list.ReplaceIcon(icon.Get(), 1);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(counter.changes, 0);
    list.Remove(2);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(CentreColour(list, 2), RGB(30, 100, 200));
    EXPECT_EQ(counter.changes, 1);
    list.Clear();
    EXPECT_EQ(counter.changes, 2);
    // An emptied list stays usable.
    EXPECT_NE(list.Handle(), nullptr);
    EXPECT_EQ(list.ReplaceIcon(icon.Get(), -1), 0);
}

TEST(CIconList, DrawCentresTheIconAndDrawIconCountsFromOne) {
    CIconList list;
    CTestIcon red(16, RGB(255, 0, 0)), blue(16, RGB(0, 0, 255));
    list.AddIcon(red.Get());
    list.AddIcon(blue.Get());
    DibCanvas canvas(40, 30);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    list.DrawIcon(canvas.Dc(), RECT{0, 0, 40, 30}, 2, true);
    // (40 - 16) / 2 = 12 and (30 - 16) / 2 = 7: the icon covers x 12..27, y 7..22.
    EXPECT_EQ(canvas.At(12, 7), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(27, 22), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(11, 7), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(28, 22), RGB(255, 255, 255));
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
    // Disabled drawing greys the icon; numbers 0 and past the end draw nothing.
    DibCanvas greyed(16, 16);
    list.DrawIcon(greyed.Dc(), RECT{0, 0, 16, 16}, 1, false);
    EXPECT_NE(greyed.At(8, 8), RGB(255, 0, 0));
    DibCanvas untouched(16, 16);
    list.DrawIcon(untouched.Dc(), RECT{0, 0, 16, 16}, 0, true);
    list.DrawIcon(untouched.Dc(), RECT{0, 0, 16, 16}, 3, true);
    EXPECT_EQ(untouched.At(8, 8), RGB(255, 255, 255));
}

TEST(CIconList, HandleOfThreeOverFiveLeavesThree) {
    CIconList source, list;
    Fill(source, 3);
    Fill(list, 5);
    ChangeCounter counter;
    counter.Watch(list);
    list.SetFromVariant(HandleVariant(source.Handle()).Get());
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(CentreColour(list, 2), CentreColour(source, 2));
    EXPECT_EQ(counter.changes, 1);
    // The same count again: copied, but nothing to tell.
    list.CopyFrom(source.Handle());
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(counter.changes, 1);
}

TEST(CIconList, EncodedThreeOverFiveLeavesEight) {
    CIconList source, list;
    Fill(source, 3);
    Fill(list, 5);
    const std::string text = source.Encode();
    ASSERT_FALSE(text.empty());
    list.SetFromVariant(TextVariant(text).Get());
    EXPECT_EQ(list.Count(), 8);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(CentreColour(list, 5 + i), CentreColour(source, i)) << i;
}

TEST(CIconList, ZeroEmptiesAndAVariantByReferenceIsUnwrapped) {
    CIconList list;
    Fill(list, 5);
    Variant zero;
    V_VT(zero.Ptr()) = VT_I4;
    V_I4(zero.Ptr()) = 0;
    Variant byRef;
    V_VT(byRef.Ptr()) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(byRef.Ptr()) = zero.Ptr();
    list.SetFromVariant(byRef.Get());
    EXPECT_EQ(list.Count(), 0);

    CIconList source;
    Fill(source, 2);
    Variant text = TextVariant(source.Encode());
    V_VARIANTREF(byRef.Ptr()) = text.Ptr();
    list.SetFromVariant(byRef.Get());
    EXPECT_EQ(list.Count(), 2);
    Variant missing;
    V_VT(missing.Ptr()) = VT_ERROR;
    V_ERROR(missing.Ptr()) = DISP_E_PARAMNOTFOUND;
    list.SetFromVariant(missing.Get());
    EXPECT_EQ(list.Count(), 0);
}

TEST(CIconList, EncodeOfAnEmptyListIsEmpty) {
    CIconList list;
    EXPECT_EQ(list.Encode(), "");
}

TEST(CIconList, WriteAndLoadFromStreamReplaceTheIcons) {
    CIconList source, list;
    Fill(source, 2);
    Fill(list, 4);
    ComPtr<IStream> stream = NewMemoryStream();
    ASSERT_TRUE(source.Write(stream.Get()));
    Rewind(stream.Get());
    ChangeCounter counter;
    counter.Watch(list);
    EXPECT_TRUE(list.LoadFromStream(stream.Get()));
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(counter.changes, 1);
    EXPECT_EQ(CentreColour(list, 1), CentreColour(source, 1));
}

TEST(CIconList, AttachedListsAreUsedButNeverDestroyed) {
    CIconList owner;
    Fill(owner, 2);
    {
        CIconList user;
        user.Attach(owner.Handle());
        EXPECT_EQ(user.Handle(), owner.Handle());
        EXPECT_EQ(user.Count(), 2);
        CIconList other;
        user.Attach(other.Handle());  // ignored: already attached
        EXPECT_EQ(user.Handle(), owner.Handle());
    }
    EXPECT_EQ(owner.Count(), 2);
}

TEST(CIconList, ToolbarIconsComeFromModuleResources) {
    // The test program has no icon resources: an id that is missing adds nothing.
    CIconList list(GetModuleHandleA(nullptr), {301, 302});
    EXPECT_EQ(list.Count(), 0);
    // A system icon module has them.
    CIconList system(GetModuleHandleA("user32.dll"), {32512, 32513});  // IDI_APPLICATION, IDI_HAND
    EXPECT_EQ(system.Count(), 2);
}

TEST(CIconList, AddFromFileTakesIconsOfEveryKindOfFile) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string library = std::string(system) + "\\shell32.dll";
    CTempFile small("small.ico", MakeIco(16, RGB(200, 10, 10))), large("large.ico", MakeIco(32, RGB(10, 10, 200))),
        text("notes.txt", Bytes(10, 'x'));
    struct Case {
        std::string path;
        bool added;
        int count;
        COLORREF centre;  // 0: not checked
    } cases[] = {
        {small.Path(), true, 1, RGB(200, 10, 10)},
        {large.Path(), true, 1, RGB(10, 10, 200)},  // its small icon
        {library, true, static_cast<int>(ExtractIconExA(library.c_str(), -1, nullptr, nullptr, 0)), 0},
        {text.Path(), true, 1, 0},  // the shell's icon for the file
        {"C:\\no\\such\\folder\\missing.ico", false, 0, 0},
    };
    ASSERT_GT(cases[2].count, 1);
    for (const Case& c : cases) {
        CIconList list;
        ChangeCounter counter;
        counter.Watch(list);
        EXPECT_EQ(list.AddFromFile(c.path), c.added) << c.path;
        EXPECT_EQ(list.Count(), c.count) << c.path;
        EXPECT_EQ(counter.changes, c.added ? 1 : 0) << c.path;
        if (c.centre) {
            EXPECT_EQ(CentreColour(list, 0), c.centre) << c.path;
        }
    }
}

// --- input that is not an image list ------------------------------------------

class CIconListBadInput : public ::testing::Test {
protected:
    void SetUp() override {
        Fill(list, 3);
        counter.Watch(list);
    }
    void ExpectUnchanged() {
        EXPECT_EQ(list.Count(), 3);
        EXPECT_EQ(CentreColour(list, 2), RGB(20, 100, 200));
        EXPECT_EQ(counter.changes, 0);
    }
    CIconList list;
    ChangeCounter counter;
};

TEST_F(CIconListBadInput, TextsThatAreNotEncodedIconsAddNothing) {
    for (const char* text : {"", "ab", "not base64 at all!", "gBhMRjgI" /* "abc" */, "////////////", "AAAAAAAAAAAA"})
        list.AddFromEncoded(text);
    const unsigned char junk[] = "IL this is not an image list, though it starts like one";
    list.AddFromEncoded(LZWCompression::Encode64(junk, sizeof junk));
    ExpectUnchanged();
}

TEST_F(CIconListBadInput, TruncatedAndCraftedStreamsAddNothing) {
    CIconList source;
    Fill(source, 2);
    ComPtr<IStream> stream = NewMemoryStream();
    ASSERT_TRUE(source.Write(stream.Get()));
    Bytes whole;
    ASSERT_TRUE(StreamContents(stream.Get(), whole));
    for (size_t cut : {size_t(1), size_t(10), size_t(27), size_t(28), size_t(40), size_t(80), whole.size() / 2,
                       whole.size() - 1}) {
        Bytes part(whole.begin(), whole.begin() + cut);
        list.AddFromEncoded(LZWCompression::Encode64(part.data(), part.size()));
    }
    // Header fields pushed to the edges: counts, sizes, and the first bitmap's header.
    for (size_t at : {size_t(4), size_t(6), size_t(10), size_t(12), size_t(28 + 2), size_t(28 + 14 + 4),
                      size_t(28 + 14 + 8), size_t(28 + 14 + 14)}) {
        for (unsigned char value : {0x00, 0x7F, 0xFF}) {
            Bytes crafted = whole;
            crafted[at] = value;
            crafted[at + 1] = value;
            HIMAGELIST before = list.Handle();
            list.AddFromEncoded(LZWCompression::Encode64(crafted.data(), crafted.size()));
            EXPECT_EQ(list.Handle(), before);
            // A crafted list that still reads is appended whole; take it back off.
            while (list.Count() > 3) list.Remove(list.Count() - 1);
            counter.changes = 0;
        }
    }
    ExpectUnchanged();
    ComPtr<IStream> empty = NewMemoryStream();
    EXPECT_FALSE(list.LoadFromStream(empty.Get()));
    ExpectUnchanged();
}

TEST_F(CIconListBadInput, MutatedStreamsNeverCrashOrHalfLoad) {
    CIconList source;
    Fill(source, 2);
    ComPtr<IStream> stream = NewMemoryStream();
    ASSERT_TRUE(source.Write(stream.Get()));
    Bytes whole;
    ASSERT_TRUE(StreamContents(stream.Get(), whole));
    unsigned seed = 2024;
    auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 8; };
    for (int round = 0; round < 300; ++round) {
        Bytes bytes = whole;
        for (int flips = 1 + next() % 3; flips > 0; --flips) bytes[next() % bytes.size()] = next() & 0xFF;
        list.AddFromEncoded(LZWCompression::Encode64(bytes.data(), bytes.size()));
        // A list that still reads comes in whole (both icons) or not at all.
        const int added = list.Count() - 3;
        EXPECT_TRUE(added == 0 || added == 2) << round;
        while (list.Count() > 3) list.Remove(list.Count() - 1);
        counter.changes = 0;
    }
    ExpectUnchanged();
}

TEST_F(CIconListBadInput, HandlesThatAreNotImageListsChangeNothing) {
    CTestIcon icon(16, RGB(1, 2, 3));
    list.CopyFrom(reinterpret_cast<HIMAGELIST>(icon.Get()));
    list.CopyFrom(reinterpret_cast<HIMAGELIST>(static_cast<LONG_PTR>(12345)));
    Variant number;
    V_VT(number.Ptr()) = VT_I4;
    V_I4(number.Ptr()) = 0x7FFF0000;
    list.SetFromVariant(number.Get());
    ExpectUnchanged();
}

}  // namespace
