#include "HTMLCaptionDraw.h"

#include <map>

#include "CHTMLMeasureDC.h"
#include "HTMLElementDraw.h"

namespace htmlwin {

namespace {

// Background mode for the caption: runs are drawn over what is there, only
// runs with a background colour paint their cells.
class CTransparentText {
public:
    explicit CTransparentText(HDC dc) : m_dc(dc), m_mode(SetBkMode(dc, TRANSPARENT)) {}
    ~CTransparentText() { if (m_mode) SetBkMode(m_dc, m_mode); }
    CTransparentText(const CTransparentText&) = delete;
    CTransparentText& operator=(const CTransparentText&) = delete;

private:
    HDC m_dc;
    int m_mode;
};

// Where each run's text starts when the texts of the lines are counted in order.
std::map<const CHTMLCaption::CHTMLElement*, int64_t> TextOffsets(const CHTMLCaption& caption) {
    std::map<const CHTMLCaption::CHTMLElement*, int64_t> offsets;
    int64_t offset = 0;
    for (const CHTMLCaption::Line& line : caption.CurrentLines())
        for (const CHTMLCaption::CHTMLElement& e : line) {
            offsets[&e] = offset;
            offset += static_cast<int64_t>(e.TextLength());
        }
    return offsets;
}

}  // namespace

void DrawCaption(const CHTMLCaption& caption, HDC dc, const RECT& rect, const TextFontInfo* base, bool enabled,
                 bool colours) {
    DrawCaption(caption, dc, rect, base, enabled, colours, 0, 0);
}

void DrawCaption(const CHTMLCaption& caption, HDC dc, const RECT& rect, const TextFontInfo* base, bool enabled,
                 bool colours, int32_t highlightStart, int32_t highlightCount) {
    if (!dc) return;
    const CHTMLMeasureDC measure(dc, base);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    CTransparentText transparent(dc);

    const auto places = caption.PlaceElements(measure, ToHTMLRect(rect));
    std::map<const CHTMLCaption::CHTMLElement*, int64_t> offsets;
    if (highlightCount > 0) offsets = TextOffsets(caption);
    for (const CHTMLCaption::ElementPlace& place : places) {
        htmldraw::Highlight highlight{0, 0};
        if (highlightCount > 0)
            highlight = {Clamp32(highlightStart - offsets[place.Element]), highlightCount};
        DrawElement(*place.Element, place.Cell, {measure, enabled, colours, tm.tmDescent, highlight});
    }
}

int32_t LineHeight(HDC dc) { return CHTMLMeasureDC::LineHeightOf(dc); }

int32_t GetHeight(const CHTMLCaption& caption, HDC dc) {
    return caption.GetHeight(CHTMLMeasureDC(dc, nullptr));
}

int32_t LineWidth(const CHTMLCaption& caption, const CHTMLCaption::Line& line, HDC dc, const TextFontInfo* base) {
    return caption.LineWidth(line, CHTMLMeasureDC(dc, base));
}

int32_t MaxLineWidth(const CHTMLCaption& caption, HDC dc, const TextFontInfo* base) {
    return caption.MaxLineWidth(CHTMLMeasureDC(dc, base));
}

RECT SetWordWrap(CHTMLCaption& caption, bool on, HDC dc, const RECT& rect, const TextFontInfo* base) {
    return ToRect(caption.SetWordWrap(on, CHTMLMeasureDC(dc, base), ToHTMLRect(rect)));
}

int32_t HitTestLine(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt) {
    return caption.HitTestLine(CHTMLMeasureDC(dc, nullptr), ToHTMLRect(rect), {pt.x, pt.y});
}

const CHTMLCaption::CHTMLElement* HitTestElement(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt,
                                                 const TextFontInfo* base) {
    return caption.HitTestElement(CHTMLMeasureDC(dc, base), ToHTMLRect(rect), {pt.x, pt.y});
}

int32_t HitTestImage(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt, const TextFontInfo* base) {
    return caption.HitTestImage(CHTMLMeasureDC(dc, base), ToHTMLRect(rect), {pt.x, pt.y});
}

const CHTMLCaption::CHTMLElement* HitTestAnchor(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt,
                                                const TextFontInfo* base) {
    return caption.HitTestAnchor(CHTMLMeasureDC(dc, base), ToHTMLRect(rect), {pt.x, pt.y});
}

}  // namespace htmlwin
