#include "WindowDpi.h"

#include "Gdi.h"

namespace {
constexpr char kProperty[] = "Koravel.Dpi";
}

int WindowDpi(HWND window) {
    HWND top = window && IsWindow(window) ? GetAncestor(window, GA_ROOT) : nullptr;
    const auto kept = top ? reinterpret_cast<INT_PTR>(GetPropA(top, kProperty)) : 0;
    return kept > 0 ? static_cast<int>(kept) : (ScreenDpi().cy > 0 ? ScreenDpi().cy : 96);
}

void SetWindowDpi(HWND topLevel, int dpi) {
    if (!topLevel || !IsWindow(topLevel)) return;
    if (dpi > 0)
        SetPropA(topLevel, kProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(dpi)));
    else
        RemovePropA(topLevel, kProperty);
}
