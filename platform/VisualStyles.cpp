#include "VisualStyles.h"

#include "Library.h"

namespace {

using IsThemeActiveFn = BOOL(WINAPI*)();
using IsAppThemedFn = BOOL(WINAPI*)();
using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
using GetThemeBackgroundContentRectFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);

// The library stays loaded for the process (never freed: a static's destructor would free it
// inside DllMain when the control's module unloads).
struct UxTheme {
    const CLibrary& library = *new CLibrary("uxtheme.dll");
    IsThemeActiveFn isThemeActive = library.Proc<IsThemeActiveFn>("IsThemeActive");
    IsAppThemedFn isAppThemed = library.Proc<IsAppThemedFn>("IsAppThemed");
    OpenThemeDataFn open = library.Proc<OpenThemeDataFn>("OpenThemeData");
    CloseThemeDataFn close = library.Proc<CloseThemeDataFn>("CloseThemeData");
    DrawThemeBackgroundFn draw = library.Proc<DrawThemeBackgroundFn>("DrawThemeBackground");
    GetThemeBackgroundContentRectFn content =
        library.Proc<GetThemeBackgroundContentRectFn>("GetThemeBackgroundContentRect");

    bool Complete() const { return isThemeActive && isAppThemed && open && close && draw && content; }
};

const UxTheme& Ux() {
    static UxTheme ux;
    return ux;
}

}  // namespace

bool CTheme::Active() {
    const UxTheme& ux = Ux();
    return ux.Complete() && ux.isThemeActive() && ux.isAppThemed();
}

bool CTheme::Open(HWND window, const wchar_t* themeClass) {
    Close();
    if (Active()) m_theme = Ux().open(window, themeClass);
    return m_theme != nullptr;
}

void CTheme::Close() {
    if (m_theme) Ux().close(m_theme);
    m_theme = nullptr;
}

bool CTheme::DrawBackground(HDC dc, int part, int state, const RECT& rect) const {
    return m_theme && SUCCEEDED(Ux().draw(m_theme, dc, part, state, &rect, nullptr));
}

bool CTheme::ContentRect(HDC dc, int part, int state, const RECT& bounds, RECT& content) const {
    return m_theme && SUCCEEDED(Ux().content(m_theme, dc, part, state, &bounds, &content));
}
