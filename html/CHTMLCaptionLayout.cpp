#include "CHTMLCaption.h"

#include <algorithm>

#include "IHTMLTextMeasure.h"

int32_t CHTMLCaption::LineWidth(const Line& line, const IHTMLTextMeasure& measure) const {
    int64_t width = 0;
    for (const CHTMLElement& e : line) width += e.FullWidth(measure);
    return Clamp32(width);
}

int32_t CHTMLCaption::MaxLineWidth(const IHTMLTextMeasure& measure) const {
    int32_t widest = 0;
    for (const Line& line : CurrentLines()) widest = std::max(widest, LineWidth(line, measure));
    return widest;
}

int32_t CHTMLCaption::GetHeight(const IHTMLTextMeasure& measure) const {
    return Clamp32(static_cast<int64_t>(CurrentLines().size()) * measure.LineHeight());
}

HTMLRect CHTMLCaption::SetWordWrap(bool on, const IHTMLTextMeasure& measure, HTMLRect rect) {
    m_wordWrap = on ? 0xFFFF : 0;
    m_lineBreak = on ? 0xFFFFFFFFu : 0;
    if (m_multiLine != 0) Parse();  // line breaks now count, or no longer
    m_wrapped.clear();
    if (on) {
        const int32_t width = Clamp32(static_cast<int64_t>(rect.right) - rect.left);
        for (const Line& line : m_lines) {
            Lines pieces = WrapLine(line, width, measure);
            std::move(pieces.begin(), pieces.end(), std::back_inserter(m_wrapped));
        }
    }
    return {rect.left, rect.top, Clamp32(static_cast<int64_t>(rect.left) + MaxLineWidth(measure)),
            Clamp32(static_cast<int64_t>(rect.top) + GetHeight(measure))};
}

// First line's top: the block of lines is centred in rect (it may start above).
static int64_t FirstLineTop(size_t lineCount, int64_t lineHeight, HTMLRect rect) {
    const int64_t rectHeight = static_cast<int64_t>(rect.bottom) - rect.top;
    return rect.top + (rectHeight - static_cast<int64_t>(lineCount) * lineHeight) / 2;
}

int32_t CHTMLCaption::HitTestLine(const IHTMLTextMeasure& measure, HTMLRect rect, HTMLPoint pt) const {
    if (pt.x < rect.left || pt.x >= rect.right || pt.y >= rect.bottom) return -1;
    const int64_t lineHeight = measure.LineHeight();
    const size_t count = CurrentLines().size();
    const int64_t top = FirstLineTop(count, lineHeight, rect);
    if (lineHeight <= 0 || pt.y < top) return -1;
    const int64_t index = (pt.y - top) / lineHeight;
    return index < static_cast<int64_t>(count) ? static_cast<int32_t>(index) : -1;
}

std::vector<CHTMLCaption::ElementPlace> CHTMLCaption::PlaceElements(const IHTMLTextMeasure& measure,
                                                                    HTMLRect rect) const {
    std::vector<ElementPlace> places;
    const Lines& lines = CurrentLines();
    const int64_t lineHeight = measure.LineHeight();
    const int64_t rectWidth = static_cast<int64_t>(rect.right) - rect.left;
    int64_t top = FirstLineTop(lines.size(), lineHeight, rect);

    for (size_t li = 0; li < lines.size() && top < rect.bottom; ++li, top += lineHeight) {
        const Line& line = lines[li];
        const int64_t lineWidth = LineWidth(line, measure);
        int64_t left = rect.left;
        if (m_alignment == 1) left += (rectWidth - lineWidth) / 2;
        else if (m_alignment == 2) left = rect.right - lineWidth;
        HTMLRect remaining{Clamp32(left), Clamp32(top), rect.right, Clamp32(top + lineHeight)};

        size_t firstRight = 0;
        while (firstRight < line.size() && !line[firstRight].IsRightAligned()) ++firstRight;

        auto place = [&](const CHTMLElement& e, bool fromRight) {
            const HTMLRect before = remaining;
            const int64_t w = e.FullWidth(measure);
            HTMLRect cell = before;
            if (fromRight) {
                cell.left = Clamp32(before.right - w);
                remaining.right = cell.left;
            } else {
                cell.right = Clamp32(before.left + w);
                remaining.left = cell.right;
            }
            places.push_back({&e, li, cell, before, remaining});
        };
        size_t i = 0;
        for (; i < firstRight && !remaining.IsEmpty(); ++i) place(line[i], false);
        if (i < firstRight) continue;
        for (size_t k = line.size(); k-- > firstRight && !remaining.IsEmpty();) place(line[k], true);
    }
    return places;
}

const CHTMLCaption::CHTMLElement* CHTMLCaption::HitTestElement(const IHTMLTextMeasure& measure, HTMLRect rect,
                                                               HTMLPoint pt) const {
    for (const ElementPlace& p : PlaceElements(measure, rect))
        if (p.Before.Contains(pt.x, pt.y) && !p.After.Contains(pt.x, pt.y)) return p.Element;
    return nullptr;
}

int32_t CHTMLCaption::HitTestImage(const IHTMLTextMeasure& measure, HTMLRect rect, HTMLPoint pt) const {
    const CHTMLElement* e = HitTestElement(measure, rect, pt);
    return e && e->IsImage() ? e->ElementNumber() : -1;
}

const CHTMLCaption::CHTMLElement* CHTMLCaption::HitTestAnchor(const IHTMLTextMeasure& measure, HTMLRect rect,
                                                              HTMLPoint pt) const {
    const CHTMLElement* e = HitTestElement(measure, rect, pt);
    return e && e->IsAnchor() ? e : nullptr;
}
