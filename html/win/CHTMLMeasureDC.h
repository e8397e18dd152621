#pragma once
// Measures caption runs in a device context: each run's effective font
// selected over the context's current (base) font, widths from DrawTextA's
// DT_CALCRECT, the line height from the 52 letters in the base font.
#include <windows.h>

#include "CHTMLFontCache.h"
#include "html/IHTMLTextMeasure.h"

class CHTMLMeasureDC : public IHTMLTextMeasure {
public:
    // base: attributes every run inherits (may be null).
    CHTMLMeasureDC(HDC dc, const TextFontInfo* base);

    int32_t TextWidth(const CHTMLCaption::CHTMLElement& run, std::string_view text) const override;
    int32_t LineHeight() const override { return m_lineHeight; }

    HDC Dc() const { return m_dc; }
    const TextFontInfo* Base() const { return m_base; }
    // The font of a run's effective attributes; null keeps the base font.
    HFONT FontOf(const TextFontInfo& effective) const { return m_fonts.Get(effective); }

    // Height of the 52 letters in dc's current font.
    static int32_t LineHeightOf(HDC dc);

private:
    HDC m_dc;
    const TextFontInfo* m_base;
    mutable CHTMLFontCache m_fonts;
    int32_t m_lineHeight;
};
