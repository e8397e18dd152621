// What a host may hand over as providers, and what the store keeps of it.
#include "RecordingTest.h"

namespace {

// A script-side wrapper (a form's extender) that holds the real object in its "Object" member.
class CWrapper : public ComObject<IDispatch> {
    DECLARE_QI_TABLE(CWrapper)
    explicit CWrapper(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT, LCID, DISPID* ids) override {
        *ids = 7;
        return lstrcmpiW(names[0], L"Object") ? DISP_E_UNKNOWNNAME : S_OK;
    }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        return id == 7 && result ? VariantCopy(result, inner.Ptr()) : DISP_E_MEMBERNOTFOUND;
    }
    Variant inner;  // what "Object" answers
    static CWrapper* Make(Variant inner, std::vector<ComPtr<IDispatch>>& keep) {
        keep.emplace_back();
        CreateComObject<CWrapper>(nullptr, IID_IDispatch, keep.back().PutVoid());
        auto* w = static_cast<CWrapper*>(keep.back().Get());
        w->inner = inner;
        return w;
    }
};
const QIEntry* CWrapper::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CWrapper, IDispatch), {nullptr, nullptr}};
    return table;
}

Variant ArrayVariant(SAFEARRAY* array, VARTYPE type = VT_VARIANT) {
    Variant v;
    V_VT(v.Put()) = static_cast<VARTYPE>(VT_ARRAY | type);
    V_ARRAY(v.Ptr()) = array;
    return v;
}

class ProviderInputTest : public RecordingTest {
protected:
    long ListSize() {
        Variant list;
        store->GetPrintExts(list.Put());
        LONG upper = -1;
        if (list.Type() == (VT_ARRAY | VT_VARIANT)) SafeArrayGetUBound(V_ARRAY(&list.Get()), 1, &upper);
        return upper + 1;
    }
    CScriptProvider* a = Provider("A", 1);
    CScriptProvider* b = Provider("B", 1);
    std::vector<ComPtr<IDispatch>> wrappers;
};

TEST_F(ProviderInputTest, ListsTakeTheProvidersOfOneDimensionalVariantArrays) {
    IUnknown* plain = CWrapper::Make(Variant(), wrappers);  // wraps nothing: no provider
    LONG at[2] = {0, 0};
    Variant objects = ArrayVariant(SafeArrayCreateVector(VT_UNKNOWN, 0, 1), VT_UNKNOWN);
    SafeArrayPutElement(V_ARRAY(objects.Ptr()), at, static_cast<IUnknown*>(a));
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    Variant square = ArrayVariant(SafeArrayCreate(VT_VARIANT, 2, bounds));
    SafeArrayPutElement(V_ARRAY(square.Ptr()), at, ObjectVariant(a).Ptr());
    Variant none = ArrayVariant(SafeArrayCreateVector(VT_VARIANT, 0, 0));
    SAFEARRAY* flagged = nullptr;  // an array known only by its feature flags
    ASSERT_EQ(SafeArrayAllocDescriptor(1, &flagged), S_OK);
    flagged->cbElements = sizeof(VARIANT);
    flagged->fFeatures = FADF_VARIANT;
    flagged->rgsabound[0] = {1, 0};
    ASSERT_EQ(SafeArrayAllocData(flagged), S_OK);
    Variant flaggedList = ArrayVariant(flagged);
    SafeArrayPutElement(flagged, at, ObjectVariant(a).Ptr());
    // Elements without a provider are skipped: text, numbers, empty objects, non-providers.
    Variant mixed = VariantList({TextVariant("provider"), ObjectVariant(a), NumberVariant(3), DispatchVariant(nullptr),
                                 ObjectVariant(plain), ObjectVariant(b)}, -2);
    // VBScript passes variables by reference: the array, or a VARIANT holding it or a provider.
    Variant target = ObjectVariant(b);
    VARIANT ref, arrayRef, variantRef;
    V_VT(&ref) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&ref) = target.Ptr();
    Variant byRefList = VariantList({ObjectVariant(a), Variant(ref)});
    V_VT(&arrayRef) = VT_BYREF | VT_ARRAY | VT_VARIANT;
    V_ARRAYREF(&arrayRef) = &V_ARRAY(byRefList.Ptr());
    V_VT(&variantRef) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&variantRef) = byRefList.Ptr();
    CWrapper* wrapper = CWrapper::Make(ObjectVariant(a), wrappers);
    Variant wrapped = VariantList({DispatchVariant(wrapper)});
    Variant wrappedTwice = VariantList({DispatchVariant(CWrapper::Make(DispatchVariant(wrapper), wrappers))});
    const struct {
        const char* what;
        const VARIANT* value;
        long size;
    } cases[] = {
        {"objects, not VARIANTs", &objects.Get(), 0}, {"two dimensions", &square.Get(), 0},
        {"no elements", &none.Get(), 0},              {"mixed", &mixed.Get(), 2},
        {"array by reference", &arrayRef, 2},         {"variant by reference", &variantRef, 2},
        {"feature flags only", &flaggedList.Get(), 1}, {"wrapped provider", &wrapped.Get(), 1},
        {"wrapped twice: unwrapped once only", &wrappedTwice.Get(), 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store->PutPrintExts(*c.value), S_OK) << c.what;
        EXPECT_EQ(ListSize(), c.size) << c.what;
    }
}

TEST_F(ProviderInputTest, ObjectsWithoutTheInterfaceChangeNothing) {
    IUnknown* plain = CWrapper::Make(Variant(), wrappers);
    ComPtr<IUnknown> current;
    ASSERT_EQ(store->PutPrintExt(a), S_OK);
    EXPECT_EQ(store->SetPrintExt(plain), E_NOTIMPL);
    EXPECT_EQ(store->SetPrintExt(nullptr), E_NOTIMPL);
    EXPECT_EQ(store->PutPrintExt(plain), S_OK);
    EXPECT_TRUE(store->HasProvider());
    // A single provider handed as the list becomes the current provider.
    EXPECT_EQ(store->PutPrintExts(ObjectVariant(b).Get()), S_OK);
    store->GetPrintExt(current.Put());
    EXPECT_TRUE(SameObject(current.Get(), b));
    EXPECT_EQ(store->PutPrintExt(nullptr), S_OK);
    EXPECT_FALSE(store->HasProvider());
}

}  // namespace
