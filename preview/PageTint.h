#pragma once
// Pages outside the print set look dimmed: their pixels ANDed with the menu colour. The
// workspace and the pages pane tint alike.
#include <windows.h>
#include "platform/Gdi.h"

inline void TintPage(HDC dc, const RECT& r) {
    CSelectObject brush(dc, GetSysColorBrush(COLOR_MENU));
    PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, 0x00A000C9);  // DPa
}
