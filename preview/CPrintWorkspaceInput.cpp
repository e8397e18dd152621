// The workspace's scroll bars, keys, wheel and clicks: the rules live in ScrollRules; here
// they meet the window.
#include "CHostEMFPages.h"
#include "Module.h"
#include "CPrintWorkspace.h"
#include "CPrintFindBar.h"
#include "WindowDpi.h"
#include "PageClipboard.h"
#include "Magnifier.h"
#include "ScrollRules.h"
#include "Messages.h"
#include "toolbar/focus/FocusRoute.h"

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
    if (code == SB_THUMBTRACK || code == SB_THUMBPOSITION) following_ = false;  // the user takes the view
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

void CPrintWorkspace::ScrollWithinPage(int y) {
    const int h = GetPageSize().cy;
    if (!Window() || overflow_.cy <= 0 || h <= 0) return;
    SetScrollPos(Handle(), SB_VERT, firstPage_ * h + std::max(y - ClientSize().cy / 3, 0), TRUE);
    firstPage_ = GetScrollPos(Handle(), SB_VERT) / h;
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CPrintWorkspace::OnKeyDown(WPARAM key) {
    if (findBar_ && findBar_->OnWorkspaceKey(key)) return;
    if (const int step = PaneStep(static_cast<int>(key), GetKeyState(VK_SHIFT) < 0)) {
        SendMessageA(GetParent(Handle()), PreviewMessages::Get().nextPane, step > 0 ? 1 : 0, 0);
        return;
    }
    if (key == VK_ESCAPE) {
        recorder_.Stop();  // a tap between two slices, which the recording's own check may miss
        return;
    }
    // Keys move among the pages recorded so far; End also follows the pages still to come.
    if (key == VK_END) FollowRecording();
    else if (key != VK_CONTROL && key != VK_SHIFT) following_ = false;
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

bool CPrintWorkspace::GoToPage(int page) {
    if (page < 0 || page >= pages_.GetCount()) return false;
    currentPage_ = page;
    EnsureVisible(page, true, true);
    return true;
}

void CPrintWorkspace::OnMouseWheel(int delta) {
    following_ = false;
    if (!(GetWindowLongA(Handle(), GWL_STYLE) & WS_VSCROLL)) return;
    const WheelResult r = WheelScroll(delta, overflow_.cy);
    for (int i = 0; i < r.count; ++i) SendMessageA(Handle(), WM_VSCROLL, static_cast<WPARAM>(r.code), 0);
}

void CPrintWorkspace::OnLButtonDown(POINT point) {
    following_ = false;
    SetFocus(Handle());
    const bool control = KeyDown(VK_CONTROL), shift = KeyDown(VK_SHIFT);
    if (const int handle = HitTestMarginHandle(point)) {
        DragMargin(handle, point);
        return;
    }
    const int page = HitTestPage(point, nullptr);
    if (control) {
        pages_.TogglePage(page, shift);
        InvalidateRect(Handle(), nullptr, FALSE);
        return;
    }
    if (page < 0) return;
    if (page != currentPage_ || magnifyZoom_ <= 0) {
        currentPage_ = page;
        EnsureVisible(page, false, true);
        return;
    }
    Magnify(point);
}

bool CPrintWorkspace::IsPannable() {
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    return (style & WS_HSCROLL) || ((style & WS_VSCROLL) && overflow_.cy > 0);
}

void CPrintWorkspace::Magnify(POINT point) {
    // A press on the current page: dragged, it pans; a short still click magnifies or restores.
    RECT oldPage{};
    HitTestPage(point, &oldPage);
    const bool pannable = IsPannable();
    // The press's and the release's own times: on a busy machine a quick click is handled late,
    // and the time of handling would make it a pan.
    const unsigned down = static_cast<unsigned>(GetMessageTime());
    const ScrollPositions start{GetScrollPos(Handle(), SB_HORZ), GetScrollPos(Handle(), SB_VERT)};
    const int pageHeight = GetPageSize().cy;
    POINT last = point;
    {
    CUpdateCursor cursor(Handle());
    TrackMouse(Handle(), VK_LBUTTON, [&](POINT p) {
        last = p;
        if (!pannable) return;
        SetCursor(LoadCursor(nullptr, IDC_SIZEALL));
        const ScrollPositions to = PanPositions(start, {point.x, point.y}, {p.x, p.y}, pageHeight, overflow_.cy);
        SetScrollPos(Handle(), SB_HORZ, to.h, TRUE);
        SetScrollPos(Handle(), SB_VERT, to.v, TRUE);
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    });
    }
    // The tracking loop ends on the release it took from the queue: the thread's message time is its.
    if (!PressIsClick(down, static_cast<unsigned>(GetMessageTime()), {point.x, point.y}, {last.x, last.y})) return;

    const int zoom = GetZoomPercent();
    if (!pannable && zoom != magnifyZoom_) {
        savedFirstPage_ = firstPage_;
        context_.Backup(zoom);
        context_.SetZoom(magnifyZoom_, 0, 1);
        Refresh(true, false);
        EnsureVisible(currentPage_, true, true);
    } else {
        context_.Restore();
        Refresh(true, false);
        firstPage_ = savedFirstPage_;
        SetScrollPos(Handle(), SB_VERT, firstPage_ * GetPageSize().cy, TRUE);
    }
    RECT client;
    GetClientRect(Handle(), &client);
    const geometry::Size size = GetPageSize();
    const ScrollPositions to =
        ZoomAtPoint({point.x, point.y}, {oldPage.left, oldPage.top, oldPage.right, oldPage.bottom}, size.cx, size.cy,
                    client.right, client.bottom, GetScrollPos(Handle(), SB_VERT), overflow_.cy);
    SetScrollPos(Handle(), SB_HORZ, to.h, TRUE);
    SetScrollPos(Handle(), SB_VERT, to.v, TRUE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CPrintWorkspace::OnLButtonDblClk(POINT point) {
    const int handle = HitTestMarginHandle(point);
    if (!handle) {
        OnLButtonDown(point);
        return;
    }
    if (!KeyDown(VK_CONTROL)) {
        PostMessageA(Handle(), WM_COMMAND, 103, 0);  // the page-setup dialog
        return;
    }
    CopyOppositeMargin(handle);
}

void CPrintWorkspace::OnRButtonDown(POINT point) {
    // A right-drag on a page selects the area to print; a small one (or ESC) selects nothing.
    SetFocus(Handle());
    RECT hit{};
    selection_.page = HitTestPage(point, &hit);
    if (selection_.page >= 0) {
        const PlainRect page{hit.left, hit.top, hit.right - geometry::kShadow, hit.bottom - geometry::kShadow};
        const PlainPoint anchor{point.x - page.left, point.y - page.top};
        bool big = false;
        auto select = [&](POINT p) {
            const SelectionFractions f = SelectionFromDrag(anchor, {p.x, p.y}, page, &big);
            selection_.left = f.left;
            selection_.top = f.top;
            selection_.right = f.right;
            selection_.bottom = f.bottom;
        };
        select(point);
        bool released;
        {
            CUpdateCursor cursor(Handle());
            selecting_ = true;
            SetCursor(LoadCursor(nullptr, IDC_CROSS));
            released = TrackMouse(Handle(), VK_RBUTTON, [&](POINT p) {
                select(p);
                InvalidateRect(Handle(), nullptr, FALSE);
                UpdateWindow(Handle());
            });
            selecting_ = false;
        }
        if (!released || !big) selection_.page = -1;
    }
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CPrintWorkspace::OnMouseMove(POINT point) {
    if (MarginGuidesShown()) ShowMarginTip(point);
}

bool CPrintWorkspace::OnSetCursor() {
    POINT p;
    GetCursorPos(&p);
    ScreenToClient(Handle(), &p);
    HCURSOR cursor = nullptr;
    if (selecting_) {
        cursor = LoadCursor(nullptr, IDC_CROSS);
    } else if (const int handle = dragHandle_ ? dragHandle_ : HitTestMarginHandle(p)) {
        cursor = LoadCursor(nullptr, handle <= kRightHandle ? IDC_SIZEWE : IDC_SIZENS);
    } else if (magnifyZoom_ > 0 && currentPage_ >= 0 && HitTestPage(p, nullptr) == currentPage_) {
        const int saved = context_.HasBackup() ? context_.BackupZoom() : 0;
        const bool in = MagnifiesIn(magnifyZoom_, GetZoomPercent(), saved);
        cursor = cursors_.Get(in ? 213 : 214, WindowDpi(Handle()));
    }
    if (!cursor) return false;
    SetCursor(cursor);
    return true;
}
