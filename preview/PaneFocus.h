#pragma once
// The frame's side of the keyboard route: Tab and F6 from any pane move the focus to the next
// of the frame's visible, enabled child windows with WS_TABSTOP, in z-order and round the end.
// A new pane joins by having that style and sending "PM_NEXTPANE" to the frame.
#include <windows.h>

void MoveToNextPane(HWND frame, bool forward);
