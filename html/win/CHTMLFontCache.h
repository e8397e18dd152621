#pragma once
// GDI fonts of caption runs over one device context's base font. A run's
// attributes (TextFontInfo) become a font made from the base font's
// LOGFONTA, or from its face's OLE font when it names one. Fonts are kept
// for the cache's life, so measuring and drawing a caption makes each
// distinct look once.
#include <windows.h>

#include <map>
#include <tuple>

#include "Gdi.h"
#include "html/TextFontInfo.h"

class CHTMLFontCache {
public:
    // Takes the font selected into dc now as the base.
    explicit CHTMLFontCache(HDC dc);
    CHTMLFontCache(const CHTMLFontCache&) = delete;
    CHTMLFontCache& operator=(const CHTMLFontCache&) = delete;

    // The font for info's flags, size and face; null when it sets none of
    // them, so the base font stays selected.
    HFONT Get(const TextFontInfo& info);
    HFONT BaseFont() const { return m_baseFont; }

    // The GDI font of face's OLE font (owned by the OLE font), or null.
    static HFONT FaceFont(const TextFontFace& face);
    // A new font from base's LOGFONTA with info's flags and size; a size in points becomes
    // unitsPerInch units, and base's own height is multiplied by baseScale.
    static Font CreateTextFont(const TextFontInfo& info, HFONT base, int unitsPerInch, double baseScale = 1.0);

private:
    using Key = std::tuple<int16_t, int16_t, int16_t, int16_t, int16_t, int32_t, const TextFontFace*>;
    HFONT m_baseFont;
    // The DC's logical units per inch down the page (the screen's, or a recorded page's own) and
    // the screen's, at which OLE fonts come.
    int m_unitsPerInch, m_screen;
    std::map<Key, Font> m_fonts;
};
