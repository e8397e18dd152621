#pragma once
// Clips a device context to a rectangle in device units for the scope's life;
// the clip region it had before (or none) is put back when the scope ends.
#include <windows.h>
#include "Gdi.h"

class CPrintClipRect {
public:
    CPrintClipRect(HDC dc, const RECT& deviceRect) : dc_(dc), previous_(CreateRectRgn(0, 0, 0, 0)) {
        // GetClipRgn answers 1 only when the context had a clip region of its own.
        hadClip_ = previous_ && GetClipRgn(dc_, previous_.Get()) == 1;
        Region clip(CreateRectRgnIndirect(&deviceRect));
        SelectClipRgn(dc_, clip.Get());  // the context keeps a copy
    }
    ~CPrintClipRect() { SelectClipRgn(dc_, hadClip_ ? previous_.Get() : nullptr); }
    CPrintClipRect(const CPrintClipRect&) = delete;
    CPrintClipRect& operator=(const CPrintClipRect&) = delete;

private:
    HDC dc_;
    Region previous_;
    bool hadClip_ = false;
};
