#include "PagesPaneAccessible.h"
#include "CPrintPagesPane.h"
#include "Text.h"

namespace {

HRESULT ReturnEmpty(BSTR* out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    return S_FALSE;
}

void SetLong(VARIANT* v, long value) {
    VariantInit(v);
    v->vt = VT_I4;
    v->lVal = value;
}

}  // namespace

ComPtr<IAccessible> CPagesPaneAccessible::Make(HWND hwnd) {
    ComPtr<IAccessible> made;
    if (FAILED(CreateComObject<CPagesPaneAccessible>(nullptr, __uuidof(IAccessible), made.PutVoid()))) return {};
    static_cast<CPagesPaneAccessible*>(made.Get())->hwnd_ = hwnd;
    return made;
}

const QIEntry* CPagesPaneAccessible::QITable() const {
    static const QIEntry table[] = {QI_ENTRY(CPagesPaneAccessible, IDispatch),
                                    QI_ENTRY(CPagesPaneAccessible, IAccessible), {nullptr, nullptr}};
    return table;
}

CPrintPagesPane* CPagesPaneAccessible::Pane() const { return CPrintPagesPane::FromWindow(hwnd_); }

long CPagesPaneAccessible::ChildOf(const VARIANT& child, const CPrintPagesPane& pane) const {
    if (child.vt != VT_I4) return -1;
    return child.lVal >= 0 && child.lVal <= pane.PageCount() ? child.lVal : -1;
}

STDMETHODIMP CPagesPaneAccessible::GetTypeInfoCount(UINT* count) {
    if (!count) return E_POINTER;
    *count = 0;
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info) *info = nullptr;
    return E_NOTIMPL;
}

STDMETHODIMP CPagesPaneAccessible::get_accParent(IDispatch** parent) {
    if (!parent) return E_POINTER;
    *parent = nullptr;
    if (!Pane()) return RPC_E_DISCONNECTED;
    return CreateStdAccessibleObject(hwnd_, OBJID_WINDOW, IID_IDispatch, reinterpret_cast<void**>(parent));
}

STDMETHODIMP CPagesPaneAccessible::get_accChildCount(long* count) {
    if (!count) return E_POINTER;
    *count = 0;
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    *count = pane->PageCount();
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::get_accChild(VARIANT child, IDispatch** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    return ChildOf(child, *pane) > 0 ? S_FALSE : E_INVALIDARG;  // thumbnails are simple elements
}

STDMETHODIMP CPagesPaneAccessible::get_accName(VARIANT child, BSTR* name) {
    if (!name) return E_POINTER;
    *name = nullptr;
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    const long id = ChildOf(child, *pane);
    if (id < 0) return E_INVALIDARG;
    return ReturnAnsi(id == 0 ? pane->PaneName() : pane->PageName(id - 1), name);
}

STDMETHODIMP CPagesPaneAccessible::get_accValue(VARIANT, BSTR* value) { return ReturnEmpty(value); }
STDMETHODIMP CPagesPaneAccessible::get_accDescription(VARIANT, BSTR* text) { return ReturnEmpty(text); }
STDMETHODIMP CPagesPaneAccessible::get_accHelp(VARIANT, BSTR* text) { return ReturnEmpty(text); }
STDMETHODIMP CPagesPaneAccessible::get_accKeyboardShortcut(VARIANT, BSTR* text) { return ReturnEmpty(text); }

STDMETHODIMP CPagesPaneAccessible::get_accHelpTopic(BSTR* file, VARIANT, long* topic) {
    if (topic) *topic = 0;
    return ReturnEmpty(file);
}

STDMETHODIMP CPagesPaneAccessible::get_accRole(VARIANT child, VARIANT* role) {
    if (!role) return E_POINTER;
    VariantInit(role);
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    const long id = ChildOf(child, *pane);
    if (id < 0) return E_INVALIDARG;
    SetLong(role, id == 0 ? ROLE_SYSTEM_LIST : ROLE_SYSTEM_LISTITEM);
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::get_accState(VARIANT child, VARIANT* state) {
    if (!state) return E_POINTER;
    VariantInit(state);
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    const long id = ChildOf(child, *pane);
    if (id < 0) return E_INVALIDARG;
    const bool focused = GetFocus() == hwnd_;
    long bits = 0;
    if (id == 0) {
        bits = STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0) | (IsWindowVisible(hwnd_) ? 0 : STATE_SYSTEM_INVISIBLE);
    } else {
        const RECT r = pane->ThumbnailOnScreen(id - 1);
        const bool current = id - 1 == pane->CurrentPage();
        bits = STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | (current ? STATE_SYSTEM_SELECTED : 0) |
               (current && focused ? STATE_SYSTEM_FOCUSED : 0) | (IsRectEmpty(&r) ? STATE_SYSTEM_OFFSCREEN : 0);
    }
    SetLong(state, bits);
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::get_accFocus(VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    if (GetFocus() != hwnd_) return S_FALSE;
    SetLong(child, pane->PageCount() > 0 ? pane->CurrentPage() + 1 : CHILDID_SELF);
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::get_accSelection(VARIANT* children) {
    if (!children) return E_POINTER;
    VariantInit(children);
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    if (pane->PageCount() <= 0) return S_FALSE;
    SetLong(children, pane->CurrentPage() + 1);
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::get_accDefaultAction(VARIANT child, BSTR* text) {
    if (!text) return E_POINTER;
    *text = nullptr;
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    const long id = ChildOf(child, *pane);
    if (id < 0) return E_INVALIDARG;
    return id == 0 ? S_FALSE : ReturnAnsi("Select", text);
}

STDMETHODIMP CPagesPaneAccessible::accSelect(long flags, VARIANT child) {
    CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    const long id = ChildOf(child, *pane);
    if (id <= 0 || !(flags & (SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS))) return E_INVALIDARG;
    if (flags & SELFLAG_TAKEFOCUS) SetFocus(hwnd_);
    pane->MakeCurrent(id - 1);
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::accDoDefaultAction(VARIANT child) { return accSelect(SELFLAG_TAKESELECTION, child); }

STDMETHODIMP CPagesPaneAccessible::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
    if (!left || !top || !width || !height) return E_POINTER;
    *left = *top = *width = *height = 0;
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    const long id = ChildOf(child, *pane);
    if (id < 0) return E_INVALIDARG;
    RECT r{};
    if (id == 0)
        GetWindowRect(hwnd_, &r);
    else
        r = pane->ThumbnailOnScreen(id - 1);
    *left = r.left;
    *top = r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::accNavigate(long direction, VARIANT start, VARIANT* end) {
    if (!end) return E_POINTER;
    VariantInit(end);
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    const long id = ChildOf(start, *pane), count = pane->PageCount();
    if (id < 0) return E_INVALIDARG;
    long to = 0;
    switch (direction) {
    case NAVDIR_FIRSTCHILD: to = id == 0 && count > 0 ? 1 : 0; break;
    case NAVDIR_LASTCHILD: to = id == 0 ? count : 0; break;
    case NAVDIR_NEXT:
    case NAVDIR_DOWN: to = id > 0 && id < count ? id + 1 : 0; break;
    case NAVDIR_PREVIOUS:
    case NAVDIR_UP: to = id > 1 ? id - 1 : 0; break;
    default: return S_FALSE;
    }
    if (to == 0) return S_FALSE;
    SetLong(end, to);
    return S_OK;
}

STDMETHODIMP CPagesPaneAccessible::accHitTest(long x, long y, VARIANT* child) {
    if (!child) return E_POINTER;
    VariantInit(child);
    const CPrintPagesPane* pane = Pane();
    if (!pane) return RPC_E_DISCONNECTED;
    RECT window;
    GetWindowRect(hwnd_, &window);
    const POINT p{x, y};
    if (!PtInRect(&window, p)) return S_FALSE;
    const int page = pane->PageAtScreen(p);
    SetLong(child, page >= 0 ? page + 1 : CHILDID_SELF);
    return S_OK;
}
