#pragma once
// A memory device context over a 32-bit top-down DIB section, for drawing
// captions and reading their pixels back.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "html/CHTMLAnchorLooks.h"
#include "Gdi.h"
#include "IHTMLCaptionHost.h"

class DibCanvas {
public:
    DibCanvas(int width, int height, COLORREF paper = RGB(255, 255, 255))
        : Width(width), Height(height), m_dc(CreateCompatibleDC(nullptr)) {
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Reset(CreateDIBSection(m_dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<uint32_t*>(bits);
        m_oldBitmap = SelectObject(m_dc, m_bitmap.Get());
        // Crisp glyphs: every inked pixel has the text colour exactly.
        m_font.Reset(CreateFontA(-13, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                 CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, "Tahoma"));
        m_oldFont = SelectObject(m_dc, m_font.Get());
        SetTextColor(m_dc, RGB(0, 0, 0));
        Fill(paper);
    }
    ~DibCanvas() {
        SelectObject(m_dc, m_oldFont);
        SelectObject(m_dc, m_oldBitmap);
    }

    HDC Dc() const { return m_dc; }
    RECT Rect() const { return {0, 0, Width, Height}; }

    void Fill(COLORREF colour) {
        RECT r = Rect();
        Brush brush(CreateSolidBrush(colour));
        FillRect(m_dc, &r, brush.Get());
    }

    // The pixel as a COLORREF (red in the low byte); black outside the canvas.
    COLORREF At(int x, int y) const {
        GdiFlush();
        if (x < 0 || y < 0 || x >= Width || y >= Height) return 0;
        const uint32_t p = m_bits[y * Width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }

    // Bounding box of the pixels that differ from paper (or equal colour when
    // given); empty when there are none.
    RECT Ink(COLORREF paper = RGB(255, 255, 255)) const { return Find([&](COLORREF c) { return c != paper; }); }
    RECT InkOf(COLORREF colour) const { return Find([&](COLORREF c) { return c == colour; }); }
    int Count(COLORREF colour) const {
        int n = 0;
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x) n += At(x, y) == colour;
        return n;
    }
    RECT InkIn(const RECT& area, COLORREF paper = RGB(255, 255, 255)) const {
        RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = area.top; y < area.bottom; ++y)
            for (int x = area.left; x < area.right; ++x)
                if (At(x, y) != paper) Grow(box, x, y);
        return box.left > box.right ? RECT{0, 0, 0, 0} : box;
    }

    const int Width;
    const int Height;

private:
    template <class Pred>
    RECT Find(Pred pred) const {
        RECT box{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
        for (int y = 0; y < Height; ++y)
            for (int x = 0; x < Width; ++x)
                if (pred(At(x, y))) Grow(box, x, y);
        return box.left > box.right ? RECT{0, 0, 0, 0} : box;
    }
    static void Grow(RECT& box, int x, int y) {
        box.left = std::min<LONG>(box.left, x);
        box.top = std::min<LONG>(box.top, y);
        box.right = std::max<LONG>(box.right, x + 1);
        box.bottom = std::max<LONG>(box.bottom, y + 1);
    }

    COwnedDC m_dc;
    Bitmap m_bitmap;
    Font m_font;
    uint32_t* m_bits = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    HGDIOBJ m_oldFont = nullptr;
};

// A caption host whose icons are solid 16 x 16 blocks and whose pictures are
// filled rectangles, so what the caption asks it to draw shows in pixels.
class BlockHost : public IHTMLCaptionHost {
public:
    static constexpr COLORREF IconColour = RGB(255, 0, 0);
    static constexpr COLORREF PictureColour = RGB(0, 160, 0);

    struct IconCall {
        RECT Rect;
        int32_t Number;
        bool Enabled;
    };

    HTMLSize GetPictureSize(std::string_view key) override {
        const auto it = Pictures.find(std::string(key));
        return it == Pictures.end() ? HTMLSize{} : it->second;
    }
    void ApplyAnchorStyle(TextFontInfo& font, std::string_view id) override { Looks.ApplyAnchorStyle(font, id); }
    void SetAnchorStyle(std::string_view markup, int32_t which) override { Looks.SetAnchorStyle(markup, which); }
    std::string GetAnchorStyle(int32_t which) override { return Looks.GetAnchorStyle(which); }
    bool IsAnchorVisited(std::string_view id) override { return Looks.IsAnchorVisited(id); }
    void MarkAnchorVisited(std::string_view id) override { Looks.MarkAnchorVisited(id); }
    void UnmarkAnchorVisited(std::string_view id) override { Looks.UnmarkAnchorVisited(id); }
    void ClearVisitedAnchors() override { Looks.ClearVisitedAnchors(); }

    HRESULT GetPictures(VARIANT*) override { return E_NOTIMPL; }
    HRESULT SetPictures(const VARIANT&) override { return E_NOTIMPL; }
    HRESULT AddPicture(std::string_view, const VARIANT&) override { return E_NOTIMPL; }
    void DrawStoredPicture(HDC, const RECT&, std::string_view) override {}
    SIZE StoredPictureSize(std::string_view) override { return {0, 0}; }
    bool FirstPicture(std::string&, IPicture**) override { return false; }
    bool NextPicture(std::string&, IPicture**) override { return false; }

    void DrawIcon(HDC dc, const RECT& rect, int32_t number, bool enabled) override {
        Icons.push_back({rect, number, enabled});
        Fill(dc, rect, IconColour);
    }
    void DrawPicture(HDC dc, const RECT& rect, std::string_view key, bool) override {
        PictureRects.push_back(rect);
        Fill(dc, rect, PictureColour);
    }

    CHTMLAnchorLooks Looks;
    std::map<std::string, HTMLSize> Pictures;
    std::vector<IconCall> Icons;
    std::vector<RECT> PictureRects;

private:
    static void Fill(HDC dc, RECT rect, COLORREF colour) {
        Brush brush(CreateSolidBrush(colour));
        FillRect(dc, &rect, brush.Get());
    }
};
