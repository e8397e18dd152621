#include "HTMLElementDraw.h"

#include <olectl.h>

#include <algorithm>
#include <climits>

#include "HTMLCaptionDraw.h"
#include "IHTMLCaptionHost.h"

namespace htmlwin {

namespace {

// Text colour, background colour and mode, restored when the scope ends.
class CTextColours {
public:
    explicit CTextColours(HDC dc)
        : m_dc(dc), m_text(GetTextColor(dc)), m_back(GetBkColor(dc)), m_mode(GetBkMode(dc)) {}
    ~CTextColours() {
        SetTextColor(m_dc, m_text);
        SetBkColor(m_dc, m_back);
        SetBkMode(m_dc, m_mode);
    }
    CTextColours(const CTextColours&) = delete;
    CTextColours& operator=(const CTextColours&) = delete;

private:
    HDC m_dc;
    COLORREF m_text;
    COLORREF m_back;
    int m_mode;
};

int Length(std::string_view s) { return static_cast<int>(std::min<size_t>(s.size(), INT_MAX)); }

void DrawRun(HDC dc, std::string_view text, RECT rect, UINT format) {
    DrawTextA(dc, text.data(), Length(text), &rect, format);
}

// Solid: every pixel; dotted: every second one from an even x.
void DrawLinePixels(HDC dc, int32_t left, int32_t right, int32_t y, int32_t style) {
    const COLORREF colour = GetTextColor(dc);
    const htmldraw::LinePixels pixels = htmldraw::LinePixelsOf(left, style);
    for (int64_t x = pixels.first; x < right; x += pixels.step) SetPixelV(dc, static_cast<int>(x), y, colour);
}

void DrawTextRun(const CHTMLCaption::CHTMLElement& e, const HTMLRect& cell, const ElementDrawContext& c) {
    HDC dc = c.Measure.Dc();
    const TextFontInfo font = e.EffectiveFont(c.Measure.Base());
    CSelectObject selected(dc, c.Measure.FontOf(font));

    // A run with its own size or face sits on the base font's baseline.
    HTMLRect box = cell;
    if (e.Size != 0 || e.Face) {
        TEXTMETRICA tm{};
        if (GetTextMetricsA(dc, &tm)) box = htmldraw::BaselineRect(cell, tm.tmHeight, tm.tmDescent, c.BaseDescent);
    }
    const RECT rect = ToRect(box);

    CTextColours restore(dc);
    if (c.Colours && c.Enabled) {
        COLORREF colour;
        if (font.TextColor && ToColorRef(*font.TextColor, colour)) SetTextColor(dc, colour);
        if (font.BackColor && htmldraw::IsPaintedBackColor(*font.BackColor) && ToColorRef(*font.BackColor, colour)) {
            SetBkColor(dc, colour);
            SetBkMode(dc, OPAQUE);
        }
    }

    const UINT format = DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER | (e.IsRightAligned() ? DT_RIGHT : 0);
    const std::string_view text = e.Text();
    if (!c.Enabled) {
        RECT embossed = rect;
        OffsetRect(&embossed, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawRun(dc, text, embossed, format);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    }
    DrawRun(dc, text, rect, format);

    if (e.HasLine()) {
        const int32_t y = e.IsUpperLine() ? cell.top : cell.bottom - 1;
        DrawLinePixels(dc, cell.left, cell.right, y, e.LineStyle());
    }

    htmldraw::Highlight next{};
    const htmldraw::Highlight part = htmldraw::HighlightInRun(c.Highlight, static_cast<int32_t>(e.TextLength()), next);
    if (part.count > 0) {
        const int32_t full = e.FullWidth(c.Measure);
        const int64_t origin = e.IsRightAligned() ? static_cast<int64_t>(rect.right) - full : rect.left;
        RECT marked = rect;
        marked.left = Clamp32(origin + e.Width(part.start, c.Measure));
        marked.right = Clamp32(origin + e.Width(static_cast<size_t>(part.start) + part.count, c.Measure));
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, OPAQUE);
        DrawRun(dc, text.substr(part.start, part.count), marked, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    }
}

void DrawImageRun(const CHTMLCaption::CHTMLElement& e, const HTMLRect& cell, const ElementDrawContext& c) {
    // Only a Windows host draws; a platform-free one has sizes and looks only.
    auto* host = dynamic_cast<IHTMLCaptionHost*>(e.Host());
    if (!host) return;
    HDC dc = c.Measure.Dc();
    if (!e.HasPictureKey()) {
        host->DrawIcon(dc, ToRect(htmldraw::IconRect(cell, e.IsRightAligned(), e.IconSize())), e.IconNumber(),
                       c.Enabled);
        return;
    }
    const HTMLSize natural = host->GetPictureSize(e.PictureKey());
    if (natural.cx == 0) return;
    const HTMLRect picture = htmldraw::PictureRect(cell, e.ImageWidth(), natural);
    host->DrawPicture(dc, ToRect(picture), e.PictureKey(), c.Enabled);
}

}  // namespace

bool ToColorRef(uint32_t color, COLORREF& out) {
    if ((color & 0xFF000000u) == 0) {
        out = color;
        return true;
    }
    return SUCCEEDED(OleTranslateColor(color, nullptr, &out));
}

void DrawElement(const CHTMLCaption::CHTMLElement& element, const HTMLRect& cell, const ElementDrawContext& context) {
    if (element.IsImage()) DrawImageRun(element, cell, context);
    else if (!element.Text().empty()) DrawTextRun(element, cell, context);
}

}  // namespace htmlwin
