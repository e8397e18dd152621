#include "WorkspaceAccessible.h"

#include <commctrl.h>
#include <new>

#include "CHostEMFPages.h"
#include "CPrintStatusBar.h"
#include "CPrintWorkspace.h"
#include "html/CHTMLCaption.h"

HWND CWorkspaceAccessible::Window() const {
    CPrintWorkspace* workspace = link_ ? *link_ : nullptr;
    return workspace ? workspace->Window() : nullptr;
}

std::string CWorkspaceAccessible::Name(long) const {
    const Bstr& text = (*link_)->Pages().documentCaption_.Caption;
    if (text.Empty()) return {};
    CHTMLCaption caption;
    caption.SetCaption(text.ToAnsi(), nullptr);
    return caption.GetPlainText();
}

std::string CWorkspaceAccessible::Value(long) const {
    // The status bar's page pane says where the reader is: the same words as on the screen.
    HWND bar = FindWindowExA(GetParent(Window()), nullptr, CPrintStatusBar::kClassName, nullptr);
    if (!bar) return {};
    const LRESULT length = LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(bar, SB_GETTEXTA, 1, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(strlen(text.c_str()));
    return text;
}

long CWorkspaceAccessible::State(long) const {
    return STATE_SYSTEM_FOCUSABLE | (GetFocus() == Window() ? STATE_SYSTEM_FOCUSED : 0);
}

LRESULT CPrintWorkspace::AnswerAccessible(WPARAM wParam, LPARAM lParam) {
    if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
    ComPtr<IAccessible> object(new (std::nothrow) CWorkspaceAccessible(access_.Get(this)));
    return CAccessibleBase::Answer(object.Get(), wParam, lParam);
}
