// The workspace's scroll bars, keys, wheel and clicks: the rules live in ScrollRules; here
// they meet the window.
#include "CHostEMFPages.h"
#include "CPrintWorkspace.h"
#include "PageClipboard.h"
#include "ScrollRules.h"

namespace {
bool KeyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }
}  // namespace

void CPrintWorkspace::OnVScroll(int code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, &si);
    VScrollState s;
    s.pos = si.nPos;
    s.track = si.nTrackPos;
    s.pageHeight = GetPageSize().cy;
    s.overflowY = overflow_.cy;
    s.xPages = context_.GetXPages();
    s.firstPage = firstPage_;
    const int pos = VScrollPosition(code, s);
    if (pos == si.nPos || s.pageHeight <= 0) return;
    SetScrollPos(Handle(), SB_VERT, pos, TRUE);
    firstPage_ = GetScrollPos(Handle(), SB_VERT) / s.pageHeight;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CPrintWorkspace::OnHScroll(int code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_HORZ, &si);
    const int pos = HScrollPosition(code, si.nPos, si.nTrackPos, GetPageSize().cx);
    if (pos == si.nPos) return;
    SetScrollPos(Handle(), SB_HORZ, pos, TRUE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CPrintWorkspace::OnKeyDown(WPARAM key) {
    const int count = static_cast<int>(pages_.GetCount());
    if (key == 'C' && KeyDown(VK_CONTROL)) {
        if (currentPage_ >= 0 && currentPage_ < count)
            CopyPageToClipboard(Handle(), pages_.GetPage(currentPage_).GetHandle());
        return;
    }
    static const struct {
        WPARAM vk;
        WorkspaceKey key;
    } keys[] = {{VK_PRIOR, WorkspaceKey::PageUp}, {VK_NEXT, WorkspaceKey::PageDown}, {VK_HOME, WorkspaceKey::Home},
                {VK_END, WorkspaceKey::End},      {VK_LEFT, WorkspaceKey::Left},     {VK_RIGHT, WorkspaceKey::Right},
                {VK_UP, WorkspaceKey::Up},        {VK_DOWN, WorkspaceKey::Down}};
    for (const auto& k : keys) {
        if (k.vk != key) continue;
        KeyState s;
        s.current = currentPage_;
        s.pageCount = count;
        s.pagesPerScreen = context_.GetPagesPerScreen();
        s.xPages = context_.GetXPages();
        s.overflowX = overflow_.cx;
        s.overflowY = overflow_.cy;
        const KeyResult r = PageAfterKey(k.key, s);
        if (r.scrollBar)
            PostMessageA(Handle(), r.scrollBar == 1 ? WM_HSCROLL : WM_VSCROLL, static_cast<WPARAM>(r.scrollCode), 0);
        if (r.page != currentPage_) {
            currentPage_ = r.page;
            EnsureVisible(currentPage_, true, true);
        }
        return;
    }
}

void CPrintWorkspace::OnMouseWheel(int delta) {
    if (!(GetWindowLongA(Handle(), GWL_STYLE) & WS_VSCROLL)) return;
    const WheelResult r = WheelScroll(delta, overflow_.cy);
    for (int i = 0; i < r.count; ++i) SendMessageA(Handle(), WM_VSCROLL, static_cast<WPARAM>(r.code), 0);
}

void CPrintWorkspace::OnLButtonDown(POINT point) {
    SetFocus(Handle());
    const bool control = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
    const int page = HitTestPage(point, nullptr);
    if (control) {
        pages_.TogglePage(page, shift);
        InvalidateRect(Handle(), nullptr, FALSE);
        return;
    }
    if (page < 0) return;
    if (page != currentPage_) currentPage_ = page;
    EnsureVisible(page, false, true);
}
