#pragma once
// Owned GDI handles and the scope objects for paired device-context actions.
#include <windows.h>
#include <utility>

// Owns one GDI object (pen, brush, font, bitmap, region) and deletes it.
template <class H>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(H h) : h_(h) {}
    GdiObject(GdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
    GdiObject& operator=(GdiObject&& o) noexcept { Reset(std::exchange(o.h_, nullptr)); return *this; }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;
    ~GdiObject() { Reset(); }

    void Reset(H h = nullptr) { if (h_) DeleteObject(h_); h_ = h; }
    H Get() const { return h_; }
    H Release() { return std::exchange(h_, nullptr); }
    explicit operator bool() const { return h_ != nullptr; }

private:
    H h_ = nullptr;
};

using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;

// Selects an object into a device context for the scope's life.
class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
    ~CSelectObject() { if (old_) SelectObject(dc_, old_); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// SaveDC / RestoreDC bracket.
class CSaveDC {
public:
    explicit CSaveDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
    ~CSaveDC() { if (id_) RestoreDC(dc_, id_); }
    CSaveDC(const CSaveDC&) = delete;
    CSaveDC& operator=(const CSaveDC&) = delete;

private:
    HDC dc_;
    int id_;
};

// A window's (or the screen's) device context from GetDC, released at scope end.
class CWindowDC {
public:
    explicit CWindowDC(HWND wnd = nullptr) : wnd_(wnd), dc_(GetDC(wnd)) {}
    ~CWindowDC() { if (dc_) ReleaseDC(wnd_, dc_); }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }

private:
    HWND wnd_;
    HDC dc_;
};

// A device context of our own (CreateDC / CreateCompatibleDC), deleted at scope end.
class COwnedDC {
public:
    COwnedDC() = default;
    explicit COwnedDC(HDC dc) : dc_(dc) {}
    COwnedDC(COwnedDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
    COwnedDC& operator=(COwnedDC&& o) noexcept { Reset(std::exchange(o.dc_, nullptr)); return *this; }
    ~COwnedDC() { Reset(); }
    void Reset(HDC dc = nullptr) { if (dc_) DeleteDC(dc_); dc_ = dc; }
    HDC Get() const { return dc_; }
    operator HDC() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HDC dc_ = nullptr;
};

// Pixels per logical inch of the screen, across and down.
SIZE ScreenDpi();
// Screen pixels and HIMETRIC (0.01 mm), as OLE measures pictures and extents.
SIZEL PixelsToHimetric(SIZE pixels);
SIZE HimetricToPixels(SIZEL himetric);
// A 32-bit top-down DIB section of w x h; *bits (when given) points at its pixels.
HBITMAP CreateDib32(int w, int h, void** bits = nullptr);
