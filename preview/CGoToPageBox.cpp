#include "CGoToPageBox.h"
#include "Gdi.h"
#include <utility>

namespace {

CWindow::ClassInfo g_boxClass{"Koravel.Print.GoToPage", nullptr, 0, 0, nullptr, nullptr};
CWindow::ClassInfo g_editClass{"Koravel.Print.GoToPageEdit", "EDIT", 0, 0, nullptr, nullptr};
constexpr int kPad = 4, kEditWidth = 72, kHeight = 28;
constexpr int kLongestText = 32;  // more digits than any page count has

}  // namespace

CGoToPageBox::~CGoToPageBox() { Destroy(); }

HWND CGoToPageBox::CNumberEdit::Create(HWND parent, const RECT& rect) {
    return CWindow::Create(g_editClass, WS_EX_CLIENTEDGE, WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect, parent);
}

LRESULT CGoToPageBox::CNumberEdit::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            box_.OnReturn();
            return 0;
        }
        if (wParam == VK_ESCAPE) {
            box_.Close();
            return 0;
        }
        break;
    case WM_CHAR:
        if (wParam == '\r' || wParam == 27) return 0;  // handled on the key: no edit beep
        break;
    case WM_KILLFOCUS:
        // Leaving the box ends it; closing from inside the focus change would pull the
        // window away under the edit's own handling.
        if (HWND box = GetParent(Handle())) PostMessageA(box, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
    return DefProc(msg, wParam, lParam);
}

void CGoToPageBox::Open(HWND frame, POINT at, const std::string& label, HWND returnFocus, Commit commit) {
    if (!IsWindow()) {
        label_ = label;
        SIZE text{};
        {
            CWindowDC screen;
            CSelectObject font(screen, GetStockObject(DEFAULT_GUI_FONT));
            GetTextExtentPoint32A(screen, label_.c_str(), static_cast<int>(label_.size()), &text);
        }
        const int width = kPad * 3 + text.cx + kEditWidth;
        if (!Create(g_boxClass, 0, WS_CHILD | WS_BORDER | WS_CLIPSIBLINGS, RECT{at.x, at.y, at.x + width, at.y + kHeight},
                    frame))
            return;
        RECT client;
        GetClientRect(Handle(), &client);
        if (!edit_.Create(Handle(), RECT{client.right - kPad - kEditWidth, kPad - 1, client.right - kPad,
                                         client.bottom - kPad + 1})) {
            Destroy();
            return;
        }
        SendMessageA(edit_.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        SendMessageA(edit_.Handle(), EM_LIMITTEXT, kLongestText, 0);
        returnFocus_ = returnFocus;
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    }
    commit_ = std::move(commit);
    SetFocus(edit_.Handle());
    SendMessageA(edit_.Handle(), EM_SETSEL, 0, -1);
}

void CGoToPageBox::Close() {
    if (!IsWindow() || closing_) return;
    closing_ = true;
    // The keyboard goes back first, so the focus never rests on a window being destroyed.
    if (::IsWindow(returnFocus_)) SetFocus(returnFocus_);
    Destroy();
    commit_ = nullptr;
    closing_ = false;
}

void CGoToPageBox::OnReturn() {
    char text[kLongestText + 2] = "";
    GetWindowTextA(edit_.Handle(), text, sizeof text);
    if (commit_ && commit_(text)) {
        Close();
        return;
    }
    MessageBeep(MB_OK);
    SendMessageA(edit_.Handle(), EM_SETSEL, 0, -1);
}

void CGoToPageBox::OnPaint() {
    CPaintDC paint(Handle());
    RECT client;
    GetClientRect(Handle(), &client);
    FillRect(paint, &client, GetSysColorBrush(COLOR_BTNFACE));
    CSelectObject font(paint, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(paint, TRANSPARENT);
    SetTextColor(paint, GetSysColor(COLOR_BTNTEXT));
    RECT label{client.left + kPad, client.top, client.right - kPad * 2 - kEditWidth, client.bottom};
    DrawTextA(paint, label_.c_str(), static_cast<int>(label_.size()), &label, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

LRESULT CGoToPageBox::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CLOSE:
        Close();
        return 0;
    default:
        break;
    }
    return DefProc(msg, wParam, lParam);
}
