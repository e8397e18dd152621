#include "AccessibleBase.h"

#include "Text.h"

namespace {

const QIEntry kTable[] = {QI_ENTRY(CAccessibleBase, IAccessible), QI_ENTRY(CAccessibleBase, IDispatch), {nullptr, nullptr}};

}  // namespace

void FocusAndTell(HWND window, LONG child) {
    if (!window || !IsWindow(window)) return;
    SetFocus(window);
    NotifyWinEvent(EVENT_OBJECT_FOCUS, window, OBJID_CLIENT, child);
}

const QIEntry* CAccessibleBase::QITable() const { return kTable; }

LRESULT CAccessibleBase::Answer(IAccessible* object, WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT || !object) return 0;
    const LRESULT result = LresultFromObject(IID_IAccessible, wParam, object);
    return result < 0 ? 0 : result;  // a failure code: let the system answer
}

STDMETHODIMP CAccessibleBase::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

HRESULT CAccessibleBase::Check(const VARIANT& child, long& number) const {
    if (!Window()) return CO_E_OBJNOTCONNECTED;
    if (V_VT(&child) != VT_I4 || V_I4(&child) < 0 || V_I4(&child) > Children()) return E_INVALIDARG;
    number = V_I4(&child);
    return S_OK;
}

HRESULT CAccessibleBase::Text(const VARIANT& child, BSTR* out, std::string (CAccessibleBase::*read)(long) const) const {
    if (!out) return E_POINTER;
    *out = nullptr;
    long number = 0;
    if (HRESULT hr = Check(child, number); FAILED(hr)) return hr;
    const std::string text = (this->*read)(number);
    if (text.empty()) return S_FALSE;
    return ReturnAnsi(text, out);
}

STDMETHODIMP CAccessibleBase::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    HWND window = Window();
    if (!window) return CO_E_OBJNOTCONNECTED;
    // The system's object for our window (frame and all) is the parent of its client area.
    return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), IID_IDispatch,
                                      reinterpret_cast<void**>(parent));
}

STDMETHODIMP CAccessibleBase::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    if (!Window()) return CO_E_OBJNOTCONNECTED;
    *count = Children();
    return S_OK;
}

STDMETHODIMP CAccessibleBase::get_accChild(VARIANT child, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    long number = 0;
    if (HRESULT hr = Check(child, number); FAILED(hr)) return hr;
    return number == 0 ? E_INVALIDARG : S_FALSE;  // children are simple elements, no objects
}

STDMETHODIMP CAccessibleBase::get_accName(VARIANT child, BSTR* name) { return Text(child, name, &CAccessibleBase::Name); }
STDMETHODIMP CAccessibleBase::get_accValue(VARIANT child, BSTR* value) {
    return Text(child, value, &CAccessibleBase::Value);
}
STDMETHODIMP CAccessibleBase::get_accDescription(VARIANT child, BSTR* description) {
    return Text(child, description, &CAccessibleBase::Description);
}
STDMETHODIMP CAccessibleBase::get_accDefaultAction(VARIANT child, BSTR* action) {
    return Text(child, action, &CAccessibleBase::DefaultAction);
}

HRESULT CAccessibleBase::Number(const VARIANT& child, VARIANT* out, long (CAccessibleBase::*read)(long) const) const {
    if (!out) return E_POINTER;
    VariantInit(out);
    long number = 0;
    if (HRESULT hr = Check(child, number); FAILED(hr)) return hr;
    V_VT(out) = VT_I4;
    V_I4(out) = (this->*read)(number);
    return S_OK;
}

STDMETHODIMP CAccessibleBase::get_accRole(VARIANT child, VARIANT* role) { return Number(child, role, &CAccessibleBase::Role); }

STDMETHODIMP CAccessibleBase::get_accState(VARIANT child, VARIANT* state) {
    return Number(child, state, &CAccessibleBase::State);
}

STDMETHODIMP CAccessibleBase::get_accHelp(VARIANT child, BSTR* help) {
    if (!help) return E_POINTER;
    *help = nullptr;
    long number = 0;
    const HRESULT hr = Check(child, number);
    return FAILED(hr) ? hr : S_FALSE;
}

STDMETHODIMP CAccessibleBase::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
    if (!file || !topic) return E_POINTER;
    *file = nullptr;
    *topic = 0;
    long number = 0;
    const HRESULT hr = Check(child, number);
    return FAILED(hr) ? hr : S_FALSE;
}

STDMETHODIMP CAccessibleBase::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) { return get_accHelp(child, shortcut); }

STDMETHODIMP CAccessibleBase::get_accFocus(VARIANT* focus) {
    if (!focus) return E_POINTER;
    VariantInit(focus);
    if (!Window()) return CO_E_OBJNOTCONNECTED;
    const long focused = Focused();
    if (focused < 0) return S_FALSE;
    V_VT(focus) = VT_I4;
    V_I4(focus) = focused;
    return S_OK;
}

STDMETHODIMP CAccessibleBase::get_accSelection(VARIANT* selection) {
    if (!selection) return E_POINTER;
    VariantInit(selection);
    return Window() ? S_FALSE : CO_E_OBJNOTCONNECTED;
}

STDMETHODIMP CAccessibleBase::accSelect(long flags, VARIANT child) {
    long number = 0;
    if (HRESULT hr = Check(child, number); FAILED(hr)) return hr;
    if (flags != SELFLAG_TAKEFOCUS || number != 0) return S_FALSE;
    FocusAndTell(Window());
    return S_OK;
}

bool CAccessibleBase::Location(long child, RECT& screen) const {
    return child == 0 && GetWindowRect(Window(), &screen);
}

long CAccessibleBase::Focused() const { return GetFocus() == Window() ? 0 : -1; }

STDMETHODIMP CAccessibleBase::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    long number = 0;
    if (HRESULT hr = Check(child, number); FAILED(hr)) return hr;
    RECT r{};
    if (!Location(number, r)) return S_FALSE;
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

long CAccessibleBase::ChildAt(POINT screen) const {
    RECT r{};
    for (long i = 1; i <= Children(); ++i)
        if (Location(i, r) && PtInRect(&r, screen)) return i;
    return Location(0, r) && PtInRect(&r, screen) ? 0 : -1;
}

STDMETHODIMP CAccessibleBase::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    if (!Window()) return CO_E_OBJNOTCONNECTED;
    const long found = ChildAt(POINT{x, y});
    if (found < 0) return S_FALSE;
    V_VT(child) = VT_I4;
    V_I4(child) = found;
    return S_OK;
}

STDMETHODIMP CAccessibleBase::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    long from = 0;
    if (HRESULT hr = Check(start, from); FAILED(hr)) return hr;
    const long count = Children();
    long to = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = from == 0 && count > 0 ? 1 : 0; break;
    case NAVDIR_LASTCHILD: to = from == 0 && count > 0 ? count : 0; break;
    case NAVDIR_NEXT: case NAVDIR_RIGHT: case NAVDIR_DOWN: to = from > 0 && from < count ? from + 1 : 0; break;
    case NAVDIR_PREVIOUS: case NAVDIR_LEFT: case NAVDIR_UP: to = from > 1 ? from - 1 : 0; break;
    default: return E_INVALIDARG;
    }
    if (to == 0) return S_FALSE;
    V_VT(end) = VT_I4;
    V_I4(end) = to;
    return S_OK;
}

STDMETHODIMP CAccessibleBase::accDoDefaultAction(VARIANT child) {
    long number = 0;
    if (HRESULT hr = Check(child, number); FAILED(hr)) return hr;
    return DoDefaultAction(number) ? S_OK : DISP_E_MEMBERNOTFOUND;
}
