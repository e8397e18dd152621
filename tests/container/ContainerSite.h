#pragma once
// A form designer's client site, windowless in-place site and ambient properties, on the
// test's stack, counting the references the control holds on it.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>

class ContainerSite : public IOleClientSite, public IOleInPlaceSiteWindowless, public IDispatch {
public:
    // `fail`: what every call but QueryInterface answers; `ambient`: whether IDispatch is offered.
    ContainerSite(HRESULT fail, bool ambient) : fail_(fail), ambient_(ambient) {}

    const COLORREF backColour = RGB(200, 40, 40);
    DWORD activatedWith = ~0u;  // flags of OnInPlaceActivateEx; ~0 when not active windowless
    LONG refs = 0;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
        if (!out) return E_POINTER;
        *out = nullptr;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite) *out = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite || iid == IID_IOleInPlaceSiteEx ||
                 iid == IID_IOleInPlaceSiteWindowless)
            *out = static_cast<IOleInPlaceSiteWindowless*>(this);
        else if (ambient_ && iid == IID_IDispatch) *out = static_cast<IDispatch*>(this);
        if (!*out) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++refs; }
    STDMETHODIMP_(ULONG) Release() override { return --refs; }

    STDMETHODIMP SaveObject() override { return fail_; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** m) override { *m = nullptr; return Fail(E_NOTIMPL); }
    STDMETHODIMP GetContainer(IOleContainer** c) override { *c = nullptr; return Fail(E_NOINTERFACE); }
    STDMETHODIMP ShowObject() override { return fail_; }
    STDMETHODIMP OnShowWindow(BOOL) override { return fail_; }
    STDMETHODIMP RequestNewObjectLayout() override { return Fail(E_NOTIMPL); }

    STDMETHODIMP GetWindow(HWND* w) override { *w = GetDesktopWindow(); return fail_; }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return Fail(E_NOTIMPL); }
    STDMETHODIMP CanInPlaceActivate() override { return fail_; }
    STDMETHODIMP OnInPlaceActivate() override { return fail_; }
    STDMETHODIMP OnUIActivate() override { return fail_; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame**, IOleInPlaceUIWindow**, LPRECT, LPRECT,
                                  LPOLEINPLACEFRAMEINFO) override { return Fail(E_NOTIMPL); }
    STDMETHODIMP Scroll(SIZE) override { return Fail(E_NOTIMPL); }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return fail_; }
    STDMETHODIMP OnInPlaceDeactivate() override { return fail_; }
    STDMETHODIMP DiscardUndoState() override { return fail_; }
    STDMETHODIMP DeactivateAndUndo() override { return fail_; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return fail_; }
    STDMETHODIMP OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override {
        if (noRedraw) *noRedraw = FALSE;
        if (SUCCEEDED(fail_)) activatedWith = flags;
        return fail_;
    }
    STDMETHODIMP OnInPlaceDeactivateEx(BOOL) override { activatedWith = ~0u; return fail_; }
    STDMETHODIMP RequestUIActivate() override { return fail_; }
    STDMETHODIMP CanWindowlessActivate() override { return fail_; }
    STDMETHODIMP GetCapture() override { return Fail(S_FALSE); }
    STDMETHODIMP SetCapture(BOOL) override { return fail_; }
    STDMETHODIMP GetFocus() override { return Fail(S_FALSE); }
    STDMETHODIMP SetFocus(BOOL) override { return fail_; }
    STDMETHODIMP GetDC(LPCRECT, DWORD, HDC* dc) override { *dc = nullptr; return Fail(E_NOTIMPL); }
    STDMETHODIMP ReleaseDC(HDC) override { return Fail(E_NOTIMPL); }
    STDMETHODIMP InvalidateRect(LPCRECT, BOOL) override { return fail_; }
    STDMETHODIMP InvalidateRgn(HRGN, BOOL) override { return fail_; }
    STDMETHODIMP ScrollRect(INT, INT, LPCRECT, LPCRECT) override { return Fail(E_NOTIMPL); }
    STDMETHODIMP AdjustRect(LPRECT) override { return fail_; }
    STDMETHODIMP OnDefWindowMessage(UINT, WPARAM, LPARAM, LRESULT* r) override { *r = 0; return Fail(S_FALSE); }

    // IDispatch: the ambient properties a designer answers.
    STDMETHODIMP GetTypeInfoCount(UINT* n) override { *n = 0; return fail_; }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return Fail(E_NOTIMPL); }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return Fail(E_NOTIMPL); }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) override {
        if (FAILED(fail_)) return fail_;
        if (!result) return E_POINTER;
        VariantInit(result);
        if (id != DISPID_AMBIENT_BACKCOLOR) return DISP_E_MEMBERNOTFOUND;
        V_VT(result) = VT_I4;
        V_I4(result) = LONG(backColour);
        return S_OK;
    }

private:
    HRESULT Fail(HRESULT otherwise) const { return FAILED(fail_) ? fail_ : otherwise; }
    HRESULT fail_;
    bool ambient_;
};
