#include "Gdi.h"

namespace {
constexpr int kHimetricPerInch = 2540;
}  // namespace

SIZE ScreenDpi() {
    CWindowDC screen;
    return SIZE{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
}

SIZEL PixelsToHimetric(SIZE pixels) {
    const SIZE dpi = ScreenDpi();
    return SIZEL{MulDiv(pixels.cx, kHimetricPerInch, dpi.cx), MulDiv(pixels.cy, kHimetricPerInch, dpi.cy)};
}

SIZE HimetricToPixels(SIZEL himetric) {
    const SIZE dpi = ScreenDpi();
    return SIZE{MulDiv(himetric.cx, dpi.cx, kHimetricPerInch), MulDiv(himetric.cy, dpi.cy, kHimetricPerInch)};
}

HBITMAP CreateDib32(int w, int h, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* ignored = nullptr;
    return CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits ? bits : &ignored, nullptr, 0);
}
