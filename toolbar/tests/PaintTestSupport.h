#pragma once
// A 32-bit top-down DIB section selected into a memory DC, for reading back
// what a paint put where; and a count of the GDI objects this process holds.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <memory>

#include "Gdi.h"

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF background) : m_width(width), m_height(height) {
        m_dc.Reset(CreateCompatibleDC(nullptr));
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Reset(CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<const uint32_t*>(bits);
        m_select = std::make_unique<CSelectObject>(m_dc, m_bitmap.Get());
        Brush brush(CreateSolidBrush(background));
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, brush.Get());
    }

    HDC dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Ok() const { return m_bits != nullptr; }

    COLORREF At(int x, int y) const {
        GdiFlush();
        const uint32_t v = m_bits[y * m_width + x];  // 0x00RRGGBB in memory
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    int Count(const RECT& r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }
    int Area(const RECT& r) const { return (r.right - r.left) * (r.bottom - r.top); }
    bool All(const RECT& r, COLORREF colour) const { return Count(r, colour) == Area(r); }
    // Bounding box of the pixels that are not `colour`; empty when there are none.
    RECT Others(COLORREF colour) const {
        RECT box{m_width, m_height, 0, 0};
        for (int y = 0; y < m_height; ++y)
            for (int x = 0; x < m_width; ++x)
                if (At(x, y) != colour) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }

private:
    int m_width, m_height;
    COwnedDC m_dc;
    Bitmap m_bitmap;
    std::unique_ptr<CSelectObject> m_select;  // undone before the bitmap goes
    const uint32_t* m_bits = nullptr;
};

// GDI objects alive in this process. Windows answers GetGuiResources; Wine 8
// answers 0 there, so the handle table is walked instead (a handle whose high
// word is 0 names its slot whatever the slot's generation).
inline DWORD LiveGdiObjects() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return n;
    DWORD count = 0;
    for (ULONG_PTR slot = 1; slot < 0x10000; ++slot)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(slot)) != 0) ++count;
    return count;
}
