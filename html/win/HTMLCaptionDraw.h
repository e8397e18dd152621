#pragma once
// Drawing, measuring and hit-testing a caption in a device context. The
// context's current font is the caption's base font; base adds attributes
// every run inherits (may be null). Layout decisions come from CHTMLCaption;
// these functions measure with GDI and draw the placed runs.
#include <windows.h>

#include "html/CHTMLCaption.h"

namespace htmlwin {

inline HTMLRect ToHTMLRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
inline RECT ToRect(const HTMLRect& r) { return {r.left, r.top, r.right, r.bottom}; }

// Draws every current line centred vertically in rect. colours false leaves
// the runs' text and background colours unapplied; a disabled caption is
// drawn embossed in the button highlight and shadow colours.
void DrawCaption(const CHTMLCaption& caption, HDC dc, const RECT& rect, const TextFontInfo* base = nullptr,
                 bool enabled = true, bool colours = true);
// The same, with the characters highlightStart .. + highlightCount (counted
// over the runs' texts in line order) drawn white on black.
void DrawCaption(const CHTMLCaption& caption, HDC dc, const RECT& rect, const TextFontInfo* base, bool enabled,
                 bool colours, int32_t highlightStart, int32_t highlightCount);

// Height of one line: the 52 letters in dc's current font.
int32_t LineHeight(HDC dc);
int32_t GetHeight(const CHTMLCaption& caption, HDC dc);
int32_t LineWidth(const CHTMLCaption& caption, const CHTMLCaption::Line& line, HDC dc,
                  const TextFontInfo* base = nullptr);
int32_t MaxLineWidth(const CHTMLCaption& caption, HDC dc, const TextFontInfo* base = nullptr);
// Word wrap on or off; when on, wraps to rect's width and returns the
// rectangle the wrapped lines take from rect's top left.
RECT SetWordWrap(CHTMLCaption& caption, bool on, HDC dc, const RECT& rect, const TextFontInfo* base = nullptr);

// Index of the drawn line under pt, or -1.
int32_t HitTestLine(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt);
const CHTMLCaption::CHTMLElement* HitTestElement(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt,
                                                 const TextFontInfo* base = nullptr);
// The element number of the image under pt, or -1.
int32_t HitTestImage(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt,
                     const TextFontInfo* base = nullptr);
const CHTMLCaption::CHTMLElement* HitTestAnchor(const CHTMLCaption& caption, HDC dc, const RECT& rect, POINT pt,
                                                const TextFontInfo* base = nullptr);

}  // namespace htmlwin
