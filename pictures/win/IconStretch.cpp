#include "IconStretch.h"

#include <algorithm>
#include <vector>

#include "Gdi.h"
#include "scaling/ImageStretch.h"

namespace {

// The icon's own size, from its colour bitmap (or its mask, which is twice as tall).
SIZE IconSizeOf(HICON icon) {
    ICONINFO info{};
    if (!GetIconInfo(icon, &info)) return {};
    BITMAP bm{};
    const bool colour = info.hbmColor != nullptr;
    GetObject(colour ? info.hbmColor : info.hbmMask, sizeof bm, &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return SIZE{bm.bmWidth, colour ? bm.bmHeight : bm.bmHeight / 2};
}

// The icon drawn on one background colour into a 32-bit top-down bitmap of its size.
std::vector<uint32_t> Render(HICON icon, SIZE size, DWORD background) {
    void* bits = nullptr;
    Bitmap bitmap(CreateDib32(size.cx, size.cy, &bits));
    COwnedDC dc(CreateCompatibleDC(nullptr));
    if (!bitmap || !bits || !dc) return {};
    auto* pixels = static_cast<DWORD*>(bits);
    const size_t count = static_cast<size_t>(size.cx) * size.cy;
    std::fill(pixels, pixels + count, background);
    {
        CSelectObject select(dc, bitmap.Get());
        DrawIconEx(dc, 0, 0, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
        GdiFlush();
    }
    return std::vector<uint32_t>(pixels, pixels + count);
}

// Premultiplied pixels: on black the colours are already weighted by coverage; how much of
// white shows through gives the coverage itself.
std::vector<uint32_t> Premultiplied(HICON icon, SIZE size) {
    std::vector<uint32_t> black = Render(icon, size, 0), white = Render(icon, size, 0xFFFFFF);
    if (black.empty() || white.size() != black.size()) return {};
    for (size_t i = 0; i < black.size(); ++i) {
        int through = 0;
        for (int shift = 0; shift < 24; shift += 8)
            through = std::max(through, static_cast<int>((white[i] >> shift) & 0xFF) -
                                            static_cast<int>((black[i] >> shift) & 0xFF));
        const uint32_t alpha = static_cast<uint32_t>(255 - through);
        uint32_t p = 0;
        for (int shift = 0; shift < 24; shift += 8)
            p |= std::min<uint32_t>((black[i] >> shift) & 0xFF, alpha) << shift;
        black[i] = p | (alpha << 24);
    }
    return black;
}

// A disabled look: grey of the same coverage, lightened.
void Grey(std::vector<uint32_t>& pixels) {
    for (uint32_t& p : pixels) {
        const uint32_t a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
        const uint32_t grey = std::min(a, ((r * 30 + g * 59 + b * 11) / 100 + a) / 2);
        p = (a << 24) | (grey << 16) | (grey << 8) | grey;
    }
}

}  // namespace

void DrawIconStretched(HDC dc, const RECT& at, HICON icon, bool enabled) {
    const int w = at.right - at.left, h = at.bottom - at.top;
    const SIZE own = icon ? IconSizeOf(icon) : SIZE{};
    if (w < 1 || h < 1 || w > 1024 || h > 1024 || own.cx < 1 || own.cy < 1 || own.cx > 1024 || own.cy > 1024) return;
    std::vector<uint32_t> pixels = dpi::StretchSmooth(Premultiplied(icon, own), own.cx, own.cy, w, h);
    if (pixels.empty()) return;
    if (!enabled) Grey(pixels);
    void* bits = nullptr;
    Bitmap bitmap(CreateDib32(w, h, &bits));
    COwnedDC memory(CreateCompatibleDC(nullptr));
    if (!bitmap || !bits || !memory) return;
    std::copy(pixels.begin(), pixels.end(), static_cast<DWORD*>(bits));
    CSelectObject select(memory, bitmap.Get());
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, at.left, at.top, w, h, memory, 0, 0, w, h, blend);
}
