#pragma once
// A page provider for tests.
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
    STDMETHODIMP DrawPage(VARIANT, long hdc, IDispatch* page, VARIANT_BOOL*) override {
        ComPtr<IPage> p;
        long index = -1;
        if (page && SUCCEEDED(page->QueryInterface(IID_IPage, p.PutVoid()))) p->get_Index(&index);
        page_ = p;
        if (onDraw) onDraw(reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc)), index);
        page_.Reset();
        return S_OK;
    }
    long pages = 1;
    std::function<void(HDC dc, long index)> onDraw;  // with the page's index from its IPage
    bool* released = nullptr;                        // set when the last reference goes
    IPage* Page() const { return page_.Get(); }      // the page being drawn, inside onDraw

private:
    ComPtr<IPage> page_;
};

inline const QIEntry* CTestProvider::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CTestProvider, IPrintExt), {nullptr, nullptr}};
    return table;
}

inline ComPtr<IPrintExt> NewProvider() {
    ComPtr<IPrintExt> p;
    CreateComObject<CTestProvider>(nullptr, IID_IPrintExt, p.PutVoid());
    return p;
}
