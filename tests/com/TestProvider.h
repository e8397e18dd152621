#pragma once
// A page provider for tests, and a maker of test objects.
#include "ComObject.h"
#include "ComPtr.h"
#include "Tavrin_h.h"
#include <functional>

// A provider that reports `pages` and draws what `onDraw` draws, if anything.
class CTestProvider : public ComObject<IPrintExt> {
    DECLARE_QI_TABLE(CTestProvider)
    explicit CTestProvider(IUnknown* outer) : ComObject(outer) {}
    ~CTestProvider() override {
        if (released) *released = true;
    }
    STDMETHODIMP PageCount(VARIANT, long* count) override { *count = pages; return S_OK; }
    STDMETHODIMP DrawPage(VARIANT, long hdc, IDispatch* page, VARIANT_BOOL*) override;
    long pages = 1;
    std::function<void(HDC dc, long index)> onDraw;  // with the page's index from its IPage
    bool* released = nullptr;                        // set when the last reference goes
};

template <class T, class I>
ComPtr<I> Make() {
    ComPtr<I> p;
    CreateComObject<T>(nullptr, __uuidof(I), p.PutVoid());
    return p;
}
