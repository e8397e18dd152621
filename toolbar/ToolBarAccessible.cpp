#include "toolbar/ToolBarAccessible.h"

#include <algorithm>

#include "toolbar/CWindowToolBar.h"

HWND CToolBarAccessible::Window() const {
    CWindowToolBar* bar = Bar();
    return bar && bar->IsWindow() ? bar->Window() : nullptr;
}

long CToolBarAccessible::Children() const { return Bar() ? static_cast<long>(Bar()->Buttons().size()) : 0; }

int32_t CToolBarAccessible::Item(long child) const {
    if (child <= 0 || !Bar()) return INT32_MIN;
    const std::vector<int32_t> buttons = Bar()->Buttons();
    return static_cast<size_t>(child) <= buttons.size() ? buttons[static_cast<size_t>(child) - 1] : INT32_MIN;
}

std::string CToolBarAccessible::Name(long child) const {
    return child == 0 ? std::string() : Bar()->ButtonName(Item(child));
}

std::string CToolBarAccessible::Description(long child) const {
    return child == 0 ? std::string() : Bar()->ButtonDescription(Item(child));
}

std::string CToolBarAccessible::DefaultAction(long child) const { return child == 0 ? std::string() : "Press"; }

long CToolBarAccessible::Role(long child) const {
    if (child == 0) return ROLE_SYSTEM_TOOLBAR;
    return Bar()->IsDropDown(Item(child)) ? ROLE_SYSTEM_BUTTONDROPDOWN : ROLE_SYSTEM_PUSHBUTTON;
}

long CToolBarAccessible::State(long child) const {
    HWND window = Window();
    long state = STATE_SYSTEM_FOCUSABLE;
    if (!IsWindowEnabled(window)) state |= STATE_SYSTEM_UNAVAILABLE;
    if (child == 0) return state | (GetFocus() == window ? STATE_SYSTEM_FOCUSED : 0);
    const int32_t item = Item(child);
    RECT r{};
    if (!Location(child, r)) state |= STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN;
    if (Bar()->FocusedButton() == item) state |= STATE_SYSTEM_FOCUSED;
    if (Bar()->IsHot(item)) state |= STATE_SYSTEM_HOTTRACKED;
    if (Bar()->IsPressed(item)) state |= STATE_SYSTEM_PRESSED;
    if (Bar()->IsDropDown(item)) state |= STATE_SYSTEM_HASPOPUP;
    return state;
}

bool CToolBarAccessible::Location(long child, RECT& screen) const {
    if (child == 0) return CAccessibleBase::Location(child, screen);
    if (!Bar()->ItemRectOf(Item(child), screen) || IsRectEmpty(&screen)) return false;
    MapWindowPoints(Window(), nullptr, reinterpret_cast<POINT*>(&screen), 2);
    return true;
}

long CToolBarAccessible::Focused() const {
    if (GetFocus() != Window()) return -1;
    const std::vector<int32_t> buttons = Bar()->Buttons();
    const auto at = std::find(buttons.begin(), buttons.end(), Bar()->FocusedButton());
    return at == buttons.end() ? 0 : static_cast<long>(at - buttons.begin()) + 1;
}

bool CToolBarAccessible::DoDefaultAction(long child) {
    if (child == 0) return false;
    Bar()->PostPress(Item(child));
    return true;
}
