#include "CPrintPagesPane.h"
#include "CHostEMFPages.h"
#include "CPrintWorkspace.h"
#include "Gdi.h"
#include "Messages.h"
#include "PageTint.h"
#include "toolbar/CPrintToolBar.h"
#include "toolbar/focus/FocusRoute.h"
#include <algorithm>
#include <climits>
#include <windowsx.h>

namespace {

CWindow::ClassInfo g_class{"Koravel.Print.PagesPane", nullptr, 0, 0, nullptr, nullptr};
constexpr DWORD kStyle = WS_CHILD | WS_VSCROLL | WS_TABSTOP | WS_CLIPSIBLINGS;
constexpr const char* kSection = "Koravel.Print";
constexpr const char* kShownName = "PrintPagesPane_Shown";
constexpr const char* kWidthName = "PrintPagesPane_Width";
constexpr UINT kSyncTimer = 1;
constexpr UINT kSyncPeriod = 100;  // ms: the current page and print set follow the workspace
constexpr int kEdge = 5;           // the draggable strip at the pane's right
constexpr int kGap = 4;            // between the pane and the pages
constexpr int kLine = 24;          // a scroll-bar line, in pixels

RECT ToRect(const pane::Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

int ToBar(int64_t v) { return static_cast<int>(std::min<int64_t>(v, INT_MAX)); }

}  // namespace

CPrintPagesPane::CPrintPagesPane(CPrintWorkspace& workspace, CPrintToolBar& toolbar)
    : workspace_(workspace), toolbar_(toolbar) {}

CPrintPagesPane::~CPrintPagesPane() { Destroy(); }

HWND CPrintPagesPane::Create(HWND frame) {
    char width[32] = "";
    GetProfileStringA(kSection, kWidthName, "", width, sizeof width);
    width_ = width[0] ? pane::WidthFromText(width) : pane::kDefaultWidth;
    shown_ = GetProfileIntA(kSection, kShownName, 0) == 1;
    scroll_ = 0;
    lastCount_ = lastCurrent_ = -1;
    return CWindow::Create(g_class, 0, kStyle, RECT{0, 0, 0, 0}, frame);
}

// --- layout -----------------------------------------------------------------------------

int CPrintPagesPane::Place(const RECT& area) {
    if (!IsWindow()) return 0;
    const int w = pane::ShownWidth(shown_, width_, area.right - area.left);
    if (w == 0) {
        if (GetFocus() == Handle()) SetFocus(workspace_.Window());
        ShowWindow(Handle(), SW_HIDE);
        return 0;
    }
    SetWindowPos(Handle(), nullptr, area.left, area.top, w, std::max<int>(area.bottom - area.top, 0),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    return w + kGap;
}

void CPrintPagesPane::Relayout() {
    // The frame lays its children out from its client area; the size it is sent is not read.
    if (HWND frame = GetParent(Handle())) SendMessageA(frame, WM_SIZE, SIZE_RESTORED, 0);
}

pane::Layout CPrintPagesPane::Layout() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    const POINT paper = workspace_.Settings().Record().ptPaperSize;
    return pane::ThumbnailLayout(client.right, paper.x, paper.y);
}

int CPrintPagesPane::ClientHeight() const {
    RECT client{};
    GetClientRect(Handle(), &client);
    return client.bottom;
}

void CPrintPagesPane::Toggle() {
    shown_ = !shown_;
    if (!IsWindow()) return;
    Relayout();
    lastCurrent_ = -1;  // shown again: the current page is brought into view
    Sync();
}

// --- following the workspace -------------------------------------------------------------

int CPrintPagesPane::PageCount() const { return static_cast<int>(workspace_.Pages().GetCount()); }

int CPrintPagesPane::CurrentPage() const { return workspace_.CurrentPage(); }

void CPrintPagesPane::MakeCurrent(int index) {
    if (workspace_.GoToPage(index)) Sync();
}

void CPrintPagesPane::UpdateScrollBar() {
    const pane::Layout l = Layout();
    const int height = ClientHeight(), count = PageCount();
    scroll_ = pane::ClampScroll(l, scroll_, height, count);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    si.nMax = ToBar(pane::TotalHeight(l, count) - 1);
    si.nPage = static_cast<UINT>(std::max(height, 0));
    si.nPos = ToBar(scroll_);
    SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
}

void CPrintPagesPane::ScrollTo(int64_t scroll) {
    scroll = pane::ClampScroll(Layout(), std::min<int64_t>(scroll, INT_MAX), ClientHeight(), PageCount());
    if (scroll == scroll_) return;
    scroll_ = scroll;
    SetScrollPos(Handle(), SB_VERT, ToBar(scroll_), TRUE);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void CPrintPagesPane::Sync() {
    if (!IsWindow()) return;
    const int count = PageCount();
    if (count != lastCount_) {
        if (count < lastCount_) {  // recorded anew: the current page comes back into view when it is back
            cache_.Clear();
            lastCurrent_ = -1;
        }
        lastCount_ = count;
        UpdateScrollBar();
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    const int current = CurrentPage();
    if (current != lastCurrent_ && (current < count || count == 0)) {
        lastCurrent_ = current;
        ScrollTo(pane::ScrollToShow(Layout(), current, scroll_, ClientHeight(), count));
        InvalidateRect(Handle(), nullptr, FALSE);
    }
    const std::string tint = workspace_.Pages().pageRange_ + "|" + std::to_string(workspace_.Selection().page);
    if (tint != lastTint_) {
        lastTint_ = tint;
        InvalidateRect(Handle(), nullptr, FALSE);
    }
}

void CPrintPagesPane::OnPageArrived(long index) {
    if (!IsWindow()) return;
    cache_.Forget(static_cast<int>(index));
    Sync();
    const pane::Layout l = Layout();
    const pane::Rows rows = pane::RowsInView(l, scroll_, ClientHeight(), PageCount());
    if (index >= rows.first && index < rows.end) {
        RECT row = ToRect(pane::ThumbnailRect(l, static_cast<int>(index), scroll_));
        InflateRect(&row, 4, 4);
        row.bottom += pane::kLabelHeight;
        InvalidateRect(Handle(), &row, FALSE);
    }
}

// --- painting ----------------------------------------------------------------------------

void CPrintPagesPane::DrawThumbnail(void* self, int index, HDC dc, const RECT& rect) {
    static_cast<CPrintPagesPane*>(self)->workspace_.Pages().GetPage(index).Play(dc, rect);
}

void CPrintPagesPane::OnPaint() {
    CPaintDC paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    if (client.right <= 0 || client.bottom <= 0) return;
    CMemDC memory(paint, client);
    FillRect(memory, &client, GetSysColorBrush(COLOR_MENU));
    CSelectObject font(memory, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(memory, TRANSPARENT);
    SetTextColor(memory, GetSysColor(COLOR_MENUTEXT));
    const pane::Layout l = Layout();
    const int count = PageCount(), current = CurrentPage();
    const pane::Rows rows = pane::RowsInView(l, scroll_, client.bottom, count);
    const std::set<int>& printSet = workspace_.PrintSet();
    const bool selection = workspace_.Selection().page >= 0;
    for (int i = rows.first; i < rows.end; ++i) {
        const RECT thumb = ToRect(pane::ThumbnailRect(l, i, scroll_));
        cache_.Blit(memory, thumb.left, thumb.top, i, thumb.right - thumb.left, thumb.bottom - thumb.top,
                    &CPrintPagesPane::DrawThumbnail, this);
        if (selection || !printSet.count(i)) TintPage(memory, thumb);
        RECT frame = thumb;
        InflateRect(&frame, 1, 1);
        FrameRect(memory, &frame, GetSysColorBrush(COLOR_BTNSHADOW));
        if (i == current) {
            for (int k = 0; k < 2; ++k) {
                InflateRect(&frame, 1, 1);
                FrameRect(memory, &frame, GetSysColorBrush(COLOR_HIGHLIGHT));
            }
        }
        RECT label = ToRect(pane::LabelRect(l, i, scroll_));
        const std::string number = std::to_string(i + 1);
        DrawTextA(memory, number.c_str(), static_cast<int>(number.size()), &label,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        if (i == current && GetFocus() == Handle()) DrawFocusRect(memory, &label);
    }
}

// --- input -------------------------------------------------------------------------------

void CPrintPagesPane::OnVScroll(int code) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(Handle(), SB_VERT, &si);
    const int height = ClientHeight();
    int64_t to = scroll_;
    switch (code) {
    case SB_LINEUP: to -= kLine; break;
    case SB_LINEDOWN: to += kLine; break;
    case SB_PAGEUP: to -= height; break;
    case SB_PAGEDOWN: to += height; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: to = si.nTrackPos; break;
    case SB_TOP: to = 0; break;
    case SB_BOTTOM: to = INT_MAX; break;
    default: return;
    }
    ScrollTo(to);
}

bool CPrintPagesPane::OnPreviewKey(WPARAM key, LPARAM flags) {
    if (key == VK_F4 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0) {
        if (!(flags & 0x40000000)) Toggle();  // held down: one toggle, not a flicker
        return true;
    }
    if (key == 'G' && GetKeyState(VK_CONTROL) < 0) {
        OpenGoTo();
        return true;
    }
    return false;
}

bool CPrintPagesPane::OnCommand(int id) {
    if (id == kToggleItem) Toggle();
    else if (id == kGoToItem) OpenGoTo();
    else return false;
    return true;
}

void CPrintPagesPane::OpenGoTo() {
    HWND pages = workspace_.Window();
    if (!pages || !IsWindow()) return;
    RECT r;
    GetWindowRect(pages, &r);
    POINT at{r.left + 8, r.top + 8};
    HWND frame = GetParent(Handle());
    ScreenToClient(frame, &at);
    HWND back = GetFocus() == Handle() ? Handle() : pages;
    goTo_.Open(frame, at, toolbar_.ItemCaption(kGoToLabelItem), back, [this](const std::string& text) {
        workspace_.CompleteRecording();
        const int page = pane::PageFromText(text, PageCount());
        return page >= 0 && workspace_.GoToPage(page);
    });
}

void CPrintPagesPane::FocusNext(bool forward) {
    // The frame cycles the keyboard over its tab-stop panes.
    SendMessageA(GetParent(Handle()), PreviewMessages::Get().nextPane, forward ? 1 : 0, 0);
}

void CPrintPagesPane::OnKeyDown(WPARAM key, LPARAM flags) {
    if (OnPreviewKey(key, flags)) return;
    if (const int step = PaneStep(static_cast<int>(key), GetKeyState(VK_SHIFT) < 0)) {
        FocusNext(step > 0);
        return;
    }
    static const struct {
        WPARAM vk;
        pane::Key key;
    } keys[] = {{VK_UP, pane::Key::Up},         {VK_DOWN, pane::Key::Down}, {VK_PRIOR, pane::Key::PageUp},
                {VK_NEXT, pane::Key::PageDown}, {VK_HOME, pane::Key::Home}, {VK_END, pane::Key::End}};
    for (const auto& k : keys) {
        if (k.vk != key) continue;
        if (k.key == pane::Key::End) workspace_.CompleteRecording();
        const int page = pane::PageAfterKey(k.key, CurrentPage(), PageCount(), Layout(), ClientHeight());
        if (page != CurrentPage()) MakeCurrent(page);
        return;
    }
}

void CPrintPagesPane::OnLButtonDown(POINT point) {
    SetFocus(Handle());
    const int page = pane::HitTest(Layout(), point.x, point.y, scroll_, PageCount());
    if (page >= 0) MakeCurrent(page);
}

void CPrintPagesPane::DragEdge(POINT start) {
    RECT window;
    GetWindowRect(Handle(), &window);
    const int startWidth = window.right - window.left, saved = width_;
    CUpdateCursor cursor(Handle());
    const bool released = TrackMouse(Handle(), VK_LBUTTON, [&](POINT p) {
        ClientToScreen(Handle(), &p);
        SetCursor(LoadCursor(nullptr, IDC_SIZEWE));
        const int to = pane::ClampWidth(int64_t(startWidth) + p.x - start.x);
        if (to == width_) return;
        width_ = to;
        Relayout();
        UpdateWindow(GetParent(Handle()));
    });
    if (!released && width_ != saved) {  // ESC: the width it had
        width_ = saved;
        Relayout();
    }
}

LRESULT CPrintPagesPane::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        SetTimer(Handle(), kSyncTimer, kSyncPeriod, nullptr);
        return 0;
    case WM_DESTROY:
        KillTimer(Handle(), kSyncTimer);
        access_.Cut();
        goTo_.Destroy();
        cache_.Clear();
        WriteProfileStringA(kSection, kShownName, shown_ ? "1" : "0");
        WriteProfileStringA(kSection, kWidthName, std::to_string(width_).c_str());
        return 0;
    case WM_TIMER:
        if (wParam == kSyncTimer) Sync();
        return 0;
    case WM_SIZE:
        UpdateScrollBar();
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        InvalidateRect(Handle(), nullptr, FALSE);
        return 0;
    case WM_VSCROLL:
        OnVScroll(LOWORD(wParam));
        return 0;
    case WM_MOUSEWHEEL:
        ScrollTo(scroll_ - int64_t(GET_WHEEL_DELTA_WPARAM(wParam)) * Layout().rowHeight / WHEEL_DELTA);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(wParam, lParam);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTTAB;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnLButtonDown(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_NCCALCSIZE: {
        // The draggable edge lies outside the client area, right of the scroll bar.
        const LRESULT result = DefProc(msg, wParam, lParam);
        RECT& client = wParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0] : *reinterpret_cast<RECT*>(lParam);
        client.right = std::max(client.left, client.right - kEdge);
        return result;
    }
    case WM_NCHITTEST: {
        RECT window;
        GetWindowRect(Handle(), &window);
        if (GET_X_LPARAM(lParam) >= window.right - kEdge) return HTRIGHT;
        break;
    }
    case WM_NCLBUTTONDOWN:
        if (wParam == HTRIGHT) {
            DragEdge(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});  // where it was pressed
            return 0;
        }
        break;
    case WM_NCPAINT: {
        DefProc(msg, wParam, lParam);
        RECT window;
        GetWindowRect(Handle(), &window);
        HDC own = GetWindowDC(Handle());
        const RECT edge{window.right - window.left - kEdge, 0, window.right - window.left, window.bottom - window.top};
        FillRect(own, &edge, GetSysColorBrush(COLOR_BTNFACE));
        ReleaseDC(Handle(), own);
        return 0;
    }
    case WM_GETOBJECT:
        return OnGetObject(wParam, lParam);
    default:
        break;
    }
    return DefProc(msg, wParam, lParam);
}

std::string CPrintPagesPane::PageName(int index) const {
    // The caption is the host's to change: its "%i" is replaced, never used as a format.
    std::string name = toolbar_.ItemCaption(kPageNameItem);
    const size_t at = name.find("%i");
    if (at != std::string::npos) name.replace(at, 2, std::to_string(index + 1));
    return name;
}

std::string CPrintPagesPane::PaneName() const { return toolbar_.ItemCaption(kPaneNameItem); }

RECT CPrintPagesPane::ThumbnailOnScreen(int index) const {
    const pane::Layout l = Layout();
    const pane::Rows rows = pane::RowsInView(l, scroll_, ClientHeight(), PageCount());
    if (index < rows.first || index >= rows.end) return RECT{};
    RECT r = ToRect(pane::ThumbnailRect(l, index, scroll_));
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}
