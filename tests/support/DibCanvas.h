#pragma once
// A memory DC over a 32-bit top-down DIB section, for reading back what a paint put where.
#include <windows.h>
#include <algorithm>
#include <cstdint>
#include "Gdi.h"

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF paper = RGB(255, 255, 255))
        : m_width(width), m_height(height), m_dc(CreateCompatibleDC(nullptr)) {
        void* bits = nullptr;
        m_bitmap.Reset(CreateDib32(width, height, &bits));
        m_bits = static_cast<const uint32_t*>(bits);
        m_old = SelectObject(m_dc.Get(), m_bitmap.Get());
        Fill(paper);
    }
    ~DibCanvas() { SelectObject(m_dc.Get(), m_old); }
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return m_dc.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    RECT Rect() const { return {0, 0, m_width, m_height}; }
    static int Area(const RECT& r) { return (r.right - r.left) * (r.bottom - r.top); }

    void Fill(COLORREF colour) {
        RECT r = Rect();
        Brush brush(CreateSolidBrush(colour));
        FillRect(m_dc.Get(), &r, brush.Get());
    }

    // The pixel as a COLORREF (red in the low byte); black outside the canvas.
    COLORREF At(int x, int y) const {
        GdiFlush();
        if (x < 0 || y < 0 || x >= m_width || y >= m_height) return 0;
        const uint32_t p = m_bits[y * m_width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    int Count(const RECT& r, COLORREF colour) const {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == colour;
        return n;
    }
    int Count(COLORREF colour) const { return Count(Rect(), colour); }
    bool All(const RECT& r, COLORREF colour) const { return Count(r, colour) == Area(r); }

    // Bounding box of the pixels in `area` that differ from paper (or, for InkOf,
    // that have the colour); {0, 0, 0, 0} when there are none.
    RECT InkIn(const RECT& area, COLORREF paper = RGB(255, 255, 255)) const {
        return Find(area, [&](COLORREF c) { return c != paper; });
    }
    RECT Ink(COLORREF paper = RGB(255, 255, 255)) const { return InkIn(Rect(), paper); }
    RECT InkOf(COLORREF colour) const { return Find(Rect(), [&](COLORREF c) { return c == colour; }); }

private:
    template <class Pred>
    RECT Find(const RECT& area, Pred pred) const {
        RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (pred(At(x, y))) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box.left > box.right ? RECT{0, 0, 0, 0} : box;
    }

    int m_width, m_height;
    COwnedDC m_dc;
    Bitmap m_bitmap;
    const uint32_t* m_bits = nullptr;
    HGDIOBJ m_old = nullptr;
};
