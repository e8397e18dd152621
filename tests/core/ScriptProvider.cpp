#include "ScriptProvider.h"

const QIEntry* CScriptProvider::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CScriptProvider, IPrintExt), {nullptr, nullptr}};
    return table;
}

ComPtr<IPrintExt> CScriptProvider::Make(const std::string& name, long pages, CScriptProvider** self) {
    ComPtr<IPrintExt> provider;
    CreateComObject<CScriptProvider>(nullptr, IID_IPrintExt, provider.PutVoid());
    auto* object = static_cast<CScriptProvider*>(provider.Get());
    object->name = name;
    object->pages = pages;
    if (self) *self = object;
    return provider;
}

STDMETHODIMP CScriptProvider::PageCount(VARIANT options, long* count) {
    countOptions = VariantToLong(options, 0);
    if (onPageCount) onPageCount();
    if (FAILED(countResult)) return countResult;
    *count = pages;
    return S_OK;
}

STDMETHODIMP CScriptProvider::DrawPage(VARIANT options, long hdc, IDispatch* page, VARIANT_BOOL* goOn) {
    DrawCall call;
    call.provider = name;
    call.dc = reinterpret_cast<HDC>(static_cast<LONG_PTR>(hdc));
    call.continueIn = *goOn;
    call.options = VariantToLong(options, 0);
    GetClipBox(call.dc, &call.clipBox);
    call.objectType = static_cast<int>(GetObjectType(call.dc));
    call.page = page;
    ComPtr<IPage> described;
    if (page && SUCCEEDED(page->QueryInterface(IID_IPage, described.PutVoid()))) {
        described->get_Index(&call.index);
        described->get_Left(&call.left);
        described->get_Top(&call.top);
        described->get_Width(&call.width);
        described->get_Height(&call.height);
        described->get_PageWidth(&call.pageWidth);
        described->get_PageHeight(&call.pageHeight);
    }
    if (draw) draw(call.dc, call.index);
    auto it = continueAt.find(call.index);
    if (it != continueAt.end()) *goOn = it->second;
    if (log) log->push_back(call);
    return drawResult;
}
