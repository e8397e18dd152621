#pragma once
// Recording and printing block the thread; ESC, read between pages, is how the user stops them.
#include <windows.h>

inline bool EscapePressed() { return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0; }
