#include "CHTMLPictureMap.h"
#include "CIconList.h"
#include "pictures/Encode64.h"
#include "GdiplusPicture.h"
#include "PictureLoader.h"
#include "PictureText.h"
#include "TestImages.h"
#include "Text.h"
#include "Variant.h"
#include <gtest/gtest.h>
#include <olectl.h>

namespace {

Variant Text(const std::string& text) {
    Variant v;
    V_VT(v.Ptr()) = VT_BSTR;
    V_BSTR(v.Ptr()) = Bstr::FromAnsi(text).Detach();
    return v;
}

Variant Object(IUnknown* object) {
    Variant v;
    V_VT(v.Ptr()) = VT_DISPATCH;
    ComPtr<IDispatch> dispatch;
    if (object) object->QueryInterface(IID_IDispatch, dispatch.PutVoid());
    V_DISPATCH(v.Ptr()) = dispatch.Detach();
    return v;
}

Variant Number(long n) {
    Variant v;
    V_VT(v.Ptr()) = VT_I4;
    V_I4(v.Ptr()) = n;
    return v;
}

// A 200 x 100 picture stretched into 50 x 25 at (10, 5): each quadrant lands
// where it should and nothing is drawn outside the rectangle.
void ExpectDrawnScaled(const CHTMLPicture& picture) {
    DibCanvas canvas(70, 40);
    picture.Draw(canvas.Dc(), RECT{10, 5, 60, 30});
    EXPECT_EQ(canvas.At(10 + 12, 5 + 6), kTopLeft);
    EXPECT_EQ(canvas.At(10 + 37, 5 + 6), kTopRight);
    EXPECT_EQ(canvas.At(10 + 12, 5 + 18), kBottomLeft);
    EXPECT_EQ(canvas.At(10 + 37, 5 + 18), kBottomRight);
    EXPECT_EQ(canvas.At(11, 6), kTopLeft);
    EXPECT_EQ(canvas.At(58, 28), kBottomRight);
    for (auto [x, y] : {std::pair{9, 15}, {60, 15}, {30, 4}, {30, 30}, {0, 0}, {69, 39}})
        EXPECT_EQ(canvas.At(x, y), RGB(255, 255, 255)) << x << "," << y;
}

void ExpectSize(const CHTMLPicture& picture, LONG cx, LONG cy) {
    SIZE size = picture.GetSize();
    EXPECT_EQ(size.cx, cx);
    EXPECT_EQ(size.cy, cy);
}

TEST(CHTMLPicture, EmptyPictureHasNoSizeAndDrawsNothing) {
    CHTMLPicture none;
    ExpectSize(none, 0, 0);
    DibCanvas canvas(8, 8);
    none.Draw(canvas.Dc(), RECT{0, 0, 8, 8});
    EXPECT_EQ(canvas.At(4, 4), RGB(255, 255, 255));
}

TEST(CHTMLPicture, BmpPngAndTiffLoadAndDrawScaled) {
    // OLE cannot read TIFF: the loader falls back to GDI+ for it.
    const Bytes tiff = MakeTiff(200, 100);
    ComPtr<IPicture> ole;
    ASSERT_TRUE(FAILED(OleLoadPicture(StreamOnBytes(tiff).Get(), static_cast<LONG>(tiff.size()), FALSE,
                                      IID_IPicture, ole.PutVoid())));
    const ComPtr<IPicture> pictures[] = {LoadPicture(MakeBmp(200, 100)),
                                         gdiplus::CPictureDispEx::Load(MakePng(200, 100)), LoadPicture(tiff)};
    for (const ComPtr<IPicture>& picture : pictures) {
        ASSERT_TRUE(picture);
        CHTMLPicture html(picture);
        ExpectSize(html, 200, 100);
        ExpectDrawnScaled(html);
    }
}

TEST(GdiplusPicture, OffersPictureInterfacesOnlyAndSavesItsOriginalBytes) {
    const Bytes png = MakePng(20, 10);
    ComPtr<IPicture> picture = gdiplus::CPictureDispEx::Load(png);
    ASSERT_TRUE(picture);
    ComPtr<IPictureDisp> disp;
    ComPtr<IDispatch> dispatch;
    ComPtr<IPersistStream> persist;
    EXPECT_EQ(picture.As(disp), S_OK);
    EXPECT_EQ(picture.As(dispatch), S_OK);
    EXPECT_EQ(picture.As(persist), E_NOINTERFACE);
    EXPECT_TRUE(SameObject(picture.Get(), disp.Get()));

    ComPtr<IStream> stream = NewMemoryStream();
    LONG size = 0;
    ASSERT_EQ(picture->SaveAsFile(stream.Get(), TRUE, &size), S_OK);
    Bytes saved;
    ASSERT_TRUE(StreamContents(stream.Get(), saved));
    EXPECT_EQ(saved, png);
    EXPECT_EQ(size, static_cast<LONG>(png.size()));

    // Script hosts read Width through IDispatch.
    DISPID id = 0;
    LPOLESTR name = const_cast<LPOLESTR>(L"Width");
    ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, &name, 1, 0, &id), S_OK);
    DISPPARAMS none = {};
    Variant width;
    ASSERT_EQ(disp->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, width.Put(), nullptr, nullptr), S_OK);
    OLE_XSIZE_HIMETRIC direct = 0;
    picture->get_Width(&direct);
    EXPECT_EQ(VariantToLong(width.Get(), -1), direct);
    OLE_HANDLE handle = 0;
    EXPECT_EQ(picture->get_Handle(&handle), S_OK);
    EXPECT_EQ(GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<LONG_PTR>(static_cast<LONG>(handle)))),
              static_cast<DWORD>(OBJ_BITMAP));
}

TEST(GdiplusPicture, BytesThatAreNoImageGiveNoPicture) {
    Bytes png = MakePng(20, 10);
    EXPECT_FALSE(gdiplus::CPictureDispEx::Load({}));
    EXPECT_FALSE(gdiplus::CPictureDispEx::Load(Bytes(png.begin(), png.begin() + 20)));
    EXPECT_FALSE(gdiplus::CPictureDispEx::Load(Bytes(100, 'x')));
}

TEST(PictureText, EncodedPictureLoadsBackTheSamePicture) {
    ComPtr<IPicture> picture = LoadPicture(MakeBmp(200, 100));
    ASSERT_TRUE(picture);
    std::string text = EncodePicture(picture.Get());
    ASSERT_FALSE(text.empty());
    ComPtr<IPicture> back = LoadPictureText(text);
    ASSERT_TRUE(back);
    ExpectDrawnScaled(CHTMLPicture(back));

    CTempFile file("picture.png", MakePng(200, 100));
    std::string fileText;
    ASSERT_TRUE(EncodeValue(Text(file.Path()).Get(), fileText));
    ComPtr<IPicture> fromFile = LoadPictureText(fileText);
    ASSERT_TRUE(fromFile);
    ExpectSize(CHTMLPicture(fromFile), 200, 100);
}

TEST(PictureText, MissingFilesAndObjectsThatAreNoPicturesEncodeToNothing) {
    std::string text = "left over";
    EXPECT_FALSE(EncodeValue(Text("C:\\no\\such\\file.bmp").Get(), text));
    EXPECT_EQ(text, "");
    ComPtr<IStream> notAPicture = NewMemoryStream();
    EXPECT_FALSE(EncodeValue(Object(notAPicture.Get()).Get(), text));
    Variant unknown;
    V_VT(unknown.Ptr()) = VT_UNKNOWN;
    V_UNKNOWN(unknown.Ptr()) = notAPicture.Get();
    notAPicture->AddRef();
    EXPECT_FALSE(EncodeValue(unknown.Get(), text));
    EXPECT_FALSE(EncodeIconsValue(Text("").Get(), text));
    EXPECT_FALSE(EncodeIconsValue(Text(" , ,").Get(), text));
}

TEST(PictureText, IconFilesEncodeToAListThatReadsBack) {
    CTempFile small("a.ico", MakeIco(16, RGB(0, 90, 0))), large("b.ico", MakeIco(32, RGB(90, 0, 0)));
    std::string text;
    ASSERT_TRUE(EncodeIconsValue(Text(small.Path() + ", " + large.Path()).Get(), text));
    CIconList list;
    list.AddFromEncoded(text);
    EXPECT_EQ(list.Count(), 2);
}

// --- the picture map ---------------------------------------------------------

class CHTMLPictureMapTest : public ::testing::Test {
protected:
    CTempFile bmp{"map.bmp", MakeBmp(200, 100)};
    CTempFile small{"small.bmp", MakeBmp(8, 4)};
    CHTMLPictureMap map;
};

TEST_F(CHTMLPictureMapTest, FileNamesEncodedTextsAndObjectsAllGivePictures) {
    map.AddPicture("file", Text(bmp.Path()).Get());
    std::string text;
    ASSERT_TRUE(EncodeFile(small.Path(), text));
    map.AddPicture("text", Text(text).Get());
    ComPtr<IPicture> object = LoadPicture(MakePng(30, 20));
    map.AddPicture("object", Object(object.Get()).Get());
    CTempFile png("picture.png", MakePng(200, 100)), tiff("picture.tif", MakeTiff(200, 100));
    map.AddPicture("png", Text(png.Path()).Get());
    map.AddPicture("tiff", Text(tiff.Path()).Get());
    EXPECT_EQ(map.Count(), 5u);
    EXPECT_EQ(map.GetPictureSize("png").cx, 200);
    EXPECT_EQ(map.GetPictureSize("tiff").cy, 100);
    EXPECT_EQ(map.GetPictureSize("file").cx, 200);
    EXPECT_EQ(map.GetPictureSize("text").cx, 8);
    EXPECT_EQ(map.GetPictureSize("object").cy, 20);
    EXPECT_EQ(map.Find("object"), object.Get());
    DibCanvas canvas(70, 40);
    map.DrawPicture("file", canvas.Dc(), RECT{10, 5, 60, 30});
    EXPECT_EQ(canvas.At(47, 23), kBottomRight);
}

TEST_F(CHTMLPictureMapTest, KeysAreCaseSensitive) {
    map.AddPicture("Logo", Text(bmp.Path()).Get());
    map.AddPicture("logo", Text(small.Path()).Get());
    EXPECT_EQ(map.GetPictureSize("Logo").cx, 200);
    EXPECT_EQ(map.GetPictureSize("logo").cx, 8);
    EXPECT_EQ(map.Find("LOGO"), nullptr);
    EXPECT_EQ(map.GetPictureSize("LOGO").cx, 0);
}

TEST_F(CHTMLPictureMapTest, ValuesThatGiveNoPictureRemoveTheKey) {
    CTempFile notAPicture("notes.txt", Bytes(50, 'n'));
    const Variant removers[] = {Number(0), Text("C:\\no\\such\\file.bmp"), Text(notAPicture.Path()),
                                Text("%%%% not encoded"), Object(NewMemoryStream().Get()), Variant()};
    for (const Variant& value : removers) {
        map.AddPicture("logo", Text(bmp.Path()).Get());
        map.AddPicture("other", Text(small.Path()).Get());
        ASSERT_NE(map.Find("logo"), nullptr);
        map.AddPicture("logo", value.Get());
        EXPECT_EQ(map.Find("logo"), nullptr);
        EXPECT_NE(map.Find("other"), nullptr);
    }
}

TEST_F(CHTMLPictureMapTest, DamagedPictureBytesLoadNothing) {
    Bytes png = MakePng(40, 20), bmpBytes = MakeBmp(40, 20);
    for (const Bytes& whole : {png, bmpBytes}) {
        for (size_t cut : {size_t(4), size_t(30), whole.size() / 2}) {
            Bytes part(whole.begin(), whole.begin() + cut);
            map.AddPicture("x", Text(LZWCompression::Encode64(part.data(), part.size())).Get());
            EXPECT_EQ(map.Find("x"), nullptr) << cut;
        }
    }
}

TEST_F(CHTMLPictureMapTest, MutatedPicturesNeverCrash) {
    // Whatever the loaders make of damaged bytes, a stored picture must answer its size and draw.
    const Bytes sources[] = {MakeBmp(12, 8), MakePng(12, 8), MakeTiff(12, 8), MakeIco(16, RGB(1, 2, 3))};
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245 + 12345) >> 8; };
    for (int round = 0; round < 400; ++round) {
        Bytes bytes = sources[round % 4];
        for (int flips = 1 + next() % 4; flips > 0; --flips) bytes[next() % bytes.size()] = next() & 0xFF;
        map.AddPicture("x", Text(LZWCompression::Encode64(bytes.data(), bytes.size())).Get());
        DibCanvas canvas(8, 8);
        map.DrawPicture("x", canvas.Dc(), RECT{0, 0, 8, 8});
        map.GetPictureSize("x");
    }
}

TEST_F(CHTMLPictureMapTest, AnEmptyKeyClearsEverything) {
    map.AddPicture("a", Text(bmp.Path()).Get());
    map.AddPicture("b", Text(bmp.Path()).Get());
    map.AddPicture("", Text(bmp.Path()).Get());
    EXPECT_EQ(map.Count(), 0u);
}

TEST_F(CHTMLPictureMapTest, GetPicturesGivesTwoRowsInKeyOrderAndSetPicturesReadsThemBack) {
    map.AddPicture("b", Text(bmp.Path()).Get());
    map.AddPicture("B", Text(small.Path()).Get());
    map.AddPicture("a", Text(small.Path()).Get());
    Variant all;
    ASSERT_EQ(map.GetPictures(all.Put()), S_OK);
    ASSERT_EQ(all.Type(), VT_ARRAY | VT_VARIANT);
    SAFEARRAY* array = V_ARRAY(&all.Get());
    LONG rows = 0, columns = 0;
    SafeArrayGetUBound(array, 1, &rows);
    SafeArrayGetUBound(array, 2, &columns);
    EXPECT_EQ(rows, 1);
    ASSERT_EQ(columns, 2);
    const char* order[] = {"B", "a", "b"};
    for (LONG c = 0; c < 3; ++c) {
        Variant key, picture;
        LONG keyAt[2] = {0, c}, pictureAt[2] = {1, c};
        SafeArrayGetElement(array, keyAt, key.Put());
        SafeArrayGetElement(array, pictureAt, picture.Put());
        EXPECT_EQ(VariantToAnsi(key.Get()), order[c]);
        EXPECT_EQ(picture.Type(), VT_DISPATCH);
    }

    CHTMLPictureMap copy;
    copy.AddPicture("stale", Text(bmp.Path()).Get());
    copy.SetPictures(all.Get());
    EXPECT_EQ(copy.Count(), 3u);
    EXPECT_EQ(copy.Find("stale"), nullptr);
    EXPECT_EQ(copy.Find("b"), map.Find("b"));
    std::string key;
    const CHTMLPicture* picture = nullptr;
    copy.FirstPicture();
    std::string keys;
    while (copy.NextPicture(key, picture)) keys += key;
    EXPECT_EQ(keys, "Bab");
}

TEST_F(CHTMLPictureMapTest, SetPicturesWithAnythingElseOnlyClears) {
    map.AddPicture("a", Text(bmp.Path()).Get());
    map.SetPictures(Number(3).Get());
    EXPECT_EQ(map.Count(), 0u);
    SAFEARRAYBOUND bounds[2] = {{3, 0}, {1, 0}};  // three rows: not the shape
    Variant wrong;
    V_VT(wrong.Ptr()) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(wrong.Ptr()) = SafeArrayCreate(VT_VARIANT, 2, bounds);
    map.AddPicture("a", Text(bmp.Path()).Get());
    map.SetPictures(wrong.Get());
    EXPECT_EQ(map.Count(), 0u);
    CHTMLPictureMap empty;
    Variant none;
    ASSERT_EQ(empty.GetPictures(none.Put()), S_OK);
    map.AddPicture("a", Text(bmp.Path()).Get());
    map.SetPictures(none.Get());
    EXPECT_EQ(map.Count(), 0u);
}

}  // namespace
