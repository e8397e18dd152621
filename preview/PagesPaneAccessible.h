#pragma once
// What a screen reader sees of the pages pane: a list whose items are the thumbnails
// ("Page 5"), the current page selected. It keeps no state of its own: it reads the pane
// behind its window each time, and answers RPC_E_DISCONNECTED once that window is gone.
#include <windows.h>
#include <oleacc.h>
#include "ComObject.h"
#include "ComPtr.h"

class CPrintPagesPane;

class CPagesPaneAccessible : public ComObject<IAccessible> {
public:
    explicit CPagesPaneAccessible(IUnknown* outer) : ComObject(outer) {}
    // A new object for the pane window `hwnd`; null when it cannot be made.
    static ComPtr<IAccessible> Make(HWND hwnd);

    // IDispatch: no type information; clients call the IAccessible methods.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    STDMETHODIMP get_accParent(IDispatch** parent) override;
    STDMETHODIMP get_accChildCount(long* count) override;
    STDMETHODIMP get_accChild(VARIANT child, IDispatch** out) override;
    STDMETHODIMP get_accName(VARIANT child, BSTR* name) override;
    STDMETHODIMP get_accValue(VARIANT child, BSTR* value) override;
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* text) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* text) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
    STDMETHODIMP get_accFocus(VARIANT* child) override;
    STDMETHODIMP get_accSelection(VARIANT* children) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* text) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

protected:
    const QIEntry* QITable() const override;
    void* Self() override { return this; }

private:
    // The pane, or null once its window is gone.
    CPrintPagesPane* Pane() const;
    // A child id of the pane: 0 the pane itself, 1 .. count the thumbnails; -1 for anything else.
    long ChildOf(const VARIANT& child, const CPrintPagesPane& pane) const;

    HWND hwnd_ = nullptr;
};
