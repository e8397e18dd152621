#pragma once
// The many members of IAccessible in one place, for the thin accessible objects of our windows:
// a derived class answers a handful of questions about itself (child 0) and its simple children
// (1 to Children()), reading its window's state each time. Once the window is gone every member
// fails with CO_E_OBJNOTCONNECTED, whoever still holds the object.
#include <windows.h>
#include <oleacc.h>

#include <memory>
#include <string>

#include "ComObject.h"

// The window side of a weak link: accessible objects keep a copy of Get(), which points at the
// window's object until Cut() (the window's last message) and at nothing after.
template <class T>
class CAccessLink {
public:
    CAccessLink() = default;
    CAccessLink(const CAccessLink&) = delete;
    CAccessLink& operator=(const CAccessLink&) = delete;
    ~CAccessLink() { Cut(); }
    std::shared_ptr<T*> Get(T* self) {
        if (!link_) link_ = std::make_shared<T*>(self);
        return link_;
    }
    void Cut() {
        if (link_) *link_ = nullptr;
        link_.reset();
    }

private:
    std::shared_ptr<T*> link_;
};

// Gives `window` the keyboard focus and tells readers that it moved there.
void FocusAndTell(HWND window, LONG child = CHILDID_SELF);

class CAccessibleBase : public ComObject<IAccessible> {
    DECLARE_QI_TABLE(CAccessibleBase)
    // IDispatch: readers use IAccessible's own members; there is no type information.
    STDMETHODIMP GetTypeInfoCount(UINT* count) override;
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
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
    STDMETHODIMP get_accDescription(VARIANT child, BSTR* description) override;
    STDMETHODIMP get_accRole(VARIANT child, VARIANT* role) override;
    STDMETHODIMP get_accState(VARIANT child, VARIANT* state) override;
    STDMETHODIMP get_accHelp(VARIANT child, BSTR* help) override;
    STDMETHODIMP get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
    STDMETHODIMP get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    STDMETHODIMP get_accFocus(VARIANT* focus) override;
    STDMETHODIMP get_accSelection(VARIANT* selection) override;
    STDMETHODIMP get_accDefaultAction(VARIANT child, BSTR* action) override;
    STDMETHODIMP accSelect(long flags, VARIANT child) override;
    STDMETHODIMP accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
    STDMETHODIMP accNavigate(long direction, VARIANT start, VARIANT* end) override;
    STDMETHODIMP accHitTest(long x, long y, VARIANT* child) override;
    STDMETHODIMP accDoDefaultAction(VARIANT child) override;
    STDMETHODIMP put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
    STDMETHODIMP put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

    // The answer to WM_GETOBJECT for the window's client area; 0 (the system's own answer) for
    // other objects or when the object cannot be made.
    static LRESULT Answer(IAccessible* object, WPARAM wParam, LPARAM lParam);

protected:
    CAccessibleBase() : ComObject<IAccessible>(nullptr) {}

    // The window while its object lives; null once it is gone.
    virtual HWND Window() const = 0;
    virtual long Children() const { return 0; }
    // Texts are in the thread's ANSI code page; empty ones are answered as none (S_FALSE).
    virtual std::string Name(long child) const = 0;
    virtual std::string Description(long) const { return {}; }
    virtual std::string Value(long) const { return {}; }
    virtual std::string DefaultAction(long) const { return {}; }
    virtual long Role(long child) const = 0;
    virtual long State(long child) const = 0;
    // The child's rectangle in screen coordinates; false when it is not placed.
    virtual bool Location(long child, RECT& screen) const;
    // The child with the keyboard focus (0 the object itself), or -1 for none.
    virtual long Focused() const;
    virtual bool DoDefaultAction(long) { return false; }

private:
    // Checks the window and the child id; S_OK with the child number, or the error to answer.
    HRESULT Check(const VARIANT& child, long& number) const;
    HRESULT Text(const VARIANT& child, BSTR* out, std::string (CAccessibleBase::*read)(long) const) const;
    HRESULT Number(const VARIANT& child, VARIANT* out, long (CAccessibleBase::*read)(long) const) const;
    long ChildAt(POINT screen) const;
};
