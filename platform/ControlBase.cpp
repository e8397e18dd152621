#include "ControlBase.h"
#include "Gdi.h"
#include "Module.h"
#include <olectl.h>

namespace {

constexpr long kHimetricPerInch = 2540;

}  // namespace

CComControlBase::CComControlBase() = default;
CComControlBase::~CComControlBase() = default;

// --- IOleObject ---------------------------------------------------------

STDMETHODIMP CComControlBase::SetClientSite(IOleClientSite* site) {
    site_ = site;
    return S_OK;
}

STDMETHODIMP CComControlBase::GetClientSite(IOleClientSite** site) {
    if (!site) return E_POINTER;
    return site_.CopyTo(site);
}

STDMETHODIMP CComControlBase::Close(DWORD) {
    if (inPlaceActive_) InPlaceDeactivate();
    if (oleAdvise_) oleAdvise_->SendOnClose();
    oleAdvise_.Reset();
    dataAdvise_.Reset();
    viewSink_.Reset();
    return S_OK;
}

STDMETHODIMP CComControlBase::GetMoniker(DWORD, DWORD which, IMoniker** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return site_ ? site_->GetMoniker(OLEGETMONIKER_ONLYIFTHERE, which, out) : E_UNEXPECTED;
}

STDMETHODIMP CComControlBase::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND, LPCRECT pos) {
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE: {
        if (inPlaceActive_) return S_OK;
        if (site && !site_) site_ = site;
        if (!site_) return E_UNEXPECTED;
        if (FAILED(site_.As(inPlaceSite_))) return S_OK;  // not an in-place container: nothing to do
        HRESULT hr = inPlaceSite_->CanInPlaceActivate();
        if (hr != S_OK) {
            inPlaceSite_.Reset();
            return FAILED(hr) ? hr : S_OK;  // S_FALSE: the container declines, which is no error
        }
        // The control has no window of its own: a windowless site is told so, others get the classic call.
        ComPtr<IOleInPlaceSiteWindowless> windowless;
        if (SUCCEEDED(inPlaceSite_.As(windowless)) && windowless->CanWindowlessActivate() == S_OK) {
            hr = windowless->OnInPlaceActivateEx(nullptr, ACTIVATE_WINDOWLESS);
            windowless_ = SUCCEEDED(hr);
        } else {
            hr = inPlaceSite_->OnInPlaceActivate();
        }
        if (FAILED(hr)) {
            inPlaceSite_.Reset();
            return hr;
        }
        inPlaceActive_ = true;
        if (pos) pos_ = *pos;
        return S_OK;
    }
    case OLEIVERB_HIDE:
        return InPlaceDeactivate();
    case OLEIVERB_OPEN:
    case OLEIVERB_DISCARDUNDOSTATE:
        return S_OK;
    default:
        return verb < 0 ? E_NOTIMPL : OLEOBJ_S_INVALIDVERB;
    }
}

STDMETHODIMP CComControlBase::EnumVerbs(IEnumOLEVERB** out) {
    if (!out) return E_POINTER;
    return OleRegEnumVerbs(ControlClsid(), out);
}

STDMETHODIMP CComControlBase::GetUserClassID(CLSID* clsid) {
    if (!clsid) return E_POINTER;
    *clsid = ControlClsid();
    return S_OK;
}

STDMETHODIMP CComControlBase::GetUserType(DWORD form, LPOLESTR* type) {
    if (!type) return E_POINTER;
    return OleRegGetUserType(ControlClsid(), form, type);
}

STDMETHODIMP CComControlBase::SetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (!size) return E_POINTER;
    extent_ = *size;
    if (dataAdvise_) dataAdvise_->SendOnDataChange(static_cast<IDataObject*>(this), 0, 0);
    FireViewChange();
    return S_OK;
}

STDMETHODIMP CComControlBase::GetExtent(DWORD aspect, SIZEL* size) {
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    if (!size) return E_POINTER;
    *size = extent_;
    return S_OK;
}

STDMETHODIMP CComControlBase::Advise(IAdviseSink* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    if (!oleAdvise_) {
        HRESULT hr = CreateOleAdviseHolder(oleAdvise_.Put());
        if (FAILED(hr)) return hr;
    }
    return oleAdvise_->Advise(sink, cookie);
}

STDMETHODIMP CComControlBase::Unadvise(DWORD cookie) {
    return oleAdvise_ ? oleAdvise_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP CComControlBase::EnumAdvise(IEnumSTATDATA** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return oleAdvise_ ? oleAdvise_->EnumAdvise(out) : E_FAIL;
}

STDMETHODIMP CComControlBase::GetMiscStatus(DWORD, DWORD* status) {
    if (!status) return E_POINTER;
    *status = ControlMiscStatus();
    return S_OK;
}

// --- in-place, windowless -------------------------------------------------

STDMETHODIMP CComControlBase::GetWindow(HWND* wnd) {
    if (!wnd) return E_POINTER;
    *wnd = nullptr;
    return E_FAIL;  // windowless: drawing goes through IViewObject::Draw
}

STDMETHODIMP CComControlBase::InPlaceDeactivate() {
    if (!inPlaceActive_) return S_OK;
    inPlaceActive_ = false;
    ComPtr<IOleInPlaceSiteWindowless> windowless;
    if (windowless_ && SUCCEEDED(inPlaceSite_.As(windowless)))
        windowless->OnInPlaceDeactivateEx(TRUE);
    else if (inPlaceSite_)
        inPlaceSite_->OnInPlaceDeactivate();
    windowless_ = false;
    inPlaceSite_.Reset();
    return S_OK;
}

STDMETHODIMP CComControlBase::UIDeactivate() { return S_OK; }

STDMETHODIMP CComControlBase::SetObjectRects(LPCRECT pos, LPCRECT) {
    if (!pos) return E_POINTER;
    pos_ = *pos;
    return S_OK;
}

STDMETHODIMP CComControlBase::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) {
    if (result) *result = 0;
    return S_FALSE;
}

// --- IViewObjectEx ----------------------------------------------------------

STDMETHODIMP CComControlBase::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                                   LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR) {
    if (aspect != DVASPECT_CONTENT && aspect != DVASPECT_OPAQUE && aspect != DVASPECT_TRANSPARENT)
        return DV_E_DVASPECT;
    if (!dc) return E_INVALIDARG;
    RECT r;
    if (bounds) {
        r = {bounds->left, bounds->top, bounds->right, bounds->bottom};
    } else if (inPlaceActive_) {
        r = pos_;
    } else {
        return E_INVALIDARG;
    }
    OnDraw(dc, r);
    return S_OK;
}

STDMETHODIMP CComControlBase::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) {
    viewAspects_ = aspects;
    viewFlags_ = flags;
    viewSink_ = sink;
    return S_OK;
}

STDMETHODIMP CComControlBase::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) {
    if (aspects) *aspects = viewAspects_;
    if (flags) *flags = viewFlags_;
    if (sink) viewSink_.CopyTo(sink);
    return S_OK;
}

STDMETHODIMP CComControlBase::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size) {
    return GetExtent(aspect, size);
}

STDMETHODIMP CComControlBase::GetRect(DWORD aspect, LPRECTL rect) {
    if (!rect) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *rect = {pos_.left, pos_.top, pos_.right, pos_.bottom};
    return S_OK;
}

STDMETHODIMP CComControlBase::GetViewStatus(DWORD* status) {
    if (!status) return E_POINTER;
    *status = VIEWSTATUS_SOLIDBKGND | VIEWSTATUS_OPAQUE;
    return S_OK;
}

STDMETHODIMP CComControlBase::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT pt, LONG, DWORD* hit) {
    if (!bounds || !hit) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    *hit = PtInRect(bounds, pt) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP CComControlBase::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT rect, LONG, DWORD* hit) {
    if (!bounds || !rect || !hit) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return E_FAIL;
    RECT common;
    *hit = IntersectRect(&common, bounds, rect) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

STDMETHODIMP CComControlBase::GetNaturalExtent(DWORD aspect, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO* info,
                                               LPSIZEL size) {
    if (!info || !size) return E_POINTER;
    if (aspect != DVASPECT_CONTENT || info->dwExtentMode != DVEXTENT_CONTENT) return E_FAIL;
    *size = naturalExtent_;
    return S_OK;
}

// --- IOleControl --------------------------------------------------------------

STDMETHODIMP CComControlBase::GetControlInfo(CONTROLINFO* info) {
    if (!info) return E_POINTER;
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

STDMETHODIMP CComControlBase::FreezeEvents(BOOL freeze) {
    freezeEvents_ += freeze ? 1 : (freezeEvents_ > 0 ? -1 : 0);
    return S_OK;
}

// --- IDataObject ----------------------------------------------------------------

STDMETHODIMP CComControlBase::QueryGetData(FORMATETC* f) {
    if (!f) return E_POINTER;
    if (f->cfFormat != CF_ENHMETAFILE) return DV_E_FORMATETC;
    if (!(f->tymed & TYMED_ENHMF)) return DV_E_TYMED;
    if (f->dwAspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return S_OK;
}

STDMETHODIMP CComControlBase::GetData(FORMATETC* f, STGMEDIUM* medium) {
    if (!medium) return E_POINTER;
    HRESULT hr = QueryGetData(f);
    if (FAILED(hr)) return hr;
    SIZE px{MulDiv(extent_.cx, 96, kHimetricPerInch), MulDiv(extent_.cy, 96, kHimetricPerInch)};
    RECT frame{0, 0, extent_.cx, extent_.cy};
    HDC mf = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    if (!mf) return E_OUTOFMEMORY;
    SetMapMode(mf, MM_ANISOTROPIC);
    OnDraw(mf, RECT{0, 0, px.cx, px.cy});
    HENHMETAFILE emf = CloseEnhMetaFile(mf);
    if (!emf) return E_OUTOFMEMORY;
    medium->tymed = TYMED_ENHMF;
    medium->hEnhMetaFile = emf;
    medium->pUnkForRelease = nullptr;
    return S_OK;
}

STDMETHODIMP CComControlBase::GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) {
    if (out) out->ptd = nullptr;
    return DATA_S_SAMEFORMATETC;
}

STDMETHODIMP CComControlBase::EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) {
    if (!out) return E_POINTER;
    return OleRegEnumFormatEtc(ControlClsid(), direction, out);
}

STDMETHODIMP CComControlBase::DAdvise(FORMATETC* f, DWORD flags, IAdviseSink* sink, DWORD* cookie) {
    if (!cookie) return E_POINTER;
    if (!dataAdvise_) {
        HRESULT hr = CreateDataAdviseHolder(dataAdvise_.Put());
        if (FAILED(hr)) return hr;
    }
    return dataAdvise_->Advise(static_cast<IDataObject*>(this), f, flags, sink, cookie);
}

STDMETHODIMP CComControlBase::DUnadvise(DWORD cookie) {
    return dataAdvise_ ? dataAdvise_->Unadvise(cookie) : OLE_E_NOCONNECTION;
}

STDMETHODIMP CComControlBase::EnumDAdvise(IEnumSTATDATA** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return dataAdvise_ ? dataAdvise_->EnumAdvise(out) : E_FAIL;
}

// --- IProvideClassInfo2 -----------------------------------------------------------

STDMETHODIMP CComControlBase::GetClassInfo(ITypeInfo** info) {
    return CModule::GetTypeInfo(ControlClsid(), info);
}

STDMETHODIMP CComControlBase::GetGUID(DWORD kind, GUID* guid) {
    if (!guid) return E_POINTER;
    *guid = GUID_NULL;
    if (kind != GUIDKIND_DEFAULT_SOURCE_DISP_IID) return E_INVALIDARG;
    *guid = ControlEventsIid();
    return S_OK;
}

// --- helpers -------------------------------------------------------------------------

HRESULT CComControlBase::GetAmbientProperty(DISPID id, VARIANT* out) const {
    VariantInit(out);
    if (!site_) return E_FAIL;
    ComPtr<IDispatch> ambient;
    HRESULT hr = site_.As(ambient);
    if (FAILED(hr)) return hr;
    DISPPARAMS none = {nullptr, nullptr, 0, 0};
    return ambient->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, out, nullptr, nullptr);
}

void CComControlBase::FireViewChange() {
    if (inPlaceActive_ && inPlaceSite_) {
        ComPtr<IOleInPlaceSiteWindowless> windowless;
        if (SUCCEEDED(inPlaceSite_.As(windowless))) windowless->InvalidateRect(nullptr, TRUE);
    }
    if (viewSink_) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}
