#pragma once
// Minimal page providers and helper objects for tests.
#include "ComObject.h"
#include "ComPtr.h"
#include "Tavrin_h.h"

// A provider that reports `pages` and draws nothing.
class CTestProvider : public ComObject<IPrintExt> {
    DECLARE_QI_TABLE(CTestProvider)
    explicit CTestProvider(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP PageCount(VARIANT, long* count) override { *count = pages; return S_OK; }
    STDMETHODIMP DrawPage(VARIANT, long, IDispatch*, VARIANT_BOOL*) override { return S_OK; }
    long pages = 1;
};

// An object that is not a provider.
class CPlainObject : public ComObject<IPersist> {
    DECLARE_QI_TABLE(CPlainObject)
    explicit CPlainObject(IUnknown* outer) : ComObject(outer) {}
    STDMETHODIMP GetClassID(CLSID* clsid) override { *clsid = GUID_NULL; return S_OK; }
};

template <class T, class I>
ComPtr<I> Make() {
    ComPtr<I> p;
    CreateComObject<T>(nullptr, __uuidof(I), p.PutVoid());
    return p;
}
