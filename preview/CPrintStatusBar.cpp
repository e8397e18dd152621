#include "CPrintStatusBar.h"
#include <commctrl.h>
#include "WindowDpi.h"
#include "scaling/DpiScale.h"

namespace {
CWindow::ClassInfo g_class{CPrintStatusBar::kClassName, "msctls_statusbar32", 0, 0, nullptr, nullptr};
}  // namespace

CPrintStatusBar::CPrintStatusBar() {
    using InitProc = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    if (auto init = commonControls_.Proc<InitProc>("InitCommonControlsEx")) {
        INITCOMMONCONTROLSEX icc{};
        icc.dwSize = sizeof(icc);
        icc.dwICC = ICC_BAR_CLASSES;
        init(&icc);
    }
}

HWND CPrintStatusBar::Create(HWND parent) {
    return CWindow::Create(g_class, 0, WS_CHILD | WS_VISIBLE | 0x10, RECT{0, 0, 0, 0}, parent);
}

int CPrintStatusBar::Height() const {
    RECT r{};
    if (IsWindow()) GetWindowRect(Handle(), &r);
    return r.bottom - r.top;
}

void CPrintStatusBar::Layout() {
    if (!IsWindow()) return;
    SendMessageA(Handle(), WM_SIZE, 0, 0);  // the bar places itself along the parent's bottom
    RECT client;
    GetClientRect(Handle(), &client);
    int parts[2] = {client.right - dpi::StatusPageWidth(WindowDpi(Handle())), -1};
    SendMessageA(Handle(), SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
}

void CPrintStatusBar::SetText(int pane, const char* text) {
    if (IsWindow()) SendMessageA(Handle(), SB_SETTEXTA, static_cast<WPARAM>(pane), reinterpret_cast<LPARAM>(text));
}
