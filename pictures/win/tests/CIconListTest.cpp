#include "CIconList.h"
#include "pictures/Encode64.h"
#include "MemoryStream.h"
#include "TestImages.h"
#include "Variant.h"
#include "Variants.h"
#include <gtest/gtest.h>

namespace {

// Appends n one-colour icons, each colour its own.
void Fill(CIconList& list, int n) {
    for (int i = 0; i < n; ++i) list.AddIcon(MakeIcon(16, RGB(10 * i, 100, 200)).get());
}

// The colour at the centre of icon `index` drawn on white.
COLORREF CentreColour(const CIconList& list, int index) {
    DibCanvas canvas(16, 16);
    list.Draw(index, canvas.Dc(), RECT{0, 0, 16, 16}, true);
    return canvas.At(8, 8);
}

// A list of n icons that counts its change notices from then on.
struct WatchedList : CIconList {
    explicit WatchedList(int n = 0) {
        Fill(*this, n);
        SetChangeCallback([](void* self) { ++static_cast<WatchedList*>(self)->changes; }, this);
    }
    int changes = 0;
};

TEST(CIconList, ReplaceIconAppendsWithMinusOneReplacesInPlaceAndShrinksLargeIcons) {
    CIconList list;
    EXPECT_EQ(list.GetIcon(0), nullptr);
    const TestIcon red = MakeIcon(16, RGB(255, 0, 0)), blue = MakeIcon(32, RGB(0, 0, 255));
    const struct {
        HICON icon;
        int index, answer;
    } steps[] = {{red.get(), -1, 0}, {red.get(), -1, 1}, {blue.get(), 0, 0}, {blue.get(), 7, -1}, {nullptr, -1, -1}};
    for (const auto& step : steps) EXPECT_EQ(list.ReplaceIcon(step.icon, step.index), step.answer) << step.index;
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(CentreColour(list, 0), RGB(0, 0, 255));
    EXPECT_EQ(CentreColour(list, 1), RGB(255, 0, 0));
}

TEST(CIconList, RemoveAndClearNotifyReplaceDoesNot) {
    WatchedList list(4);
    list.Remove(4);
    list.Remove(-1);
    const TestIcon icon = MakeIcon(16, RGB(1, 2, 3));
    list.ReplaceIcon(icon.get(), 1);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.changes, 0);
    list.Remove(2);
    EXPECT_EQ(CentreColour(list, 2), RGB(30, 100, 200));
    EXPECT_EQ(list.changes, 1);
    list.Clear();
    EXPECT_EQ(list.changes, 2);
}

TEST(CIconList, DrawCentresTheIconAndDrawIconCountsFromOne) {
    CIconList list;
    list.AddIcon(MakeIcon(16, RGB(255, 0, 0)).get());
    list.AddIcon(MakeIcon(16, RGB(0, 0, 255)).get());
    DibCanvas canvas(40, 30);
    SetTextColor(canvas.Dc(), RGB(1, 2, 3));
    list.DrawIcon(canvas.Dc(), RECT{0, 0, 40, 30}, 2, true);
    // (40 - 16) / 2 = 12 and (30 - 16) / 2 = 7: the icon covers x 12..27, y 7..22.
    EXPECT_EQ(canvas.At(27, 22), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(11, 7), kWhite);
    EXPECT_EQ(GetTextColor(canvas.Dc()), RGB(1, 2, 3));
    // Numbers 0 and past the end draw nothing.
    DibCanvas untouched(16, 16);
    list.DrawIcon(untouched.Dc(), RECT{0, 0, 16, 16}, 0, true);
    list.DrawIcon(untouched.Dc(), RECT{0, 0, 16, 16}, 3, true);
    EXPECT_EQ(untouched.At(8, 8), kWhite);
}

// What a host hands to Images: a list's handle replaces, encoded icons append, 0 or nothing
// empties, and a variant by reference counts as what it refers to.
TEST(CIconList, ImagesFromAVariant) {
    CIconList source;
    Fill(source, 3);
    EXPECT_EQ(CIconList().Encode(), "") << "an empty list encodes to nothing";
    Variant handle, zero = NumberVariant(0), missing, text = TextVariant(source.Encode());
    V_VT(handle.Ptr()) = VT_I8;
    V_I8(handle.Ptr()) = reinterpret_cast<LONG_PTR>(source.Handle());
    V_VT(missing.Ptr()) = VT_ERROR;
    V_ERROR(missing.Ptr()) = DISP_E_PARAMNOTFOUND;
    auto byRef = [](Variant& to) {
        Variant v;
        V_VT(v.Ptr()) = VT_BYREF | VT_VARIANT;
        V_VARIANTREF(v.Ptr()) = to.Ptr();
        return v;
    };
    const struct {
        const char* what;
        Variant value;
        int count;
        int firstCopied;  // where the source's icons start, -1: none
    } cases[] = {
        {"handle", handle, 3, 0},
        {"encoded", text, 8, 5},
        {"0 by reference", byRef(zero), 0, -1},
        {"missing", missing, 0, -1},
    };
    for (const auto& c : cases) {
        WatchedList list(5);
        list.SetFromVariant(c.value.Get());
        EXPECT_EQ(list.Count(), c.count) << c.what;
        EXPECT_EQ(list.changes, 1) << c.what;
        for (int i = 0; c.firstCopied >= 0 && i < 3; ++i)
            EXPECT_EQ(CentreColour(list, c.firstCopied + i), CentreColour(source, i)) << c.what << " " << i;
    }
}

TEST(CIconList, AttachedListsAreUsedButNeverDestroyed) {
    CIconList owner, other;
    Fill(owner, 2);
    {
        CIconList user;
        user.Attach(owner.Handle());
        user.Attach(other.Handle());  // ignored: already attached
        EXPECT_EQ(user.Handle(), owner.Handle());
        EXPECT_EQ(user.Count(), 2);
    }
    EXPECT_EQ(owner.Count(), 2);
}

TEST(CIconList, AddFromFileTakesIconsOfEveryKindOfFile) {
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string library = std::string(system) + "\\shell32.dll";
    CTempFile small("small.ico", MakeIco(16, RGB(200, 10, 10)));
    CTempFile large("large.ico", MakeIco(32, RGB(10, 10, 200))), text("notes.txt", Bytes(10, 'x'));
    struct Case {
        std::string path;
        int count;
        COLORREF centre;  // 0: not checked
    } cases[] = {
        {small.Path(), 1, RGB(200, 10, 10)},
        {large.Path(), 1, RGB(10, 10, 200)},  // its small icon
        {library, static_cast<int>(ExtractIconExA(library.c_str(), -1, nullptr, nullptr, 0)), 0},
        {text.Path(), 1, 0},  // the shell's icon for the file
        {"C:\\no\\such\\folder\\missing.ico", 0, 0},
    };
    ASSERT_GT(cases[2].count, 1);
    for (const Case& c : cases) {
        WatchedList list;
        EXPECT_EQ(list.AddFromFile(c.path), c.count > 0) << c.path;
        EXPECT_EQ(list.Count(), c.count) << c.path;
        EXPECT_EQ(list.changes, c.count > 0 ? 1 : 0) << c.path;
        if (c.centre) {
            EXPECT_EQ(CentreColour(list, 0), c.centre) << c.path;
        }
    }
}

// Headers that cannot hold their images are the byte check's table.
TEST(CIconList, TextsStreamsAndHandlesThatAreNoImageListChangeNothing) {
    WatchedList list(3);
    CIconList source;
    Fill(source, 2);
    ComPtr<IStream> written = NewMemoryStream();
    Bytes whole;
    ASSERT_TRUE(source.Write(written.Get()) && StreamContents(written.Get(), whole));
    const unsigned char junk[] = "IL this is not an image list, though it starts like one";
    std::vector<std::string> texts = {"", "ab", "not base64 at all!", "gBhMRjgI" /* "abc" */, "////////////",
                                      "AAAAAAAAAAAA", LZWCompression::Encode64(junk, sizeof junk)};
    for (size_t cut : {size_t(1), size_t(10), size_t(27), size_t(28), size_t(40), size_t(80), whole.size() / 2,
                       whole.size() - 1})
        texts.push_back(LZWCompression::Encode64(whole.data(), cut));
    for (const std::string& text : texts) list.AddFromEncoded(text);
    ComPtr<IStream> empty = NewMemoryStream();
    EXPECT_FALSE(list.LoadFromStream(empty.Get()));
    const TestIcon icon = MakeIcon(16, RGB(1, 2, 3));
    list.CopyFrom(reinterpret_cast<HIMAGELIST>(icon.get()));
    list.CopyFrom(reinterpret_cast<HIMAGELIST>(static_cast<LONG_PTR>(12345)));
    list.SetFromVariant(NumberVariant(0x7FFF0000).Get());
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(CentreColour(list, 2), RGB(20, 100, 200));
    EXPECT_EQ(list.changes, 0);
}

}  // namespace
