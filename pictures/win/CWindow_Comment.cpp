#include "pictures/win/CWindow_Comment.h"

#include <algorithm>

#include "html/win/HTMLCaptionDraw.h"

namespace {

ATOM RegisterCommentClass() {
    static ATOM atom = [] {
        WNDCLASSA wc{};
        wc.style = CS_SAVEBITS;  // hiding restores what lay below
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = CWindow_Comment::kClassName;
        return RegisterClassA(&wc);
    }();
    return atom;
}

}  // namespace

bool CWindow_Comment::Create(HWND owner) {
    if (m_hwnd) return true;
    RegisterCommentClass();
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!m_font && SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_font.Reset(CreateFontIndirectA(&metrics.lfStatusFont));
    m_owner = owner;
    m_hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kClassName, "", WS_POPUP | WS_BORDER,
                             0, 0, 0, 0, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_hwnd) return false;
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&WndProc));
    return true;
}

void CWindow_Comment::Destroy() {
    if (!m_hwnd) return;
    HWND hwnd = m_hwnd;
    m_hwnd = nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DefWindowProcA));
    DestroyWindow(hwnd);
    m_text.clear();
}

void CWindow_Comment::ShowAt(const std::string& text, POINT screen, const RECT& area, const std::string& title) {
    if (!m_hwnd) return;
    if (text.empty() && title.empty()) {
        Hide();
        return;
    }
    if (text == m_text && title == m_title && EqualRect(&area, &m_area)) return;  // still resting on the same button
    Hide();
    m_text = text;
    m_title = title;
    m_at = screen;
    m_area = area;
    if (!m_caption) m_caption = std::make_unique<CHTMLCaption>();
    m_caption->SetCaption(text);
    SetTimer(m_hwnd, kShowTimer, kShowDelay, nullptr);
    SetTimer(m_hwnd, kTrackTimer, kTrackInterval, nullptr);
}

void CWindow_Comment::Hide() {
    if (!m_hwnd) return;
    KillTimer(m_hwnd, kShowTimer);
    KillTimer(m_hwnd, kHideTimer);
    KillTimer(m_hwnd, kTrackTimer);
    m_text.clear();
    m_title.clear();
    SetRectEmpty(&m_area);
    if (IsWindowVisible(m_hwnd)) ShowWindow(m_hwnd, SW_HIDE);
}

SIZE CWindow_Comment::Measure() {
    CWindowDC screen;
    CSelectObject font(screen, m_font.Get());
    RECT body = htmlwin::SetWordWrap(*m_caption, true, screen, RECT{0, 0, kWidth, 10000});
    int width = std::max<int>(body.right - body.left, 1), height = body.bottom - body.top;
    if (!m_title.empty()) {
        RECT t{0, 0, kWidth, 0};
        DrawTextA(screen, m_title.c_str(), -1, &t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        width = std::max<int>(width, t.right);
        height += t.bottom + kMargin;
    }
    return SIZE{width + 2 * kMargin + 2, height + 2 * kMargin + 2};
}

void CWindow_Comment::Appear() {
    KillTimer(m_hwnd, kShowTimer);
    // Only while the owner's window chain is the active one.
    HWND active = GetActiveWindow(), root = GetAncestor(m_owner, GA_ROOT);
    if (active && root && active != root && GetAncestor(active, GA_ROOTOWNER) != GetAncestor(root, GA_ROOTOWNER)) return;
    const SIZE size = Measure();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = std::max<int>(work.left, std::min<int>(m_at.x, work.right - size.cx));
    const int y = std::max<int>(work.top, std::min<int>(m_at.y - size.cy / 2, work.bottom - size.cy));
    SetWindowPos(m_hwnd, HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(m_hwnd, nullptr, TRUE);
    SetTimer(m_hwnd, kHideTimer, kDisplayTime, nullptr);
}

void CWindow_Comment::Paint(HDC dc) {
    RECT r;
    GetClientRect(m_hwnd, &r);
    FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    CSelectObject font(dc, m_font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    InflateRect(&r, -kMargin, -kMargin);
    if (!m_title.empty()) {
        RECT t = r;
        DrawTextA(dc, m_title.c_str(), -1, &t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        DrawTextA(dc, m_title.c_str(), -1, &t, DT_WORDBREAK | DT_NOPREFIX);
        r.top = t.bottom + kMargin;
    }
    if (m_caption) htmlwin::DrawCaption(*m_caption, dc, RECT{r.left, r.top, r.right, r.top + htmlwin::GetHeight(*m_caption, dc)});
}

LRESULT CALLBACK CWindow_Comment::WndProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<CWindow_Comment*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    return self ? self->Handle(msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CWindow_Comment::Handle(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;  // the mouse reaches the window below
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(m_hwnd, &ps);
        Paint(dc);
        EndPaint(m_hwnd, &ps);
        return 0;
    }
    case WM_TIMER:
        if (wp == kShowTimer) {
            Appear();
        } else if (wp == kHideTimer) {
            if (GetAsyncKeyState(VK_CONTROL) < 0) return 0;  // kept while Control is held
            ShowWindow(m_hwnd, SW_HIDE);
            KillTimer(m_hwnd, kHideTimer);
        } else if (wp == kTrackTimer) {
            POINT pt;
            GetCursorPos(&pt);
            if (!IsRectEmpty(&m_area) && !PtInRect(&m_area, pt)) Hide();
        }
        return 0;
    default:
        return DefWindowProcA(m_hwnd, msg, wp, lp);
    }
}
