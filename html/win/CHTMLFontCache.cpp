#include "CHTMLFontCache.h"

#include <ocidl.h>
#include <olectl.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "ComPtr.h"
#include "Text.h"

namespace {

int ScreenPixelsPerInchY() {
    CWindowDC screen;
    return screen.Get() ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
}

ComPtr<IFont> CreateOleFont(const TextFontFace& face) {
    std::wstring name = ToWide(face.Name);
    FONTDESC desc{};
    desc.cbSizeofstruct = sizeof(FONTDESC);
    desc.lpstrName = name.data();
    desc.cySize.int64 = face.SizeCy;
    desc.sWeight = face.Weight;
    desc.sCharset = face.Charset;
    desc.fItalic = face.Italic;
    desc.fUnderline = face.Underline;
    desc.fStrikethrough = face.Strikethrough;
    ComPtr<IFont> font;
    if (FAILED(OleCreateFontIndirect(&desc, IID_IFont, font.PutVoid()))) font.Reset();
    return font;
}

// Logical units per inch down the DC: its device's resolution through its mapping (a recorded
// page's unit is not the device's pixel).
int UnitsPerInchY(HDC dc) {
    SIZE window{1, 1}, viewport{1, 1};
    const int device = dc ? GetDeviceCaps(dc, LOGPIXELSY) : 0;
    if (device <= 0) return ScreenPixelsPerInchY();
    if (GetMapMode(dc) == MM_TEXT || !GetWindowExtEx(dc, &window) || !GetViewportExtEx(dc, &viewport) ||
        window.cy == 0 || viewport.cy == 0)
        return device;
    const int units = MulDiv(device, std::abs(window.cy), std::abs(viewport.cy));
    return units > 0 ? units : device;
}

}  // namespace

CHTMLFontCache::CHTMLFontCache(HDC dc)
    : m_baseFont(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))), m_unitsPerInch(UnitsPerInchY(dc)),
      m_screen(ScreenPixelsPerInchY()) {}

HFONT CHTMLFontCache::FaceFont(const TextFontFace& face) {
    if (!face.OleFont) {
        ComPtr<IFont> font = CreateOleFont(face);
        if (!font) return nullptr;
        face.OleFont = std::shared_ptr<void>(font.Detach(), [](void* p) { static_cast<IFont*>(p)->Release(); });
    }
    HFONT handle = nullptr;
    if (FAILED(static_cast<IFont*>(face.OleFont.get())->get_hFont(&handle))) return nullptr;
    return handle;
}

Font CHTMLFontCache::CreateTextFont(const TextFontInfo& info, HFONT base, int unitsPerInch, double baseScale) {
    LOGFONTA lf{};
    if (!base || GetObjectA(base, sizeof lf, &lf) == 0) GetObjectA(GetStockObject(SYSTEM_FONT), sizeof lf, &lf);
    lf.lfHeight = static_cast<LONG>(std::lround(lf.lfHeight * baseScale));
    if (info.Bold) lf.lfWeight = FW_BOLD;
    lf.lfItalic = info.Italic ? TRUE : FALSE;
    lf.lfUnderline = info.Underline ? TRUE : FALSE;
    lf.lfStrikeOut = info.Strikeout ? TRUE : FALSE;
    if (info.Rotated) lf.lfEscapement = lf.lfOrientation = 900;
    if (info.Size != 0) {
        lf.lfHeight = -MulDiv(info.Size, unitsPerInch, 72);
    }
    return Font(CreateFontIndirectA(&lf));
}

HFONT CHTMLFontCache::Get(const TextFontInfo& info) {
    const bool anyFlag = info.Bold || info.Italic || info.Underline || info.Strikeout || info.Rotated;
    // Colours alone leave the font as it is.
    if (!anyFlag && info.Size == 0 && !info.Face) return nullptr;
    const Key key{info.Bold != 0, info.Italic != 0, info.Underline != 0, info.Strikeout != 0,
                  info.Rotated != 0, info.Size, info.Face.get()};
    auto it = m_fonts.find(key);
    if (it == m_fonts.end()) {
        // A face's OLE font comes at the screen's resolution, in the DC's units it may be another size.
        HFONT base = info.Face ? FaceFont(*info.Face) : nullptr;
        const double scale = base && m_screen > 0 ? static_cast<double>(m_unitsPerInch) / m_screen : 1.0;
        it = m_fonts.emplace(key, CreateTextFont(info, base ? base : m_baseFont, m_unitsPerInch, scale)).first;
    }
    return it->second.Get();
}
