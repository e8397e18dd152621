// The toolbar on the keyboard route and for screen readers: which keys it keeps and which it
// hands on, where the keyboard is, and the accessible object it answers WM_GETOBJECT with.
#include "toolbar/CWindowToolBar.h"

#include <algorithm>
#include <new>

#include "layout/CWindowListUnitPart.h"
#include "platform/Messages.h"
#include "toolbar/ToolBarAccessible.h"
#include "toolbar/focus/FocusRoute.h"

namespace {

// A caption's text without its mark-up, on one line and without blanks at either end.
std::string PlainText(const std::string& markup, IHTMLCaptionHostBase* host) {
    if (markup.empty()) return {};
    CHTMLCaption caption;
    caption.SetCaption(markup, host);
    std::string text = caption.GetPlainText();
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n' || c == '\t'; }, ' ');
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

std::vector<int32_t> CWindowToolBar::Buttons() {
    std::vector<int32_t> buttons;
    CWindowListPartLevel* level = m_text.empty() ? nullptr : GetLayout(m_text);
    for (CWindowListUnitPart* unit = level ? level->FirstUnit() : nullptr; unit; unit = unit->NextUnit()) {
        const int32_t item = unit->IsItem() ? unit->ItemNumber() : -1;
        if (item >= 0 && std::find(buttons.begin(), buttons.end(), item) == buttons.end()) buttons.push_back(item);
    }
    return buttons;
}

std::string CWindowToolBar::ButtonName(int32_t item) {
    std::string name = PlainText(ButtonCaption(item), m_host);
    return name.empty() ? ButtonDescription(item) : name;
}

std::string CWindowToolBar::ButtonDescription(int32_t item) { return PlainText(ItemTip(item), m_host); }

int32_t CWindowToolBar::FocusedButton() const {
    return Handle() && GetFocus() == Handle() ? m_keyItem : INT32_MIN;
}

void CWindowToolBar::PostPress(int32_t item) {
    if (Handle()) PostMessageA(Handle(), kPressMessage, static_cast<WPARAM>(item), 0);
}

void CWindowToolBar::PressPosted(int32_t item) {
    const std::vector<int32_t> buttons = Buttons();
    if (IsWindowEnabled(Handle()) && std::find(buttons.begin(), buttons.end(), item) != buttons.end())
        ClickItem(item);
}

bool CWindowToolBar::RouteKey(WPARAM key) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    HWND pages = m_notify && m_notify != Handle() && ::IsWindow(m_notify) ? m_notify : nullptr;
    switch (ToolBarKeyAction(static_cast<int>(key), shift, m_focusByMouse)) {
    case KeyAction::Own:
        return false;
    case KeyAction::NextPane:
    case KeyAction::PreviousPane:
        if (HWND parent = GetParent(Handle()))
            SendMessageA(parent, PreviewMessages::Get().nextPane, shift ? 0 : 1, 0);
        return true;
    case KeyAction::ToPages:
        if (pages) FocusAndTell(pages);
        return true;
    case KeyAction::HandOn:
        if (pages) SendMessageA(pages, WM_KEYDOWN, key, 0);
        return true;
    }
    return false;
}

void CWindowToolBar::SetKeyItem(int32_t item) {
    InvalidateItem(m_keyItem);
    m_keyItem = item;
    InvalidateItem(item);
    if (!Handle() || GetFocus() != Handle() || item == INT32_MIN) return;
    const std::vector<int32_t> buttons = Buttons();
    const auto at = std::find(buttons.begin(), buttons.end(), item);
    if (at != buttons.end()) NotifyWinEvent(EVENT_OBJECT_FOCUS, Handle(), OBJID_CLIENT, LONG(at - buttons.begin()) + 1);
}

void CWindowToolBar::OnSetFocus() {
    InvalidateRect(Handle(), nullptr, FALSE);
    if (m_focusByMouse) return;  // a click: the press says what happens
    const std::vector<int32_t> buttons = Buttons();
    if (buttons.empty()) return;
    // Back on the button the keyboard left, or on the first one.
    const bool kept = std::find(buttons.begin(), buttons.end(), m_keyItem) != buttons.end();
    SetKeyItem(kept ? m_keyItem : buttons.front());
}

void CWindowToolBar::UpdateTabStop() {
    if (!Handle()) return;
    const LONG_PTR style = GetWindowLongPtrA(Handle(), GWL_STYLE);
    const LONG_PTR wanted = Buttons().empty() ? style & ~LONG_PTR(WS_TABSTOP) : style | WS_TABSTOP;
    if (wanted != style) SetWindowLongPtrA(Handle(), GWL_STYLE, wanted);
}

LRESULT CWindowToolBar::AnswerAccessible(WPARAM wp, LPARAM lp) {
    if (static_cast<LONG>(lp) != OBJID_CLIENT) return 0;
    ComPtr<IAccessible> object(new (std::nothrow) CToolBarAccessible(m_access.Get(this)));
    return CAccessibleBase::Answer(object.Get(), wp, lp);
}
