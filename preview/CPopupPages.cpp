#include "CPopupPages.h"
#include "Gdi.h"
#include "IconStretch.h"
#include "Module.h"
#include <algorithm>
#include <cstdio>

namespace {
CWindow::ClassInfo g_class{"Koravel.Print.Preview", nullptr, 0, 0, nullptr, nullptr};
constexpr int kPageIconId = 214;
}  // namespace

CPopupPagesBase::~CPopupPagesBase() {
    Destroy();
    if (icon_) DestroyIcon(icon_);
}

bool CPopupPagesBase::Show(int x, int y, long grid, long& chosen) {
    if (grid == 0) return false;
    columns_ = std::max<int>(minColumns_, LOWORD(grid));
    rows_ = std::max<int>(minRows_, HIWORD(grid));
    chosenColumns_ = chosenRows_ = 0;
    if (!icon_)
        icon_ = static_cast<HICON>(
            LoadImageA(CModule::Instance(), MAKEINTRESOURCEA(kPageIconId), IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    const int pitch = metrics_.pitch;
    const RECT r{x, y, x + columns_ * pitch + 5, y + (rows_ + 1) * pitch};
    if (!Create(g_class, WS_EX_TOPMOST | WS_EX_TOOLWINDOW, WS_CHILD, r, GetDesktopWindow())) return false;
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(Handle());
    const bool released = TrackMouse(Handle(), VK_LBUTTON, [this](POINT p) { Choose(p); });
    Destroy();
    if (!released || !chosenColumns_ || !chosenRows_) return false;
    chosen = MAKELONG(chosenColumns_, chosenRows_);
    return true;
}

void CPopupPagesBase::Choose(POINT p) {
    const int pitch = metrics_.pitch;
    const RECT area{2, 2, columns_ * pitch + 6, rows_ * pitch + 6};
    int c = 0, r = 0;
    if (PtInRect(&area, p)) {
        c = std::min<int>(columns_, (p.x - 2) / pitch + 1);
        r = std::min<int>(rows_, (p.y - 2) / pitch + 1);
    }
    if (c == chosenColumns_ && r == chosenRows_) return;
    chosenColumns_ = c;
    chosenRows_ = r;
    if (IsWindow()) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
}

std::string CPopupPagesBase::Text() const {
    if (!chosenColumns_ || !chosenRows_) return "Cancel";
    char text[64];
    snprintf(text, sizeof(text), "%i x %i Pages", chosenColumns_, chosenRows_);
    return text;
}

void CPopupPagesBase::Paint(HDC dc) {
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
    RECT frame = client;
    DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH);
    CSelectObject pen(dc, GetStockObject(DC_PEN));
    SetDCPenColor(dc, GetSysColor(COLOR_BTNSHADOW));
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < columns_; ++column) {
            const bool chosen = column < chosenColumns_ && row < chosenRows_;
            const int x = 2 + 1 + column * metrics_.pitch, y = 2 + 2 + row * metrics_.pitch;
            CSelectObject brush(dc, GetSysColorBrush(chosen ? COLOR_HIGHLIGHT : COLOR_BTNFACE));
            Rectangle(dc, x, y, x + metrics_.cell, y + metrics_.cell);
            const RECT at{x + metrics_.inset, y + metrics_.inset, x + metrics_.inset + metrics_.icon,
                          y + metrics_.inset + metrics_.icon};
            if (icon_ && metrics_.icon > 16)
                DrawIconStretched(dc, at, icon_, true);
            else if (icon_)
                DrawIconEx(dc, at.left, at.top, icon_, 16, 16, 0, nullptr, DI_NORMAL);
        }
    }
    RECT textRect{2, 2 + rows_ * metrics_.pitch + 2, client.right - 2, client.bottom - 2};
    DrawEdge(dc, &textRect, EDGE_ETCHED, BF_RECT);
    CSelectObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_MENUTEXT));
    const std::string text = Text();
    DrawTextA(dc, text.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

LRESULT CPopupPagesBase::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        CPaintDC paint(Handle());
        RECT client;
        GetClientRect(Handle(), &client);
        CMemDC memory(paint, client);
        Paint(memory);
        return 0;
    }
    default:
        return DefProc(msg, wParam, lParam);
    }
}
