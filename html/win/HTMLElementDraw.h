#pragma once
// Drawing one placed run of a caption: text with its font, colours,
// highlight and line, or an image through the caption's host.
#include <windows.h>

#include "CHTMLMeasureDC.h"
#include "html/CHTMLCaption.h"
#include "html/HTMLDrawGeometry.h"

namespace htmlwin {

struct ElementDrawContext {
    const CHTMLMeasureDC& Measure;
    bool Enabled;
    bool Colours;
    int32_t BaseDescent;                 // descent of the base font
    htmldraw::Highlight Highlight;       // relative to this run's first character
};

void DrawElement(const CHTMLCaption::CHTMLElement& element, const HTMLRect& cell, const ElementDrawContext& context);

// A COLORREF for a caption colour: automation colours go through
// OleTranslateColor; false when one cannot be translated.
bool ToColorRef(uint32_t color, COLORREF& out);

}  // namespace htmlwin
