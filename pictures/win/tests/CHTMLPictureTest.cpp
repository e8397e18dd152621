#include "CHTMLPictureMap.h"
#include "CIconList.h"
#include "pictures/Encode64.h"
#include "PictureLoader.h"
#include "PictureText.h"
#include "TestImages.h"
#include "Variant.h"
#include "Variants.h"
#include <gtest/gtest.h>
#include <vector>

namespace {

// A 200 x 100 picture stretched into 50 x 25 at (10, 5): each quadrant lands
// where it should and nothing is drawn outside the rectangle.
void ExpectDrawnScaled(const CHTMLPicture& picture) {
    EXPECT_EQ(picture.GetSize().cy, 100);
    DibCanvas canvas(70, 40);
    picture.Draw(canvas.Dc(), RECT{10, 5, 60, 30});
    const struct {
        int x, y;
        COLORREF colour;
    } points[] = {{22, 11, kTopLeft}, {47, 11, kTopRight}, {22, 23, kBottomLeft},
                  {58, 28, kBottomRight}, {9, 15, kWhite}, {60, 15, kWhite}, {30, 30, kWhite}};
    for (const auto& p : points) EXPECT_EQ(canvas.At(p.x, p.y), p.colour) << p.x << "," << p.y;
}

// OLE cannot read TIFF: the loader falls back to GDI+ for it. Either kind of picture
// encodes to a text that loads back the same picture.
TEST(CHTMLPicture, BmpAndTiffLoadDrawScaledAndLoadBackFromTheirText) {
    for (const Bytes& bytes : {MakeBmp(200, 100), MakeTiff(200, 100)}) {
        const ComPtr<IPicture> picture = LoadPicture(bytes);
        ASSERT_TRUE(picture);
        ExpectDrawnScaled(CHTMLPicture(picture));
        const ComPtr<IPicture> back = LoadPictureText(EncodePicture(picture.Get()));
        ASSERT_TRUE(back);
        ExpectDrawnScaled(CHTMLPicture(back));
    }
    DibCanvas canvas(8, 8);
    CHTMLPicture().Draw(canvas.Dc(), RECT{0, 0, 8, 8});
    EXPECT_EQ(canvas.At(4, 4), kWhite);
}

TEST(PictureText, IconFilesEncodeToAListThatReadsBack) {
    CTempFile small("a.ico", MakeIco(16, RGB(0, 90, 0))), large("b.ico", MakeIco(32, RGB(90, 0, 0)));
    std::string text;
    ASSERT_TRUE(EncodeIconsValue(TextVariant(small.Path() + ", " + large.Path()).Get(), text));
    CIconList list;
    list.AddFromEncoded(text);
    EXPECT_EQ(list.Count(), 2);
}

TEST(PictureText, MissingFilesAndObjectsThatAreNoPicturesEncodeToNothing) {
    std::string text = "left over";
    EXPECT_FALSE(EncodeValue(TextVariant("C:\\no\\such\\file.bmp").Get(), text));
    ComPtr<IStream> notAPicture = NewMemoryStream();
    EXPECT_FALSE(EncodeValue(DispatchVariant(notAPicture.Get()).Get(), text));
    EXPECT_FALSE(EncodeValue(ObjectVariant(notAPicture.Get()).Get(), text));
    EXPECT_FALSE(EncodeIconsValue(TextVariant(" , ,").Get(), text));
}

class CHTMLPictureMapTest : public ::testing::Test {
protected:
    CTempFile bmp{"map.bmp", MakeBmp(200, 100)};
    CTempFile small{"small.bmp", MakeBmp(8, 4)};
    CHTMLPictureMap map;
};

TEST_F(CHTMLPictureMapTest, FileNamesEncodedTextsAndObjectsAllGivePictures) {
    CTempFile tiff("picture.tif", MakeTiff(200, 100));
    std::string text;
    ASSERT_TRUE(EncodeFile(small.Path(), text));
    ComPtr<IPicture> object = LoadPicture(MakeBmp(30, 20));
    const struct {
        const char* key;
        Variant value;
        LONG cx;
    } cases[] = {{"file", TextVariant(bmp.Path()), 200},
                 {"tiff", TextVariant(tiff.Path()), 200},
                 {"text", TextVariant(text), 8},
                 {"object", DispatchVariant(object.Get()), 30}};
    for (const auto& c : cases) map.AddPicture(c.key, c.value.Get());
    for (const auto& c : cases) EXPECT_EQ(map.GetPictureSize(c.key).cx, c.cx) << c.key;
    EXPECT_EQ(map.Find("object"), object.Get());
    DibCanvas canvas(70, 40);
    map.DrawPicture("tiff", canvas.Dc(), RECT{10, 5, 60, 30});
    EXPECT_EQ(canvas.At(47, 23), kBottomRight);
}

TEST_F(CHTMLPictureMapTest, ValuesThatGiveNoPictureRemoveTheKeyAndAnEmptyKeyClears) {
    CTempFile notAPicture("notes.txt", Bytes(50, 'n'));
    std::vector<Variant> removers = {NumberVariant(0),
                                     TextVariant("C:\\no\\such\\file.bmp"),
                                     TextVariant(notAPicture.Path()),
                                     TextVariant("%%%% not encoded"),
                                     DispatchVariant(NewMemoryStream().Get()),
                                     Variant()};
    const Bytes whole = MakeBmp(40, 20);  // damaged, encoded
    for (size_t cut : {size_t(4), size_t(30), whole.size() / 2})
        removers.push_back(TextVariant(LZWCompression::Encode64(whole.data(), cut)));
    for (const Variant& value : removers) {
        map.AddPicture("logo", TextVariant(bmp.Path()).Get());
        map.AddPicture("other", TextVariant(small.Path()).Get());
        map.AddPicture("logo", value.Get());
        EXPECT_EQ(map.Find("logo"), nullptr);
        EXPECT_NE(map.Find("other"), nullptr);
    }
    map.AddPicture("", TextVariant(bmp.Path()).Get());
    EXPECT_EQ(map.Count(), 0u);
}

TEST_F(CHTMLPictureMapTest, GetPicturesGivesTwoRowsInKeyOrderAndSetPicturesReadsThemBack) {
    for (const char* key : {"b", "B", "a"}) map.AddPicture(key, TextVariant(bmp.Path()).Get());
    Variant all;
    ASSERT_EQ(map.GetPictures(all.Put()), S_OK);
    ASSERT_EQ(all.Type(), VT_ARRAY | VT_VARIANT);
    SAFEARRAY* array = V_ARRAY(&all.Get());
    LONG rows = 0, columns = 0;
    SafeArrayGetUBound(array, 1, &rows);
    SafeArrayGetUBound(array, 2, &columns);
    EXPECT_EQ(rows, 1);
    ASSERT_EQ(columns, 2);
    const char* order[] = {"B", "a", "b"};  // keys are case-sensitive
    for (LONG c = 0; c < 3; ++c) {
        Variant key;
        LONG at[2] = {0, c};
        SafeArrayGetElement(array, at, key.Put());
        EXPECT_EQ(VariantToAnsi(key.Get()), order[c]);
    }
    CHTMLPictureMap copy;
    copy.AddPicture("stale", TextVariant(bmp.Path()).Get());
    copy.SetPictures(all.Get());
    EXPECT_EQ(copy.Find("stale"), nullptr);
    EXPECT_EQ(copy.Find("b"), map.Find("b"));
}

TEST_F(CHTMLPictureMapTest, SetPicturesWithAnythingElseOnlyClears) {
    SAFEARRAYBOUND bounds[2] = {{3, 0}, {1, 0}};  // three rows: not the shape
    Variant wrong, none;
    V_VT(wrong.Ptr()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(wrong.Ptr()) = SafeArrayCreate(VT_VARIANT, 2, bounds);
    ASSERT_EQ(CHTMLPictureMap().GetPictures(none.Put()), S_OK);
    for (const Variant& value : {NumberVariant(3), wrong, none}) {
        map.AddPicture("a", TextVariant(bmp.Path()).Get());
        map.SetPictures(value.Get());
        EXPECT_EQ(map.Count(), 0u);
    }
}

}  // namespace
