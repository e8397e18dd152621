#include "pictures/win/CWindow_Comment.h"

#include <algorithm>

#include "html/win/HTMLCaptionDraw.h"
#include "platform/WindowDpi.h"
#include "scaling/DpiScale.h"

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
    if (!CWindow::Create(g_class, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP | WS_BORDER,
                         RECT{0, 0, 0, 0}, owner))
        return false;
    m_theme.Open(Handle(), L"Tooltip");
    return true;
}

void CWindow_Comment::Destroy() {
    if (!IsWindow()) return;
    CWindow::Destroy();
    m_theme.Close();
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
    m_caption->SetCaption(text, m_host);
    m_caption->SetIconSize(dpi::IconSize(WindowDpi(m_owner)));  // as large as the toolbar's
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
    const int widest = dpi::Scale(kWidth, WindowDpi(m_owner));
    RECT body = htmlwin::SetWordWrap(*m_caption, true, screen, RECT{0, 0, widest, 10000});
    int width = std::max<int>(body.right - body.left, 1), height = body.bottom - body.top;
    if (!m_title.empty()) {
        RECT t{0, 0, widest, 0};
        DrawTextA(screen, m_title.c_str(), -1, &t, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        width = std::max<int>(width, t.right);
        height += t.bottom + kMargin;
    }
    const int margin = Margin(screen);
    return SIZE{width + 2 * margin, height + 2 * margin};
}

int CWindow_Comment::Margin(HDC dc) const {
    // The theme's content margin of a 32 x 32 tooltip, spread over both sides.
    RECT content{};
    if (m_theme.ContentRect(dc, 1, 1, RECT{0, 0, 32, 32}, content))
        return std::max<int>(kMargin, (32 - (content.right - content.left)) / 2 + 1);
    return kMargin + 1;
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
    if (!m_theme.DrawBackground(dc, 1, 1, r)) FillRect(dc, &r, GetSysColorBrush(COLOR_INFOBK));
    CSelectObject font(dc, m_font.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_INFOTEXT));
    const int margin = Margin(dc) - 1;  // the client area lies inside the 1-pixel border
    InflateRect(&r, -margin, -margin);
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
    case WM_THEMECHANGED:
        m_theme.Open(Handle(), L"Tooltip");
        return 0;
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
