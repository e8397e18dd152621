#include "CHostEMFPages.h"
#include "Text.h"
#include <olectl.h>

namespace {

// Guards the one-level "Object" lookup; a plain counter, the store runs on one thread.
int g_objectLookupDepth = 0;

// The element type of a SAFEARRAY, from its type when readable, else from its features.
VARTYPE ArrayElementType(SAFEARRAY* array) {
    VARTYPE vt = VT_EMPTY;
    if (SUCCEEDED(SafeArrayGetVartype(array, &vt))) return vt;
    if (array->fFeatures & FADF_VARIANT) return VT_VARIANT;
    return VT_EMPTY;
}

}  // namespace

CHostEMFPages::CHostEMFPages() {
    documentCaption_.Caption = Bstr(L"Untitled Document");
    documentCaption_.Position = kHeader;
    documentCaption_.Alignment = kAlignCenter;

    FONTDESC desc{sizeof(FONTDESC), const_cast<LPOLESTR>(L"Times New Roman"), {100000, 0}, FW_NORMAL,
                  1 /* DEFAULT_CHARSET */, FALSE, FALSE, FALSE};
    OleCreateFontIndirect(&desc, IID_IFont, font_.PutVoid());

    if (SUCCEEDED(CreateComObject<CPage>(nullptr, IID_IPage, pageObject_.PutVoid())))
        page_ = static_cast<CPage*>(pageObject_.Get());
}

CHostEMFPages::~CHostEMFPages() = default;

bool CHostEMFPages::GetPrintExtFromVariant(const VARIANT& value, ComPtr<IPrintExt>& found) {
    found.Reset();
    switch (V_VT(&value)) {
    case VT_UNKNOWN:
        return V_UNKNOWN(&value) &&
               SUCCEEDED(V_UNKNOWN(&value)->QueryInterface(IID_IPrintExt, found.PutVoid()));
    case VT_DISPATCH: {
        IDispatch* disp = V_DISPATCH(&value);
        if (!disp) return false;
        if (SUCCEEDED(disp->QueryInterface(IID_IPrintExt, found.PutVoid()))) return true;
        if (g_objectLookupDepth > 0) return false;
        // Script wrappers (a form's control extender, for example) hold the real object in "Object".
        ++g_objectLookupDepth;
        bool ok = false;
        OLECHAR name[] = L"Object";
        LPOLESTR names[] = {name};
        DISPID id = DISPID_UNKNOWN;
        if (SUCCEEDED(disp->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
            DISPPARAMS none = {nullptr, nullptr, 0, 0};
            Variant inner;
            if (SUCCEEDED(disp->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET,
                                       &none, inner.Put(), nullptr, nullptr)))
                ok = GetPrintExtFromVariant(inner.Get(), found);
        }
        --g_objectLookupDepth;
        return ok;
    }
    default:
        return false;
    }
}

HRESULT CHostEMFPages::SetPrintExt(IUnknown* object) {
    if (!object) return E_NOTIMPL;
    ComPtr<IPrintExt> provider;
    if (FAILED(object->QueryInterface(IID_IPrintExt, provider.PutVoid()))) return E_NOTIMPL;
    if (provider != currentProvider_) currentProvider_ = provider;
    return S_OK;
}

HRESULT CHostEMFPages::PutPrintExt(IUnknown* object) {
    if (!object) {
        ReleaseProviders();
        return S_OK;
    }
    SetPrintExt(object);  // an object without IPrintExt is ignored
    return S_OK;
}

HRESULT CHostEMFPages::GetPrintExt(IUnknown** out) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (!currentProvider_) return S_OK;
    return currentProvider_->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(out));
}

HRESULT CHostEMFPages::PutPrintExts(const VARIANT& value) {
    ReleaseProviders();
    ComPtr<IPrintExt> single;
    if (GetPrintExtFromVariant(value, single)) return PutPrintExt(single.Get());

    const VARIANT* v = &value;
    if (V_VT(v) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(v)) v = V_VARIANTREF(v);
    if (!(V_VT(v) & VT_ARRAY)) return S_OK;
    SAFEARRAY* array = (V_VT(v) & VT_BYREF) ? (V_ARRAYREF(v) ? *V_ARRAYREF(v) : nullptr) : V_ARRAY(v);
    if (!array || SafeArrayGetDim(array) != 1 || ArrayElementType(array) != VT_VARIANT) return S_OK;
    LONG lower = 0, upper = -1;
    SafeArrayGetLBound(array, 1, &lower);
    SafeArrayGetUBound(array, 1, &upper);
    for (LONG i = lower; i <= upper; ++i) {
        Variant element;
        if (FAILED(SafeArrayGetElement(array, &i, element.Put()))) continue;
        const VARIANT* e = &element.Get();
        if (V_VT(e) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(e)) e = V_VARIANTREF(e);
        ComPtr<IPrintExt> provider;
        if (GetPrintExtFromVariant(*e, provider)) providers_.push_back(provider);
    }
    return S_OK;
}

HRESULT CHostEMFPages::GetPrintExts(VARIANT* out) const {
    if (!out) return E_POINTER;
    VariantInit(out);
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(providers_.size()));
    if (!array) return S_OK;
    for (LONG i = 0; i < static_cast<LONG>(providers_.size()); ++i) {
        VARIANT element;
        V_VT(&element) = VT_UNKNOWN;
        V_UNKNOWN(&element) = nullptr;
        providers_[i]->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&V_UNKNOWN(&element)));
        SafeArrayPutElement(array, &i, &element);  // copies, adding its own reference
        VariantClear(&element);
    }
    V_VT(out) = VT_ARRAY | VT_VARIANT;
    V_ARRAY(out) = array;
    return S_OK;
}

void CHostEMFPages::ReleaseProviders() {
    // A host that sets PrintExt to Nothing or hands a new PrintExts collection means to drop
    // what it gave before, open preview or not; the Print object closes the preview first.
    providers_.clear();
    currentProvider_.Reset();
}

void CHostEMFPages::SetExtraCaption(const std::string& key, const std::string& caption, long position,
                                    long alignment) {
    if (key.empty()) {
        extraCaptions_.clear();
    } else if (caption.empty()) {
        extraCaptions_.erase(key);
    } else {
        ExtraCaption& entry = extraCaptions_[key];
        entry.Caption = Bstr::FromAnsi(caption);
        entry.Position = position;
        entry.Alignment = alignment;
    }
}
