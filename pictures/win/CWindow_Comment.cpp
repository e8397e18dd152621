#include "pictures/win/CWindow_Comment.h"

#include <algorithm>

#include "html/win/HTMLCaptionDraw.h"

namespace {
CWindow::ClassInfo g_class{CWindow_Comment::kClassName, nullptr, CS_SAVEBITS, 0, nullptr, nullptr};  // hiding restores what lay below
}  // namespace

bool CWindow_Comment::Create(HWND owner) {
    if (IsWindow()) return true;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!m_font && SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
        m_font.Reset(CreateFontIndirectA(&metrics.lfStatusFont));
    m_owner = owner;
    return CWindow::Create(g_class, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP | WS_BORDER,
                           RECT{0, 0, 0, 0}, owner) != nullptr;
}

void CWindow_Comment::Destroy() {
    if (!IsWindow()) return;
    CWindow::Destroy();
    m_text.clear();
}

void CWindow_Comment::ShowAt(const std::string& text, POINT screen, const RECT& area, const std::string& title) {
    if (!IsWindow()) return;
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
    SetTimer(Handle(), kShowTimer, kShowDelay, nullptr);
    SetTimer(Handle(), kTrackTimer, kTrackInterval, nullptr);
}

void CWindow_Comment::Hide() {
    if (!IsWindow()) return;
    KillTimer(Handle(), kShowTimer);
    KillTimer(Handle(), kHideTimer);
    KillTimer(Handle(), kTrackTimer);
    m_text.clear();
    m_title.clear();
    SetRectEmpty(&m_area);
    if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
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
    KillTimer(Handle(), kShowTimer);
    // Only while the owner's window chain is the active one.
    HWND active = GetActiveWindow(), root = GetAncestor(m_owner, GA_ROOT);
    if (active && root && active != root && GetAncestor(active, GA_ROOTOWNER) != GetAncestor(root, GA_ROOTOWNER)) return;
    const SIZE size = Measure();
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = std::max<int>(work.left, std::min<int>(m_at.x, work.right - size.cx));
    const int y = std::max<int>(work.top, std::min<int>(m_at.y - size.cy / 2, work.bottom - size.cy));
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(Handle(), nullptr, TRUE);
    SetTimer(Handle(), kHideTimer, kDisplayTime, nullptr);
}

void CWindow_Comment::Paint(HDC dc) {
    RECT r;
    GetClientRect(Handle(), &r);
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

LRESULT CWindow_Comment::OnMessage(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCHITTEST:
        return HTTRANSPARENT;  // the mouse reaches the window below
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_PAINT: {
        CPaintDC dc(Handle());
        Paint(dc);
        return 0;
    }
    case WM_TIMER:
        if (wp == kShowTimer) {
            Appear();
        } else if (wp == kHideTimer) {
            if (GetAsyncKeyState(VK_CONTROL) < 0) return 0;  // kept while Control is held
            ShowWindow(Handle(), SW_HIDE);
            KillTimer(Handle(), kHideTimer);
        } else if (wp == kTrackTimer) {
            POINT pt;
            GetCursorPos(&pt);
            if (!IsRectEmpty(&m_area) && !PtInRect(&m_area, pt)) Hide();
        }
        return 0;
    default:
        return DefProc(msg, wp, lp);
    }
}
