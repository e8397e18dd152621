#pragma once
// A window of ours: the class is registered by name on first use (a superclass of a system
// class when it names one), `this` rides in the window's user data from WM_NCCREATE on, and
// every message reaches one OnMessage. The window is destroyed with its object.
#include <windows.h>

class CWindow {
public:
    struct ClassInfo {
        const char* name;
        const char* baseClass;  // null: a class of our own; else the system class we extend
        UINT style;
        int iconId;  // 0: none; else an icon resource of the module
        HBRUSH background;
        WNDPROC baseProc;  // filled at registration: DefWindowProcA or the base class's procedure
    };

    CWindow() = default;
    virtual ~CWindow();
    CWindow(const CWindow&) = delete;
    CWindow& operator=(const CWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ && ::IsWindow(hwnd_); }
    void Destroy();

    // Registers the class of `info` for this module once; false when the system refused.
    static bool RegisterClassOnce(ClassInfo& info);

protected:
    HWND Create(ClassInfo& info, DWORD exStyle, DWORD style, const RECT& rect, HWND parent, UINT id = 0);
    virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) { return DefProc(msg, wParam, lParam); }
    LRESULT DefProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // After the window is gone (WM_NCDESTROY); the object may delete itself here.
    virtual void OnFinalMessage() {}

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
    WNDPROC baseProc_ = DefWindowProcA;
};

// BeginPaint / EndPaint.
class CPaintDC {
public:
    explicit CPaintDC(HWND hwnd) : hwnd_(hwnd) { dc_ = BeginPaint(hwnd_, &ps_); }
    ~CPaintDC() { EndPaint(hwnd_, &ps_); }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    const RECT& Area() const { return ps_.rcPaint; }  // what needs painting

private:
    HWND hwnd_;
    PAINTSTRUCT ps_{};
    HDC dc_;
};

// A memory device context with a bitmap compatible with `target` of the given size; the
// picture drawn into it goes to `target` at (x, y) with Flush, or when the scope ends.
class CMemDC {
public:
    CMemDC(HDC target, const RECT& rect);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HDC target_;
    RECT rect_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ oldBitmap_;
};

// Holds the cursor for a scope: at the end the old one is back and the window chooses
// again through WM_SETCURSOR, as what lies under the pointer may have changed meanwhile.
class CUpdateCursor {
public:
    explicit CUpdateCursor(HWND hwnd) : hwnd_(hwnd), saved_(GetCursor()) {}
    ~CUpdateCursor();
    CUpdateCursor(const CUpdateCursor&) = delete;
    CUpdateCursor& operator=(const CUpdateCursor&) = delete;

private:
    HWND hwnd_;
    HCURSOR saved_;
};

// Captures the mouse for the scope's life.
class CCapture {
public:
    explicit CCapture(HWND hwnd) { SetCapture(hwnd); }
    ~CCapture() { ReleaseCapture(); }
    CCapture(const CCapture&) = delete;
    CCapture& operator=(const CCapture&) = delete;
};

// The modal mouse-tracking loop of pop-ups, drags and pans: pumps the thread's messages while
// `button` (VK_LBUTTON or VK_RBUTTON) stays down, calls `onMove` with each new pointer position
// in `hwnd`'s client coordinates, and ends on release (true) or ESC (false).
template <class OnMove>
bool TrackMouse(HWND hwnd, int button, OnMove onMove);
bool TrackMouseLoop(HWND hwnd, int button, void (*onMove)(void*, POINT), void* context);

template <class OnMove>
bool TrackMouse(HWND hwnd, int button, OnMove onMove) {
    return TrackMouseLoop(hwnd, button, [](void* c, POINT p) { (*static_cast<OnMove*>(c))(p); }, &onMove);
}
