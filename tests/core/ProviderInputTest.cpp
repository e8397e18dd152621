// What a host may hand over as providers, and what the store keeps of it.
#include "RecordingTest.h"

namespace {

class CPlain : public ComObject<IPersist> {
    DECLARE_QI_TABLE(CPlain)
    explicit CPlain(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP GetClassID(CLSID* clsid) override { *clsid = GUID_NULL; return S_OK; }
};
const QIEntry* CPlain::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CPlain, IPersist), {nullptr, nullptr}};
    return table;
}

// A script-side wrapper (a form's extender) that holds the real object in its "Object" member.
class CWrapper : public ComObject<IDispatch> {
    DECLARE_QI_TABLE(CWrapper)
    explicit CWrapper(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return S_OK; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        ++lookups;
        if (lstrcmpiW(names[0], L"Object") != 0) return DISP_E_UNKNOWNNAME;
        *ids = 7;
        return S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        if (id != 7 || !result) return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_DISPATCH;
        V_DISPATCH(result) = nullptr;
        if (inner) inner->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&V_DISPATCH(result)));
        if (!V_DISPATCH(result) && inner) {
            V_VT(result) = VT_UNKNOWN;
            inner->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&V_UNKNOWN(result)));
        }
        return S_OK;
    }
    ComPtr<IUnknown> inner;
    int lookups = 0;
};
const QIEntry* CWrapper::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CWrapper, IDispatch), {nullptr, nullptr}};
    return table;
}

ComPtr<IDispatch> Wrap(IUnknown* inner, CWrapper** self = nullptr) {
    ComPtr<IDispatch> w;
    CreateComObject<CWrapper>(nullptr, IID_IDispatch, w.PutVoid());
    auto* object = static_cast<CWrapper*>(w.Get());
    object->inner = inner;
    if (self) *self = object;
    return w;
}

VARIANT Unknown(IUnknown* p) {
    VARIANT v;
    V_VT(&v) = VT_UNKNOWN;
    V_UNKNOWN(&v) = p;
    return v;
}

// Element i of a one-dimensional array (SafeArrayPutElement copies, adding its own references).
void Put(SAFEARRAY* array, LONG i, VARIANT value) { SafeArrayPutElement(array, &i, &value); }

class ProviderInputTest : public RecordingTest {
protected:
    long ListSize() {
        Variant list;
        store->GetPrintExts(list.Put());
        LONG upper = -1;
        if (list.Type() == (VT_ARRAY | VT_VARIANT)) SafeArrayGetUBound(V_ARRAY(&list.Get()), 1, &upper);
        return upper + 1;
    }
    void PutArray(SAFEARRAY* array, VARTYPE type) {
        VARIANT v;
        V_VT(&v) = static_cast<VARTYPE>(VT_ARRAY | type);
        V_ARRAY(&v) = array;
        EXPECT_EQ(store->PutPrintExts(v), S_OK);
        SafeArrayDestroy(array);
    }
    ComPtr<IPrintExt> a = CScriptProvider::Make("A", 1);
    ComPtr<IPrintExt> b = CScriptProvider::Make("B", 1);
};

TEST_F(ProviderInputTest, OnlyOneDimensionalVariantArraysAreLists) {
    SAFEARRAY* unknowns = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
    LONG i = 0;
    SafeArrayPutElement(unknowns, &i, a.Get());
    PutArray(unknowns, VT_UNKNOWN);
    EXPECT_EQ(ListSize(), 0) << "an array of objects is not a VARIANT array";

    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    SAFEARRAY* square = SafeArrayCreate(VT_VARIANT, 2, bounds);
    LONG at[2] = {0, 0};
    VARIANT e = Unknown(a.Get());
    SafeArrayPutElement(square, at, &e);
    PutArray(square, VT_VARIANT);
    EXPECT_EQ(ListSize(), 0) << "two dimensions";

    PutArray(SafeArrayCreateVector(VT_VARIANT, 0, 0), VT_VARIANT);
    EXPECT_EQ(ListSize(), 0) << "no elements";

    // Elements without a provider are skipped: text, numbers, empty objects, non-providers.
    ComPtr<IPersist> plain;
    CreateComObject<CPlain>(nullptr, IID_IPersist, plain.PutVoid());
    Variant text, number, nothing;
    V_VT(text.Put()) = VT_BSTR;
    V_BSTR(text.Ptr()) = SysAllocString(L"provider");
    V_VT(number.Put()) = VT_I4;
    V_I4(number.Ptr()) = 3;
    V_VT(nothing.Put()) = VT_DISPATCH;
    V_DISPATCH(nothing.Ptr()) = nullptr;
    EXPECT_EQ(store->PutPrintExts(VariantList({text, ObjectVariant(a.Get()), number, nothing, ObjectVariant(plain.Get()),
                                               ObjectVariant(nullptr), ObjectVariant(b.Get())}, -2).Get()), S_OK);
    EXPECT_EQ(ListSize(), 2);
}

TEST_F(ProviderInputTest, ReferencesAreFollowedOnce) {
    // An element that refers to a VARIANT holding a provider.
    VARIANT target = Unknown(b.Get());
    VARIANT ref;
    V_VT(&ref) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&ref) = &target;
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 2);
    Put(array, 0, Unknown(a.Get()));
    Put(array, 1, ref);
    // The array itself handed by reference, as VBScript passes a variable.
    VARIANT byRef;
    V_VT(&byRef) = VT_BYREF | VT_ARRAY | VT_VARIANT;
    V_ARRAYREF(&byRef) = &array;
    EXPECT_EQ(store->PutPrintExts(byRef), S_OK);
    EXPECT_EQ(ListSize(), 2);

    VARIANT outer;
    V_VT(&outer) = VT_BYREF | VT_VARIANT;
    VARIANT inner;
    V_VT(&inner) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(&inner) = array;
    V_VARIANTREF(&outer) = &inner;
    EXPECT_EQ(store->PutPrintExts(outer), S_OK);
    EXPECT_EQ(ListSize(), 2);
    SafeArrayDestroy(array);
}

TEST_F(ProviderInputTest, ArrayKnownOnlyByItsFeatureFlagsStillCounts) {
    SAFEARRAY* array = nullptr;
    ASSERT_EQ(SafeArrayAllocDescriptor(1, &array), S_OK);
    array->cbElements = sizeof(VARIANT);
    array->fFeatures = FADF_VARIANT;
    array->rgsabound[0].cElements = 1;
    array->rgsabound[0].lLbound = 0;
    ASSERT_EQ(SafeArrayAllocData(array), S_OK);
    Put(array, 0, Unknown(a.Get()));
    PutArray(array, VT_VARIANT);
    EXPECT_EQ(ListSize(), 1);
}

TEST_F(ProviderInputTest, WrappersAreSearchedOneLevelDeep) {
    CWrapper* w = nullptr;
    ComPtr<IDispatch> wrapper = Wrap(a.Get(), &w);
    VARIANT v;
    V_VT(&v) = VT_DISPATCH;
    V_DISPATCH(&v) = wrapper.Get();
    ComPtr<IPrintExt> found;
    EXPECT_TRUE(CHostEMFPages::GetPrintExtFromVariant(v, found));
    EXPECT_TRUE(SameObject(found.Get(), a.Get()));

    // A wrapper around a wrapper is not unwrapped twice.
    CWrapper* inner = nullptr;
    ComPtr<IDispatch> innerWrapper = Wrap(a.Get(), &inner);
    ComPtr<IDispatch> outer = Wrap(innerWrapper.Get());
    V_DISPATCH(&v) = outer.Get();
    EXPECT_FALSE(CHostEMFPages::GetPrintExtFromVariant(v, found));
    EXPECT_FALSE(found);
    EXPECT_EQ(inner->lookups, 0);

    // A wrapper that answers itself does not loop.
    CWrapper* self = nullptr;
    ComPtr<IDispatch> selfish = Wrap(nullptr, &self);
    self->inner = selfish.Get();
    V_DISPATCH(&v) = selfish.Get();
    EXPECT_FALSE(CHostEMFPages::GetPrintExtFromVariant(v, found));
    EXPECT_EQ(self->lookups, 1);
    self->inner.Reset();  // break the cycle

    // In a list, a wrapped provider counts like a bare one.
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT e;
    V_VT(&e) = VT_DISPATCH;
    V_DISPATCH(&e) = wrapper.Get();
    Put(array, 0, e);
    PutArray(array, VT_VARIANT);
    EXPECT_EQ(ListSize(), 1);
}

TEST_F(ProviderInputTest, ObjectsWithoutTheInterfaceChangeNothing) {
    ComPtr<IPersist> plain;
    CreateComObject<CPlain>(nullptr, IID_IPersist, plain.PutVoid());
    ASSERT_EQ(store->PutPrintExt(a.Get()), S_OK);
    EXPECT_EQ(store->SetPrintExt(plain.Get()), E_NOTIMPL);
    EXPECT_EQ(store->SetPrintExt(nullptr), E_NOTIMPL);
    EXPECT_EQ(store->PutPrintExt(plain.Get()), S_OK);
    ComPtr<IUnknown> current;
    store->GetPrintExt(current.Put());
    EXPECT_TRUE(SameObject(current.Get(), a.Get()));
    EXPECT_EQ(store->SetPrintExt(b.Get()), S_OK);
    store->GetPrintExt(current.Put());
    EXPECT_TRUE(SameObject(current.Get(), b.Get()));

    // A single provider handed as the list becomes the current provider.
    EXPECT_EQ(store->PutPrintExts(Unknown(a.Get())), S_OK);
    store->GetPrintExt(current.Put());
    EXPECT_TRUE(SameObject(current.Get(), a.Get()));
    EXPECT_EQ(ListSize(), 0);
    EXPECT_EQ(store->PutPrintExt(nullptr), S_OK);
    EXPECT_FALSE(store->HasProvider());
}

}  // namespace
