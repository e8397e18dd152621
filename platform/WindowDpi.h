#pragma once
// The resolution a preview window draws at. It is the screen's (LOGPIXELSY) until its frame
// is told of another by WM_DPICHANGED (moved to a monitor of another scale); the frame keeps
// that value on itself, and every window below it reads it from there.
#include <windows.h>
// (the screen's own is ScreenDpi() of Gdi.h)

// The resolution of the window's top-level frame; the screen's for none.
int WindowDpi(HWND window);
// Kept on the top-level window; 0 forgets it (the screen's again).
void SetWindowDpi(HWND topLevel, int dpi);
