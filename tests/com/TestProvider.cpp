#include "TestProvider.h"

const QIEntry* CTestProvider::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CTestProvider, IPrintExt), {nullptr, nullptr}};
    return table;
}

STDMETHODIMP CTestProvider::DrawPage(VARIANT, long hdc, IDispatch* page, VARIANT_BOOL*) {
    if (!onDraw) return S_OK;
    ComPtr<IPage> p;
    long index = -1;
    if (page && SUCCEEDED(page->QueryInterface(IID_IPage, p.PutVoid()))) p->get_Index(&index);
    onDraw(reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc)), index);
    return S_OK;
}
