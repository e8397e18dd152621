#include "CPopupList.h"
#include "Gdi.h"
#include "scaling/DpiScale.h"
#include <algorithm>

namespace {
CWindow::ClassInfo g_class{"Koravel.Zoom.ListBox", "ListBox", 0, 0, nullptr, nullptr};
}  // namespace

bool CPopupList::Show(int x, int y, int& index) {
    if (!Create(g_class, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME, 0x40200100, RECT{x, y, x, y},
                GetDesktopWindow()))
        return false;
    HFONT font = font_ ? font_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    int widest = 0, lineHeight = 0;
    {
        CWindowDC dc(Handle());
        CSelectObject select(dc, font);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        lineHeight = tm.tmHeight;
        for (const std::string& item : items_) {
            SIZE size{};
            GetTextExtentPoint32A(dc, item.c_str(), static_cast<int>(item.size()), &size);
            widest = std::max<int>(widest, size.cx);
            SendMessageA(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        }
    }
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, widest + dpi::Scale(16, dpi_),
                 static_cast<int>(items_.size()) * lineHeight + dpi::Scale(8, dpi_),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateWindow(Handle());
    const bool released = TrackMouse(Handle(), VK_LBUTTON, [this](POINT p) {
        RECT client;
        GetClientRect(Handle(), &client);
        const LRESULT hit = PtInRect(&client, p) ? SendMessageA(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y))
                                                 : MAKELRESULT(0, 1);
        SendMessageA(Handle(), LB_SETCURSEL, HIWORD(hit) ? static_cast<WPARAM>(-1) : LOWORD(hit), 0);
    });
    const LRESULT selected = SendMessageA(Handle(), LB_GETCURSEL, 0, 0);
    Destroy();
    if (!released || selected == LB_ERR) return false;
    index = static_cast<int>(selected);
    return true;
}
