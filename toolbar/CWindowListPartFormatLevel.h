#pragma once
// The Windows root layout context: parsed layouts, arrangements, hit-tests and
// neighbour searches (CWindowListPartFormatCore), plus painting an arrangement
// into a device context. A host window derives from it and overrides the
// drawing hooks: items (its buttons), text units, group backgrounds and
// borders, the default fill and the debug overlay.
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "html/CHTMLCaption.h"
#include "layout/CWindowListPartFormatCore.h"
#include "toolbar/CWindowListPartContext.h"
#include "toolbar/CWindowListPartHTMLCache.h"

class IHTMLCaptionHostBase;

class CWindowListPartFormatLevel : public CWindowListPartFormatCore {
public:
    // Default fill: a colour that translates to black fills with a black
    // hatched brush (BS_HATCHED, HS_BDIAGONAL); any other colour fills solid.
    virtual void Fill(HDC dc, const RECT& rect, uint32_t colour);

    // Arranges the text into rect and paints every placed part; false (and
    // nothing drawn) without a layout. The DC's state is the caller's again
    // afterwards.
    bool Paint(HDC dc, std::string_view text, const RECT& rect);
    // Paints an arrangement the host already holds (from ArrangeInto).
    void Paint(HDC dc, const CWindowListPartCache& cache);

    // The parsed caption of a text unit's text (parsed once, with CaptionHost()), drawing its
    // icons at the side set below (16 until then).
    CHTMLCaption& Caption(std::string_view text);
    void SetCaptionIconSize(int32_t size) { m_iconSize = size; }
    const CWindowListPartHTMLCache& Captions() const { return m_captions; }

    // Drawing hooks, called per placed part in placement order: background,
    // then the text or item (with the unit's foreground as text colour), then
    // the border, then the debug overlay when the layout has "debug".
    virtual void DrawItem(CWindowListPartContext& context, const RECT& rect, int32_t item,
                          const CWindowListPart& part) {}
    // Default: the caption's plain text, measured and aligned by the unit's
    // alignment; hosts with the caption drawing override it.
    virtual void DrawTextUnit(CWindowListPartContext& context, const RECT& rect,
                              const CWindowListPart& part, CHTMLCaption& caption);
    // Default: the context's fill.
    virtual void DrawBackground(CWindowListPartContext& context, const RECT& rect,
                                uint32_t colour, const CWindowListPart& part);
    // Default: an etched edge on the sides whose bits are set in the border
    // (1 left, 2 top, 4 right, 8 bottom, as DrawEdge's BF_ flags).
    virtual void DrawBorder(CWindowListPartContext& context, const RECT& rect,
                            const CWindowListPart& part);
    // Default: an item part's number, centred on an opaque background; with a
    // non-zero "dgl" every part's rectangle is framed too.
    virtual void DrawDebug(CWindowListPartContext& context, const RECT& rect,
                           const CWindowListPart& part);

protected:
    // What text-unit captions are parsed with (icons, pictures, anchor looks).
    virtual IHTMLCaptionHostBase* CaptionHost() { return nullptr; }

private:
    CWindowListPartHTMLCache m_captions;
    int32_t m_iconSize = 16;
};

inline RECT ToRECT(const LayoutRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline LayoutRect ToLayoutRect(const RECT& r) {
    return LayoutRect{int32_t(r.left), int32_t(r.top), int32_t(r.right), int32_t(r.bottom)};
}
