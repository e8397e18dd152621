#include "CHTMLMeasureDC.h"

#include <algorithm>
#include <climits>

CHTMLMeasureDC::CHTMLMeasureDC(HDC dc, const TextFontInfo* base)
    : m_dc(dc), m_base(base), m_fonts(dc), m_lineHeight(LineHeightOf(dc)) {}

int32_t CHTMLMeasureDC::LineHeightOf(HDC dc) {
    static const char letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE size{};
    if (!GetTextExtentPoint32A(dc, letters, sizeof letters - 1, &size)) return 0;
    return size.cy;
}

int32_t CHTMLMeasureDC::TextWidth(const CHTMLCaption::CHTMLElement& run, std::string_view text) const {
    CSelectObject font(m_dc, FontOf(run.EffectiveFont(m_base)));
    RECT r{0, 0, 0, 0};
    const int length = static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
    DrawTextA(m_dc, text.data(), length, &r, DT_CALCRECT | DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);
    return r.right - r.left;
}
