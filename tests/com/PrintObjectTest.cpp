// The Print object as a host sees it through ITavrin and its COM interfaces.
// Defaults and error info through IDispatch are the end-to-end scripts' part.
#include "ComPtr.h"
#include "DibCanvas.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
#include "TestProvider.h"
#include "Text.h"
#include "Variant.h"
#include "Variants.h"
#include <ocidl.h>
#include <objsafe.h>
#include <olectl.h>
#include <vector>

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
        ComPtr<IUnknown> p, back;
        ASSERT_EQ(print->QueryInterface(*iid, p.PutVoid()), S_OK);
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
    id.Reset();
    t.Reset();
    EXPECT_EQ(outer.refs, 1u);
    EXPECT_EQ(outer.inner->Release(), 0u);
}

TEST_F(PrintObjectTest, NullOutPointersAreRefused) {
    EXPECT_EQ(print->get_Caption(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Options(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Font(nullptr), E_POINTER);
    EXPECT_EQ(print->get_Version(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PrintExt(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PrintExts(nullptr), E_POINTER);
    EXPECT_EQ(print->get_PageFrameColor(nullptr), E_POINTER);
}

TEST_F(PrintObjectTest, NullTextsClearAndEnumerationsAreKeptAsGiven) {
    for (auto [put, get] : {std::pair{&ITavrin::put_Caption, &ITavrin::get_Caption},
                            std::pair{&ITavrin::put_PageNumberFormat, &ITavrin::get_PageNumberFormat}}) {
        EXPECT_EQ((print.Get()->*put)(nullptr), S_OK);
        Bstr s;
        ASSERT_EQ((print.Get()->*get)(s.Put()), S_OK);
        EXPECT_EQ(SysStringLen(s.Get()), 0u);
    }
    print->put_PageNumbersAlignment(static_cast<AlignmentEnum>(77));
    AlignmentEnum a;
    EXPECT_EQ((print->get_PageNumbersAlignment(&a), a), 77);
    print->put_PageFrameColor(0x80000005);
    OLE_COLOR c;
    EXPECT_EQ((print->get_PageFrameColor(&c), c), 0x80000005u) << "a system colour stays a system colour";
}

TEST_F(PrintObjectTest, OptionsAreDeepCopies) {
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
    ASSERT_EQ(got.Type(), VT_I4) << "a reference is copied as the value it points to";
    EXPECT_EQ(V_I4(&got.Get()), 42);

    // A value that cannot be copied: the failure is returned and kept as an error value.
    VARIANT bad;
    V_VT(&bad) = 15;  // no such variant type
    HRESULT hr = print->put_Options(bad);
    EXPECT_TRUE(FAILED(hr));
    ASSERT_EQ(print->get_Options(got.Put()), S_OK);
    ASSERT_EQ(got.Type(), VT_ERROR);
    EXPECT_EQ(V_ERROR(&got.Get()), hr);
}

TEST_F(PrintObjectTest, AProviderWithoutPagesPassesTheEntryCheck) {
    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(print.As(support), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_ITavrin), S_OK);
    EXPECT_EQ(support->InterfaceSupportsErrorInfo(IID_IPage), S_FALSE);
    EXPECT_EQ(print->Preview(), DISP_E_EXCEPTION);
    ComPtr<IPrintExt> provider = Make<CTestProvider, IPrintExt>();
    ASSERT_EQ(print->put_PrintExt(provider.Get()), S_OK);
    EXPECT_NE(print->Preview(), DISP_E_EXCEPTION);
}

// What the store makes of a list is its own tests' part: here, what the host gets back.
TEST_F(PrintObjectTest, ProviderListsComeBackFromZeroAsObjects) {
    ComPtr<IPrintExt> a = Make<CTestProvider, IPrintExt>(), b = Make<CTestProvider, IPrintExt>();
    Variant text;
    V_VT(text.Put()) = VT_BSTR;
    V_BSTR(text.Ptr()) = SysAllocString(L"not a provider");
    ASSERT_EQ(print->put_PrintExts(VariantList({ObjectVariant(a.Get()), text, ObjectVariant(b.Get())}, 1).Get()), S_OK);
    Variant back;
    ASSERT_EQ(print->get_PrintExts(back.Put()), S_OK);
    ASSERT_EQ(back.Type(), VT_ARRAY | VT_VARIANT);
    LONG lower = -1, upper = -1;
    SafeArrayGetLBound(V_ARRAY(&back.Get()), 1, &lower);
    SafeArrayGetUBound(V_ARRAY(&back.Get()), 1, &upper);
    EXPECT_EQ(lower, 0);
    ASSERT_EQ(upper, 1);
    for (LONG k = 0; k <= 1; ++k) {
        Variant element;
        SafeArrayGetElement(V_ARRAY(&back.Get()), &k, element.Put());
        ASSERT_EQ(element.Type(), VT_UNKNOWN);
        EXPECT_TRUE(SameObject(V_UNKNOWN(&element.Get()), (k == 0 ? a : b).Get()));
    }
}

TEST_F(PrintObjectTest, DrawsItsPlaceholderAtDesignTime) {
    ComPtr<IViewObject> view;
    ASSERT_EQ(print.As(view), S_OK);
    DibCanvas canvas(64, 64, RGB(0, 0, 0));
    RECTL bounds{0, 0, 64, 64};
    ASSERT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), &bounds, nullptr, nullptr, 0),
              S_OK);
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    EXPECT_EQ(canvas.At(50, 50), window) << "background filled outside the icon";
    const RECT icon{2, 0, 32, 32};
    EXPECT_GT(DibCanvas::Area(icon) - canvas.Count(icon, window) - canvas.Count(icon, 0), 100)
        << "the control's icon at the top-left";
    EXPECT_EQ(view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, canvas.Dc(), nullptr, nullptr, nullptr, 0),
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
    ComPtr<IConnectionPoint> events, notify, none;
    EXPECT_EQ(cpc->FindConnectionPoint(DIID__ITavrinEvents, events.Put()), S_OK);
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, notify.Put()), S_OK);
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
    for (ULONG k = 0; k < 2; ++k) {
        wchar_t text[64];
        StringFromGUID2(list.pElems[k], text, 64);
        EXPECT_EQ(std::wstring(text), k ? L"{7EBDAAE1-8120-11CF-899F-00AA00688B10}" : L"{7EBDAAE0-8120-11CF-899F-00AA00688B10}");
    }
    CoTaskMemFree(list.pElems);
}

}  // namespace
