#pragma once
// Ctrl+C in the preview: a copy of a recorded page's metafile goes to the clipboard.
#include <windows.h>

// Empties the clipboard and leaves a copy of `page` on it as CF_ENHMETAFILE. False
// (and nothing changed) without a page or when another window holds the clipboard.
bool CopyPageToClipboard(HWND owner, HENHMETAFILE page);
