#include "toolbar/CWindowListPartFormatLevel.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>

#include "Colour.h"
#include "Gdi.h"
#include "layout/CWindowListPartCache.h"
#include "toolbar/CWindowListPartContextInfo.h"
#include "toolbar/CWindowListPartSettings.h"

void CWindowListPartFormatLevel::Fill(HDC dc, const RECT& rect, uint32_t colour) {
    const COLORREF rgb = ToColorRef(colour);
    // Black is drawn as a hatch over what lies below, not as a solid block.
    Brush brush((rgb & 0x00FFFFFFu) == 0 ? CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0))
                                         : CreateSolidBrush(rgb));
    if (brush) FillRect(dc, &rect, brush.Get());
}

bool CWindowListPartFormatLevel::Paint(HDC dc, std::string_view text, const RECT& rect) {
    CWindowListPartCache cache;
    if (!ArrangeInto(text, ToLayoutRect(rect), cache)) return false;
    Paint(dc, cache);
    return true;
}

void CWindowListPartFormatLevel::Paint(HDC dc, const CWindowListPartCache& cache) {
    CSaveDC saved(dc);
    // Hatches and texts leave what lies under them visible.
    SetBkMode(dc, TRANSPARENT);
    CWindowListPartContextInfo info(*this, dc, cache);
    info.PaintParts(cache);
}

CHTMLCaption& CWindowListPartFormatLevel::Caption(std::string_view text) {
    CHTMLCaption& caption = m_captions.Caption(text, CaptionHost());
    caption.SetIconSize(m_iconSize);
    return caption;
}

void CWindowListPartFormatLevel::DrawTextUnit(CWindowListPartContext& context, const RECT& rect,
                                              const CWindowListPart& part,
                                              CHTMLCaption& caption) {
    const std::string text = caption.GetPlainText();
    if (text.empty()) return;
    const int length = static_cast<int>(std::min<size_t>(text.size(), INT_MAX));
    UINT flags = DT_NOPREFIX;
    if (part.WordWrap()) flags |= DT_WORDBREAK;
    else if (text.find('\n') == std::string::npos) flags |= DT_SINGLELINE;

    HDC dc = context.DC();
    RECT measured{0, 0, rect.right - rect.left, 0};
    DrawTextA(dc, text.data(), length, &measured, flags | DT_CALCRECT);
    RECT at = ToRECT(AlignContent(ToLayoutRect(rect), measured.right - measured.left,
                                  measured.bottom - measured.top, part.Alignment()));
    DrawTextA(dc, text.data(), length, &at, flags);
}

void CWindowListPartFormatLevel::DrawBackground(CWindowListPartContext& context, const RECT& rect,
                                                uint32_t colour, const CWindowListPart&) {
    context.Fill(rect, colour);
}

void CWindowListPartFormatLevel::DrawBorder(CWindowListPartContext& context, const RECT& rect,
                                            const CWindowListPart& part) {
    RECT edge = rect;
    DrawEdge(context.DC(), &edge, EDGE_ETCHED, part.Border() & BF_RECT);
}

void CWindowListPartFormatLevel::DrawDebug(CWindowListPartContext& context, const RECT& rect,
                                           const CWindowListPart& part) {
    HDC dc = context.DC();
    if (context.Settings().Dgl() != 0) {
        Brush frame(CreateSolidBrush(GetTextColor(dc)));
        if (frame) FrameRect(dc, &rect, frame.Get());
    }
    if (!part.IsItem()) return;
    char label[16];
    std::snprintf(label, sizeof label, "%i", part.ItemNumber());
    RECT at = rect;
    SetBkMode(dc, OPAQUE);
    DrawTextA(dc, label, -1, &at, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    SetBkMode(dc, TRANSPARENT);
}
