#pragma once
// Themed drawing through UxTheme, bound at run time: without the library, its entry points, or
// active visual styles, a CTheme is closed and draws nothing, and callers draw plain edges.
#include <windows.h>

class CTheme {
public:
    CTheme() = default;
    ~CTheme() { Close(); }
    CTheme(const CTheme&) = delete;
    CTheme& operator=(const CTheme&) = delete;

    // True while the system's visual styles are on and applied to this application.
    static bool Active();

    // Opens the theme class (wide name, e.g. L"TOOLBAR") for the window when visual styles
    // are active; closes whatever was open before. False (closed) otherwise.
    bool Open(HWND window, const wchar_t* themeClass);
    void Close();
    bool IsOpen() const { return m_theme != nullptr; }

    // False when closed or the theme refused.
    bool DrawBackground(HDC dc, int part, int state, const RECT& rect) const;
    // The content rectangle of a part drawn in `bounds`; false (bounds unchanged) when closed.
    bool ContentRect(HDC dc, int part, int state, const RECT& bounds, RECT& content) const;

private:
    HANDLE m_theme = nullptr;
};
