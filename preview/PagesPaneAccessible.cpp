#include "PagesPaneAccessible.h"

#include <new>

#include "CPrintPagesPane.h"
#include "ComPtr.h"

HWND CPagesPaneAccessible::Window() const {
    CPrintPagesPane* pane = link_ ? *link_ : nullptr;
    return pane && pane->IsWindow() ? pane->Handle() : nullptr;
}

long CPagesPaneAccessible::Children() const { return Window() ? Pane().PageCount() : 0; }

std::string CPagesPaneAccessible::Name(long child) const {
    return child == 0 ? Pane().PaneName() : Pane().PageName(static_cast<int>(child - 1));
}

long CPagesPaneAccessible::State(long child) const {
    const bool focused = GetFocus() == Window();
    if (child == 0) return STATE_SYSTEM_FOCUSABLE | (focused ? STATE_SYSTEM_FOCUSED : 0);
    const bool current = child - 1 == Pane().CurrentPage();
    RECT shown{};
    return STATE_SYSTEM_SELECTABLE | STATE_SYSTEM_FOCUSABLE | (current ? STATE_SYSTEM_SELECTED : 0) |
           (current && focused ? STATE_SYSTEM_FOCUSED : 0) | (Location(child, shown) ? 0 : STATE_SYSTEM_OFFSCREEN);
}

bool CPagesPaneAccessible::Location(long child, RECT& screen) const {
    if (child == 0) return GetWindowRect(Window(), &screen) != FALSE;
    screen = Pane().ThumbnailOnScreen(static_cast<int>(child - 1));
    return !IsRectEmpty(&screen);
}

long CPagesPaneAccessible::Focused() const {
    if (GetFocus() != Window()) return -1;
    return Pane().PageCount() > 0 ? Pane().CurrentPage() + 1 : 0;
}

bool CPagesPaneAccessible::DoDefaultAction(long child) {
    if (child <= 0) return false;
    Pane().MakeCurrent(static_cast<int>(child - 1));
    return true;
}

LRESULT CPrintPagesPane::OnGetObject(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        ComPtr<IAccessible> object(new (std::nothrow) CPagesPaneAccessible(access_.Get(this)));
        if (const LRESULT answer = CAccessibleBase::Answer(object.Get(), wParam, lParam)) return answer;
    }
    return DefProc(WM_GETOBJECT, wParam, lParam);
}
