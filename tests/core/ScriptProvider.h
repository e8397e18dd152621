#pragma once
// A page provider whose answers a test sets up, and which writes down what
// the store hands it on every call.
#include "ComObject.h"
#include "ComPtr.h"
#include "Tavrin_h.h"
#include "Variant.h"
#include <functional>
#include <map>
#include <string>
#include <vector>

// What one DrawPage call saw.
struct DrawCall {
    std::string provider;
    long index = -1;  // IPage Index
    HDC dc = nullptr;
    VARIANT_BOOL continueIn = 0;
    long options = 0;  // Options as a number
    RECT clipBox{};    // GetClipBox of the context handed over
    int objectType = 0;
    IDispatch* page = nullptr;
    double left = 0, top = 0, width = 0, height = 0, pageWidth = 0, pageHeight = 0;
};

class CScriptProvider : public ComObject<IPrintExt> {
    DECLARE_QI_TABLE(CScriptProvider)
    explicit CScriptProvider(IUnknown* outer) : ComObject(outer) {}

    STDMETHODIMP PageCount(VARIANT options, long* count) override;
    STDMETHODIMP DrawPage(VARIANT options, long hdc, IDispatch* page, VARIANT_BOOL* goOn) override;

    // Builds a provider; `self` receives the object behind the interface.
    static ComPtr<IPrintExt> Make(const std::string& name, long pages, CScriptProvider** self = nullptr);

    std::string name;
    long pages = 1;
    HRESULT countResult = S_OK;
    HRESULT drawResult = S_OK;
    std::map<long, VARIANT_BOOL> continueAt;       // local index -> value left in the flag
    std::function<void(HDC dc, long index)> draw;  // the drawing itself
    std::function<void()> onPageCount;
    std::vector<DrawCall>* log = nullptr;  // shared by providers to see their order
    long countOptions = 0;
    ULONG References() { AddRef(); return Release(); }
};
