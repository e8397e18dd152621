// The Print object as a host sees it through ITavrin and its COM interfaces.
#include "ComPtr.h"
#include "Gdi.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include "TestProvider.h"
#include "Text.h"
#include "Variant.h"
#include <ocidl.h>
#include <objsafe.h>
#include <olectl.h>

namespace {

class PrintObjectTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, nullptr, IID_ITavrin, print.PutVoid()), S_OK);
    }
    void TearDown() override {
        print.Reset();
        ComTest::TearDown();
    }
    ComPtr<ITavrin> print;
};

TEST_F(PrintObjectTest, AnswersExactlyItsInterfaceTable) {
    const IID* answered[] = {&IID_ITavrin, &IID_IDispatch, &IID_IViewObjectEx, &IID_IViewObject2, &IID_IViewObject,
                             &IID_IOleInPlaceObjectWindowless, &IID_IOleInPlaceObject, &IID_IOleWindow,
                             &IID_IOleInPlaceActiveObject, &IID_IOleControl, &IID_IOleObject,
                             &IID_IPersistStreamInit, &IID_IPersist, &IID_ISupportErrorInfo,
                             &IID_IConnectionPointContainer, &IID_ISpecifyPropertyPages, &IID_IPersistStorage,
                             &IID_IDataObject, &IID_IProvideClassInfo, &IID_IProvideClassInfo2, &IID_IUnknown};
    ComPtr<IUnknown> identity;
    ASSERT_EQ(print.As(identity), S_OK);
    for (const IID* iid : answered) {
        ComPtr<IUnknown> p;
        ASSERT_EQ(print->QueryInterface(*iid, p.PutVoid()), S_OK);
        ComPtr<IUnknown> back;
        ASSERT_EQ(p.As(back), S_OK);
        EXPECT_EQ(back.Get(), identity.Get()) << "every interface leads back to one IUnknown";
    }
    for (const IID* iid : {&IID_IPrintExt, &IID_IObjectSafety, &IID_IPersistPropertyBag, &IID_IPage}) {
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(print->QueryInterface(*iid, &p), E_NOINTERFACE);
        EXPECT_EQ(p, nullptr);
    }
    EXPECT_EQ(print->QueryInterface(IID_ITavrin, nullptr), E_POINTER);
}

// An outer object that aggregates a Print object and counts its own references.
class Aggregator : public IUnknown {
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown)) {
            *out = this;
            AddRef();
            return S_OK;
        }
        if (IsEqualIID(iid, IID_IPersist)) return E_NOINTERFACE;  // the outer decides
        return inner->QueryInterface(iid, out);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }
    ULONG refs = 1;
    IUnknown* inner = nullptr;
};

TEST_F(PrintObjectTest, AggregatesBehindAnOuterUnknown) {
    Aggregator outer;
    void* p = reinterpret_cast<void*>(1);
    EXPECT_EQ(TavrinModule::Get().Create(CLSID_Print, &outer, IID_ITavrin, &p), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(p, nullptr);

    ASSERT_EQ(TavrinModule::Get().Create(CLSID_Print, &outer, IID_IUnknown, reinterpret_cast<void**>(&outer.inner)),
              S_OK);
    EXPECT_EQ(outer.refs, 1u) << "the inner unknown does not count on the outer";
    ComPtr<ITavrin> t;
    ASSERT_EQ(outer.QueryInterface(IID_ITavrin, t.PutVoid()), S_OK);
    EXPECT_EQ(outer.refs, 2u) << "interfaces of the inner object count on the outer";
    ComPtr<IPersist> persist;
    EXPECT_EQ(t->QueryInterface(IID_IPersist, persist.PutVoid()), E_NOINTERFACE) << "QI delegates to the outer";
    ComPtr<IUnknown> id;
    ASSERT_EQ(t->QueryInterface(IID_IUnknown, id.PutVoid()), S_OK);
    EXPECT_EQ(id.Get(), static_cast<IUnknown*>(&outer)) << "the identity is the outer's";
    BSTR caption = nullptr;
    EXPECT_EQ(t->get_Caption(&caption), S_OK);
    SysFreeString(caption);
    id.Reset();
    t.Reset();
    EXPECT_EQ(outer.refs, 1u);
    EXPECT_EQ(outer.inner->Release(), 0u);
    EXPECT_EQ(TavrinModule::Get().CanUnloadNow(), S_FALSE) << "the fixture's own object is alive";
}

TEST_F(PrintObjectTest, FreshObjectHasItsDefaults) {
    BSTR s = nullptr;
    ASSERT_EQ(print->get_Caption(&s), S_OK);
    EXPECT_STREQ(s, L"Untitled Document");
    SysFreeString(s);
    ASSERT_EQ(print->get_PageNumberFormat(&s), S_OK);
    EXPECT_STREQ(s, L"<%page%>");
    SysFreeString(s);

    long n = -1;
    VARIANT_BOOL b = 0;
    PositionEnum pos;
    AlignmentEnum align;
    EXPECT_EQ((print->get_StartPageNumber(&n), n), 1);
    EXPECT_EQ((print->get_ShowPageNumbers(&b), b), VARIANT_TRUE);
    EXPECT_EQ((print->get_PageNumbersPosition(&pos), pos), kvFooter);
    EXPECT_EQ((print->get_PageNumbersAlignment(&align), align), kvRight);
    EXPECT_EQ((print->get_CaptionPosition(&pos), pos), kvHeader);
    EXPECT_EQ((print->get_CaptionAlignment(&align), align), kvCenter);
    EXPECT_EQ((print->get_AsScreen(&b), b), VARIANT_FALSE);
    EXPECT_EQ((print->get_AutoRelease(&b), b), VARIANT_TRUE);
    EXPECT_EQ((print->get_ShowMargins(&b), b), VARIANT_TRUE);
    EXPECT_EQ((print->get_Foreground(&n), n), 0);
    PageFrameStyleEnum style;
    EXPECT_EQ((print->get_PageFrameStyle(&style), style), kvNoPageFrame);
    OLE_COLOR color = 1;
    EXPECT_EQ((print->get_PageFrameColor(&color), color), 0u);
    EXPECT_EQ((print->get_PagesCount(&n), n), 0);
    EXPECT_EQ((print->get_hWnd(&n), n), 0);
    Variant options;
    ASSERT_EQ(print->get_Options(options.Put()), S_OK);
    EXPECT_EQ(options.Type(), VT_EMPTY);
    BSTR range = nullptr;
    ASSERT_EQ(print->get_PageRange(&range), S_OK);
    EXPECT_EQ(SysStringLen(range), 0u);
    SysFreeString(range);

    ComPtr<IFontDisp> fontDisp;
    ASSERT_EQ(print->get_Font(fontDisp.Put()), S_OK);
    ComPtr<IFont> font;
    ASSERT_EQ(fontDisp.As(font), S_OK);
    BSTR name = nullptr;
    font->get_Name(&name);
    EXPECT_STREQ(name, L"Times New Roman");
    SysFreeString(name);
    // The font object reports the size of the font it realised, within half a point of 10.
    CY size{};
    font->get_Size(&size);
    EXPECT_NEAR(static_cast<double>(size.int64), 100000.0, 5000.0);
    SHORT weight = 0;
    BOOL flag = TRUE;
    EXPECT_EQ((font->get_Weight(&weight), weight), 400);
    EXPECT_FALSE((font->get_Italic(&flag), flag));
    EXPECT_FALSE((font->get_Underline(&flag), flag));
    EXPECT_FALSE((font->get_Strikethrough(&flag), flag));
}

TEST_F(PrintObjectTest, NullOutPointersAreRefused) {
    EXPECT_EQ(print->get_Caption(nullptr), E_POINTER);
    EXPECT_EQ(print->get_StartPageNumber(nullptr), E_POINTER);
    EXPECT_EQ(print->get_ShowPageNumbers(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Options(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Font(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Version(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PrintExt(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PrintExts(nullptr), E_POINTER);
    EXPECT_EQ(print->get_hWnd(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PageFrameColor(nullptr), E_POINTER);
}

TEST_F(PrintObjectTest, PutsStoreTheirValues) {
    EXPECT_EQ(print->put_StartPageNumber(-5), S_OK);
    long n = 7;
    EXPECT_EQ((print->get_StartPageNumber(&n), n), 0) << "negative start numbers clamp to 0";
    print->put_StartPageNumber(12);
    EXPECT_EQ((print->get_StartPageNumber(&n), n), 12);

    EXPECT_EQ(print->put_Caption(nullptr), S_OK);
    BSTR s = reinterpret_cast<BSTR>(1);
    ASSERT_EQ(print->get_Caption(&s), S_OK);
    EXPECT_EQ(SysStringLen(s), 0u) << "a null text clears the caption";
    SysFreeString(s);

    Bstr format(L"Page <%page%> of <%count%>");
    print->put_PageNumberFormat(format.Get());
    ASSERT_EQ(print->get_PageNumberFormat(&s), S_OK);
    EXPECT_STREQ(s, format.Get());
    SysFreeString(s);
    print->put_PageNumberFormat(nullptr);
    ASSERT_EQ(print->get_PageNumberFormat(&s), S_OK);
    EXPECT_EQ(SysStringLen(s), 0u);
    SysFreeString(s);

    // Enumerations are stored as given, out of range or not.
    print->put_PageNumbersAlignment(static_cast<AlignmentEnum>(77));
    AlignmentEnum a;
    EXPECT_EQ((print->get_PageNumbersAlignment(&a), a), 77);
    print->put_PageFrameColor(0x80000005);
    OLE_COLOR c;
    EXPECT_EQ((print->get_PageFrameColor(&c), c), 0x80000005u);
}

TEST_F(PrintObjectTest, OptionsAreDeepCopies) {
    // A VARIANT by reference is copied as the value it points to, not as the reference.
    VARIANT target;
    V_VT(&target) = VT_I4;
    V_I4(&target) = 42;
    VARIANT byRef;
    V_VT(&byRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&byRef) = &target;
    ASSERT_EQ(print->put_Options(byRef), S_OK);
    V_I4(&target) = 43;
    Variant got;
    ASSERT_EQ(print->get_Options(got.Put()), S_OK);
    ASSERT_EQ(got.Type(), VT_I4);
    EXPECT_EQ(V_I4(&got.Get()), 42);

    SAFEARRAY* array = SafeArrayCreateVector(VT_I4, 0, 3);
    VARIANT arr;
    V_VT(&arr) = VT_ARRAY | VT_I4;
    V_ARRAY(&arr) = array;
    ASSERT_EQ(print->put_Options(arr), S_OK);
    SafeArrayDestroy(array);  // the control kept its own copy
    ASSERT_EQ(print->get_Options(got.Put()), S_OK);
    ASSERT_EQ(got.Type(), VT_ARRAY | VT_I4);
    LONG upper = -1;
    SafeArrayGetUBound(V_ARRAY(&got.Get()), 1, &upper);
    EXPECT_EQ(upper, 2);

    // A value that cannot be copied: the failure is returned and kept as an error value.
    VARIANT bad;
    V_VT(&bad) = 15;  // no such variant type
    HRESULT hr = print->put_Options(bad);
    EXPECT_TRUE(FAILED(hr));
    ASSERT_EQ(print->get_Options(got.Put()), S_OK);
    ASSERT_EQ(got.Type(), VT_ERROR);
    EXPECT_EQ(V_ERROR(&got.Get()), hr);
}

TEST_F(PrintObjectTest, VersionReadsTheFileVersionAndIgnoresPuts) {
    BSTR v = nullptr;
    ASSERT_EQ(print->get_Version(&v), S_OK);
    EXPECT_STREQ(v, L"1.0.0.1");
    SysFreeString(v);
    Bstr other(L"9.9");
    EXPECT_EQ(print->put_Version(other.Get()), S_OK);
    ASSERT_EQ(print->get_Version(&v), S_OK);
    EXPECT_STREQ(v, L"1.0.0.1");
    SysFreeString(v);
    EXPECT_EQ(print->get_Debug(&v), E_NOTIMPL);
}

void ExpectEntryError(HRESULT hr, const wchar_t* method) {
    EXPECT_EQ(hr, DISP_E_EXCEPTION);
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(GetErrorInfo(0, info.Put()), S_OK);
    Bstr description, source;
    info->GetDescription(description.Put());
    info->GetSource(source.Put());
    GUID guid;
    info->GetGUID(&guid);
    EXPECT_EQ(std::wstring(description.Get()),
              std::wstring(L"The PrintExt/PrintExts property must be set before calling ") + method + L" method");
    EXPECT_STREQ(source.Get(), L"Koravel.Print");
    EXPECT_TRUE(IsEqualGUID(guid, GUID_NULL));
}

TEST_F(PrintObjectTest, MethodsThatNeedAProviderFailWithErrorInfo) {
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(print.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITavrin), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IPage), S_FALSE);

    VARIANT missing;
    V_VT(&missing) = VT_ERROR;
    V_ERROR(&missing) = DISP_E_PARAMNOTFOUND;
    ExpectEntryError(print->Preview(), L"Preview");
    ExpectEntryError(print->DoPrint(missing), L"DoPrint");
    long written = -1;
    Bstr path(L"C:\\page%i.emf");
    ExpectEntryError(print->CopyTo(path.Get(), &written), L"CopyTo");

    // A provider that has no pages still passes the check.
    ComPtr<IPrintExt> provider = Make<CTestProvider, IPrintExt>();
    ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
    EXPECT_NE(print->Preview(), DISP_E_EXCEPTION);
}

TEST_F(PrintObjectTest, ProvidersComeFromObjectsThatImplementThem) {
    ComPtr<IPrintExt> a = Make<CTestProvider, IPrintExt>();
    ComPtr<IPersist> plain = Make<CPlainObject, IPersist>();
    EXPECT_EQ(print->put_PrintExt(plain.Get()), S_OK);
    ComPtr<IUnknown> got;
    ASSERT_EQ(print->get_PrintExt(got.Put()), S_OK);
    EXPECT_FALSE(got) << "an object without IPrintExt is ignored";

    ASSERT_EQ(print->putref_PrintExt(a.Get()), S_OK);
    ASSERT_EQ(print->get_PrintExt(got.Put()), S_OK);
    EXPECT_TRUE(SameObject(got.Get(), a.Get()));

    // An array of two providers and a string: two providers, handed back as IUnknown.
    ComPtr<IPrintExt> b = Make<CTestProvider, IPrintExt>();
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 1, 3);
    VARIANT e;
    LONG i = 1;
    V_VT(&e) = VT_UNKNOWN;
    V_UNKNOWN(&e) = a.Get();
    SafeArrayPutElement(array, &i, &e);
    i = 2;
    V_VT(&e) = VT_BSTR;
    V_BSTR(&e) = SysAllocString(L"not a provider");
    SafeArrayPutElement(array, &i, &e);
    VariantClear(&e);
    i = 3;
    V_VT(&e) = VT_UNKNOWN;
    V_UNKNOWN(&e) = b.Get();
    SafeArrayPutElement(array, &i, &e);
    VARIANT list;
    V_VT(&list) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&list) = array;
    ASSERT_EQ(print->put_PrintExts(list), S_OK);
    SafeArrayDestroy(array);

    Variant back;
    ASSERT_EQ(print->get_PrintExts(back.Put()), S_OK);
    ASSERT_EQ(back.Type(), VT_ARRAY | VT_VARIANT);
    SAFEARRAY* out = V_ARRAY(&back.Get());
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(out, 1, &lower);
    SafeArrayGetUBound(out, 1, &upper);
    EXPECT_EQ(lower, 0);
    ASSERT_EQ(upper, 1);
    for (LONG k = 0; k <= 1; ++k) {
        Variant element;
        SafeArrayGetElement(out, &k, element.Put());
        ASSERT_EQ(element.Type(), VT_UNKNOWN);
        EXPECT_TRUE(SameObject(V_UNKNOWN(&element.Get()), (k == 0 ? a : b).Get()));
    }

    // A string array is not a provider list.
    SAFEARRAY* texts = SafeArrayCreateVector(VT_BSTR, 0, 1);
    VARIANT textList;
    V_VT(&textList) = VT_ARRAY | VT_BSTR;
    V_ARRAY(&textList) = texts;
    EXPECT_EQ(print->put_PrintExts(textList), S_OK);
    SafeArrayDestroy(texts);
    ASSERT_EQ(print->get_PrintExts(back.Put()), S_OK);
    SafeArrayGetUBound(V_ARRAY(&back.Get()), 1, &upper);
    EXPECT_EQ(upper, -1);
}

TEST_F(PrintObjectTest, DispatchFollowsTheTypeLibrary) {
    ComPtr<IDispatch> disp;
    ASSERT_EQ(print.As(disp), S_OK);
    OLECHAR name[] = L"StartPageNumber";
    LPOLESTR names[] = {name};
    DISPID id = 0;
    ASSERT_EQ(disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id), S_OK);
    EXPECT_EQ(id, 34);

    VARIANT arg;
    V_VT(&arg) = VT_BSTR;
    V_BSTR(&arg) = SysAllocString(L"-3");  // converted by the type library to long
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS put = {&arg, &putId, 1, 1};
    EXPECT_EQ(disp->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYPUT, &put, nullptr, nullptr, nullptr), S_OK);
    VariantClear(&arg);
    Variant result;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    ASSERT_EQ(disp->Invoke(id, IID_NULL, 0, DISPATCH_PROPERTYGET, &none, result.Put(), nullptr, nullptr), S_OK);
    EXPECT_EQ(V_I4(&result.Get()), 0);

    // Errors raised by a method reach a dispatch client as exception information.
    EXCEPINFO excep{};
    EXPECT_EQ(disp->Invoke(4, IID_NULL, 0, DISPATCH_METHOD, &none, nullptr, &excep, nullptr), DISP_E_EXCEPTION);
    EXPECT_STREQ(excep.bstrSource, L"Koravel.Print");
    EXPECT_STREQ(excep.bstrDescription,
                 L"The PrintExt/PrintExts property must be set before calling Preview method");
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    SysFreeString(excep.bstrHelpFile);
}

TEST_F(PrintObjectTest, DrawsItsPlaceholderAtDesignTime) {
    ComPtr<IViewObject> view;
    ASSERT_EQ(print.As(view), S_OK);
    COwnedDC dc(CreateCompatibleDC(nullptr));
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 64, -64, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    Bitmap bmp(CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
    CSelectObject sel(dc, bmp.Get());
    PatBlt(dc, 0, 0, 64, 64, BLACKNESS);
    RECTL bounds{0, 0, 64, 64};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0), S_OK);
    GdiFlush();
    auto px = [&](int x, int y) { return static_cast<const DWORD*>(bits)[y * 64 + x] & 0xFFFFFF; };
    COLORREF window = GetSysColor(COLOR_WINDOW);
    DWORD windowPx = (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window);
    EXPECT_EQ(px(50, 50), windowPx) << "background filled outside the icon";
    int iconPixels = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 2; x < 32; ++x) iconPixels += px(x, y) != windowPx && px(x, y) != 0;
    EXPECT_GT(iconPixels, 100) << "the control's icon at the top-left";
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0),
              E_INVALIDARG);

    ComPtr<IOleObject> ole;
    ASSERT_EQ(print.As(ole), S_OK);
    DWORD misc = 0;
    ASSERT_EQ(ole->GetMiscStatus(DVASPECT_CONTENT, &misc), S_OK);
    EXPECT_EQ(misc, 132497u);
    SIZEL extent{};
    ASSERT_EQ(ole->GetExtent(DVASPECT_CONTENT, &extent), S_OK);
    CWindowDC screen;
    EXPECT_EQ(extent.cx, MulDiv(36, 2540, GetDeviceCaps(screen, LOGPIXELSX)));
}

TEST_F(PrintObjectTest, ConnectionPointsAndPropertyPages) {
    ComPtr<IConnectionPointContainer> cpc;
    ASSERT_EQ(print.As(cpc), S_OK);
    ComPtr<IConnectionPoint> events, notify;
    EXPECT_EQ(cpc->FindConnectionPoint(DIID__ITavrinEvents, events.Put()), S_OK);
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, notify.Put()), S_OK);
    ComPtr<IConnectionPoint> none;
    EXPECT_EQ(cpc->FindConnectionPoint(IID_ITavrin, none.Put()), CONNECT_E_NOCONNECTION);
    ComPtr<IEnumConnectionPoints> all;
    ASSERT_EQ(cpc->EnumConnectionPoints(all.Put()), S_OK);
    IConnectionPoint* points[3] = {};
    ULONG fetched = 0;
    EXPECT_EQ(all->Next(3, points, &fetched), S_FALSE);
    EXPECT_EQ(fetched, 2u);
    for (ULONG k = 0; k < fetched; ++k) points[k]->Release();

    ComPtr<IProvideClassInfo2> info;
    ASSERT_EQ(print.As(info), S_OK);
    GUID source;
    ASSERT_EQ(info->GetGUID(GUIDKIND_DEFAULT_SOURCE_DISP_IID, &source), S_OK);
    EXPECT_TRUE(IsEqualGUID(source, DIID__ITavrinEvents));

    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(print.As(pages), S_OK);
    CAUUID list{};
    ASSERT_EQ(pages->GetPages(&list), S_OK);
    ASSERT_EQ(list.cElems, 2u);
    wchar_t text[64];
    StringFromGUID2(list.pElems[0], text, 64);
    EXPECT_STREQ(text, L"{7EBDAAE0-8120-11CF-899F-00AA00688B10}");
    StringFromGUID2(list.pElems[1], text, 64);
    EXPECT_STREQ(text, L"{7EBDAAE1-8120-11CF-899F-00AA00688B10}");
    CoTaskMemFree(list.pElems);
}

}  // namespace
