#include "CPrintMainFrame.h"
#include "CHostEMFPages.h"
#include "CPopupList.h"
#include "CPopupPages.h"
#include "Gdi.h"
#include "Messages.h"
#include "PaneFocus.h"
#include "WindowDpi.h"
#include "scaling/DpiScale.h"
#include <algorithm>
#include <utility>

namespace {

CWindow::ClassInfo g_class{"Koravel.Print.MainFrame", nullptr, CS_DBLCLKS, 201, nullptr, nullptr};
constexpr DWORD kStyle = 0x06CF0000;    // overlapped window, clipping its children and siblings
constexpr DWORD kExStyle = 0x00040100;  // application window with a raised edge
constexpr const char* kSection = "Koravel.Print";
constexpr int kInset = 4;

int Profile(const char* name, int fallback) { return static_cast<int>(GetProfileIntA(kSection, name, fallback)); }

void WriteProfile(const char* name, int value) {
    WriteProfileStringA(kSection, name, std::to_string(value).c_str());
}

}  // namespace

CPrintMainFrame::CPrintMainFrame(IDefaultSettings& defaults, CHostEMFPages& pages, IUnkWindowObject& owner)
    : owner_(owner), workspace_(defaults, pages, toolbar_), findBar_(workspace_, pages, toolbar_) {
    toolbar_.SetCaptionHost(&pages);  // the control's image list draws the buttons' icons
    workspace_.SetFindBar(&findBar_);
}

CPrintMainFrame::~CPrintMainFrame() {
    // The children's objects must still be whole while their windows go.
    Destroy();
}

void CPrintMainFrame::Preview(const std::string& plainCaption) {
    if (IsWindow()) return;
    DWORD error = 0;
    if (!workspace_.Settings().LoadDefaults(&error) && error) return;
    const int sx = GetSystemMetrics(SM_CXSCREEN), sy = GetSystemMetrics(SM_CYSCREEN);
    const int x = Profile("PrintMainFrame_X", (sx - sx / 3) / 2);
    const int y = Profile("PrintMainFrame_Y", (sy - sy / 3) / 2);
    const int dx = Profile("PrintMainFrame_DX", sx / 3);
    const int dy = Profile("PrintMainFrame_DY", sy / 3);
    if (!Create(g_class, kExStyle, kStyle, RECT{x, y, x + dx, y + dy}, nullptr)) return;
    const std::string title = "'" + (plainCaption.empty() ? std::string("Untitled Document") : plainCaption) + "' " +
                              toolbar_.ItemCaption(10);
    SetWindowTextA(Handle(), title.c_str());
    int show = SW_SHOW;
    if (Profile("PrintMainFrame_Maximized", 0))
        show = SW_SHOWMAXIMIZED;
    else if (Profile("PrintMainFrame_Minimized", 0) > 0)
        show = SW_SHOWMINIMIZED;
    ShowWindow(Handle(), show);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(Handle());
}

void CPrintMainFrame::OnCreate() {
    if (!autoRelease_) {
        owner_.AddRefObject();
        holdsOwner_ = true;
    }
    workspace_.Create(Handle());
    toolbar_.SetPopups(this);
    toolbar_.Create(Handle(), workspace_.Window());
    statusBar_.Create(Handle());
    workspace_.Refresh(false, true);
}

void CPrintMainFrame::OnSize() {
    RECT r;
    GetClientRect(Handle(), &r);
    if (HWND bar = toolbar_.Window(); bar && IsWindowVisible(bar)) {
        const int height = toolbar_.Height();
        SetWindowPos(bar, nullptr, r.left, r.top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
        if (firstLayout_) {
            toolbar_.LayoutItems();
            firstLayout_ = false;
        }
        r.top += height;
    }
    if (const int height = findBar_.Height()) {
        SetWindowPos(findBar_.Handle(), nullptr, r.left, r.top, r.right - r.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
        r.top += height;
    }
    if (statusBar_.IsWindow() && IsWindowVisible(statusBar_.Handle())) {
        statusBar_.Layout();
        r.bottom -= statusBar_.Height();
    }
    InflateRect(&r, -kInset, -kInset);
    if (workspace_.Window())
        MoveWindow(workspace_.Window(), r.left, r.top, std::max<int>(r.right - r.left, 0),
                   std::max<int>(r.bottom - r.top, 0), TRUE);
}

void CPrintMainFrame::OnClose() {
    const LONG style = GetWindowLongA(Handle(), GWL_STYLE);
    if (!(style & (WS_MINIMIZE | WS_MAXIMIZE))) {
        RECT r;
        GetWindowRect(Handle(), &r);
        WriteProfile("PrintMainFrame_X", r.left);
        WriteProfile("PrintMainFrame_Y", r.top);
        WriteProfile("PrintMainFrame_DX", r.right - r.left);
        WriteProfile("PrintMainFrame_DY", r.bottom - r.top);
    }
    WriteProfile("PrintMainFrame_Maximized", (style & WS_MAXIMIZE) ? 1 : 0);
    WriteProfile("PrintMainFrame_Minimized", (style & WS_MINIMIZE) ? 1 : 0);
}

void CPrintMainFrame::OnPaint() {
    // Only the borders around the children show: a plain fill needs no memory bitmap.
    CPaintDC paint(Handle());
    FillRect(paint, &paint.Area(), GetSysColorBrush(COLOR_MENU));
}

void CPrintMainFrame::OnDpiChanged(int dpi, const RECT* suggested) {
    SetWindowDpi(Handle(), dpi > 0 ? dpi::Sanitize(dpi) : 0);  // none given: the screen's again
    toolbar_.DpiChanged();
    // A rectangle from elsewhere: taken only when it has an area a screen can hold.
    if (suggested && suggested->right > suggested->left && suggested->bottom > suggested->top &&
        suggested->right - suggested->left <= 32767 && suggested->bottom - suggested->top <= 32767)
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    firstLayout_ = true;  // the toolbar lays its items out anew at the new size
    OnSize();
    if (workspace_.Window()) workspace_.Refresh(true, false);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void CPrintMainFrame::OnFinalMessage() {
    // The release may end the Print object, and this frame with it: nothing follows it.
    if (std::exchange(holdsOwner_, false)) owner_.ReleaseObject();
}

bool CPrintMainFrame::ShowList(POINT screen, const std::vector<std::string>& entries, int& chosen) {
    CPopupList list(entries);
    list.SetDpi(WindowDpi(Handle()));
    return list.Show(screen.x, screen.y, chosen);
}

bool CPrintMainFrame::ShowPages(POINT screen, long grid, long& chosen) {
    CPopupPages<3, 2> pages;
    pages.SetDpi(WindowDpi(Handle()));
    return pages.Show(screen.x, screen.y, grid, chosen);
}

LRESULT CPrintMainFrame::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_SETFOCUS:
        if (workspace_.Window()) SetFocus(workspace_.Window());
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(LOWORD(wParam), reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        break;  // the default handling destroys the window
    case WM_DESTROY:
        firstLayout_ = true;
        findBar_.Destroy();
        SetWindowDpi(Handle(), 0);
        toolbar_.Destroy();
        toolbar_.SetPopups(nullptr);
        break;
    default:
        if (msg == PreviewMessages::Get().setPaneText) {
            statusBar_.SetText(static_cast<int>(wParam), reinterpret_cast<const char*>(lParam));
            return 0;
        }
        if (msg == PreviewMessages::Get().nextPane) {
            MoveToNextPane(Handle(), wParam != 0);
            return 0;
        }
        break;
    }
    return DefProc(msg, wParam, lParam);
}
