#pragma once
// The arithmetic of drawing a run that needs no device context: image and
// icon rectangles, line pixels, baseline shift, highlight ranges, and which
// background colours are painted. The GDI side calls these and draws.
#include <cstdint>

#include "HTMLGeometry.h"

namespace htmldraw {

// A size x size icon (16 unless the caption draws them larger) at the cell's left edge
// (right edge when right-aligned), centred vertically.
HTMLRect IconRect(const HTMLRect& cell, bool rightAligned, int32_t size = 16);

// Picture of natural size (w, h) drawn width pixels wide: height in
// proportion (truncated), centred vertically on the cell; it may overflow it.
// Empty when the picture has no width.
HTMLRect PictureRect(const HTMLRect& cell, int32_t width, HTMLSize natural);

// A run in a font of its own: height runHeight, moved so its descent sits on
// the base font's baseline.
HTMLRect BaselineRect(const HTMLRect& cell, int32_t runHeight, int32_t runDescent, int32_t baseDescent);

// The x of the line's first pixel and the step to the next: solid (1, or
// anything below) fills, dotted (2) takes every second pixel from an even x.
struct LinePixels {
    int32_t first;
    int32_t step;
};
LinePixels LinePixelsOf(int32_t left, int32_t style);

// A background colour is painted only when its high byte is 0, the top bit
// (automation colours) aside.
inline bool IsPaintedBackColor(uint32_t color) { return (color & 0x7F000000u) == 0; }

// Highlight range against a run of textLength characters: the part of the
// run to draw highlighted (count 0 when none), and the range for the next run.
struct Highlight {
    int32_t start;
    int32_t count;
};
Highlight HighlightInRun(Highlight range, int32_t textLength, Highlight& next);

}  // namespace htmldraw
