#pragma once
// An icon drawn larger (or smaller) than its own size, smoothly: its pixels are read with
// their coverage, stretched with a tent filter and blended in, so a 16-pixel icon looks
// right beside text of a screen at 150%. Recording devices get the same bitmap.
#include <windows.h>

// The icon into `at` (its whole size); greyed when not enabled.
void DrawIconStretched(HDC dc, const RECT& at, HICON icon, bool enabled);
