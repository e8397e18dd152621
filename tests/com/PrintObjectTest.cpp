// The Print object as a host sees it through ITavrin and its COM interfaces.
// Defaults and error info through IDispatch are the end-to-end scripts' part.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include "TavrinModule.h"
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
    for (const IID* iid : answered) {
        ComPtr<IUnknown> p;
        ASSERT_EQ(print->QueryInterface(*iid, p.PutVoid()), S_OK);
        EXPECT_TRUE(SameObject(p.Get(), print.Get())) << "every interface leads back to one IUnknown";
    }
    for (const IID* iid : {&IID_IPrintExt, &IID_IObjectSafety, &IID_IPersistPropertyBag, &IID_IPage}) {
        void* p = reinterpret_cast<void*>(1);
        EXPECT_EQ(print->QueryInterface(*iid, &p), E_NOINTERFACE);
        EXPECT_EQ(p, nullptr);
    }
    EXPECT_EQ(print->QueryInterface(IID_ITavrin, nullptr), E_POINTER);
    ComPtr<IConnectionPointContainer> cpc;
    ComPtr<IConnectionPoint> point;
    ASSERT_EQ(print.As(cpc), S_OK);
    EXPECT_EQ(cpc->FindConnectionPoint(IID_IPropertyNotifySink, point.Put()), S_OK);
    EXPECT_EQ(cpc->FindConnectionPoint(IID_ITavrin, point.Put()), CONNECT_E_NOCONNECTION);
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

}  // namespace
