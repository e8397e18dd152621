#include "Window.h"
#include "Module.h"

CWindow::~CWindow() { Destroy(); }

void CWindow::Destroy() {
    if (IsWindow()) DestroyWindow(hwnd_);
    hwnd_ = nullptr;
}

bool CWindow::RegisterClassOnce(ClassInfo& info) {
    HINSTANCE instance = CModule::Instance();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof(existing);
    if (info.baseProc && GetClassInfoExA(instance, info.name, &existing)) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    info.baseProc = DefWindowProcA;
    if (info.baseClass) {
        WNDCLASSEXA base{};
        base.cbSize = sizeof(base);
        if (!GetClassInfoExA(nullptr, info.baseClass, &base)) return false;
        wc = base;
        wc.cbSize = sizeof(wc);
        info.baseProc = base.lpfnWndProc;
    }
    wc.lpfnWndProc = Proc;
    wc.hInstance = instance;
    wc.lpszClassName = info.name;
    wc.style |= info.style;
    if (info.iconId) wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(info.iconId));
    if (!wc.hCursor) wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    if (info.background) wc.hbrBackground = info.background;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

HWND CWindow::Create(ClassInfo& info, DWORD exStyle, DWORD style, const RECT& r, HWND parent, UINT id) {
    if (IsWindow() || !RegisterClassOnce(info)) return nullptr;
    baseProc_ = info.baseProc;
    HMENU menu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id));
    CreateWindowExA(exStyle, info.name, "", style, r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                    menu, CModule::Instance(), this);
    return hwnd_;
}

LRESULT CWindow::DefProc(UINT msg, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(baseProc_, hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK CWindow::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<CWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self && msg == WM_NCCREATE) {
        self = static_cast<CWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg != WM_NCDESTROY) return self->OnMessage(msg, wParam, lParam);
    // The window's last message: the object lets go of it, then may go itself.
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    const LRESULT result = CallWindowProcA(self->baseProc_, hwnd, msg, wParam, lParam);
    self->hwnd_ = nullptr;
    self->OnFinalMessage();
    return result;
}

CMemDC::CMemDC(HDC target, const RECT& rect)
    : target_(target), rect_(rect), dc_(CreateCompatibleDC(target)),
      bitmap_(CreateCompatibleBitmap(target, rect.right - rect.left, rect.bottom - rect.top)),
      oldBitmap_(SelectObject(dc_, bitmap_)) {
    SetWindowOrgEx(dc_, rect.left, rect.top, nullptr);
}

CMemDC::~CMemDC() {
    SetWindowOrgEx(dc_, 0, 0, nullptr);
    BitBlt(target_, rect_.left, rect_.top, rect_.right - rect_.left, rect_.bottom - rect_.top, dc_, 0, 0, SRCCOPY);
    SelectObject(dc_, oldBitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
}

CUpdateCursor::~CUpdateCursor() {
    SetCursor(saved_);
    POINT p;
    if (!::IsWindow(hwnd_) || !GetCursorPos(&p) || WindowFromPoint(p) != hwnd_) return;
    const LRESULT hit = SendMessageA(hwnd_, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
    SendMessageA(hwnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(hit, WM_MOUSEMOVE));
}

bool TrackMouseLoop(HWND hwnd, int button, void (*onMove)(void*, POINT), void* context) {
    CCapture capture(hwnd);
    POINT last{LONG_MIN, LONG_MIN};
    for (;;) {
        MSG msg;
        if (!GetMessageA(&msg, nullptr, 0, 0)) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit for the host's loop
            return false;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) return false;
        const UINT up = button == VK_RBUTTON ? WM_RBUTTONUP : WM_LBUTTONUP;
        if (msg.message == up) return true;
        if (msg.message == WM_MOUSEMOVE) {
            POINT p;
            GetCursorPos(&p);
            ScreenToClient(hwnd, &p);
            if (p.x != last.x || p.y != last.y) onMove(context, p);
            last = p;
            continue;
        }
        if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (GetCapture() != hwnd) return false;  // capture taken away: the drag is over
    }
}
