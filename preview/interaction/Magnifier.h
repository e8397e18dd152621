#pragma once
// The magnifier, panning and the right-button selection as arithmetic over the
// pointer, the page rectangle and the scroll positions.
#include "PlainGeometry.h"

// A press released before 256 ms (by the messages' own times) and within 2 pixels of where it
// went down is a click.
bool PressIsClick(unsigned downTick, unsigned upTick, PlainPoint down, PlainPoint up);

struct ScrollPositions {
    int h = 0, v = 0;
};

// Dragging the page from `start` to `pointer`: the horizontal position follows the
// pointer; the vertical one only within the current screenful, when it overflows.
ScrollPositions PanPositions(ScrollPositions start, PlainPoint startPointer, PlainPoint pointer, int pageHeight,
                             int overflowY);

// After a zoom change: the positions that bring the point clicked on the old page
// rectangle `oldPage` back near the middle of the client area, for the new page size.
ScrollPositions ZoomAtPoint(PlainPoint point, const PlainRect& oldPage, int newPageWidth, int newPageHeight,
                            int clientWidth, int clientHeight, int currentV, int overflowY);

// The magnify-in cursor (else magnify-out) for magnifyZoom m, zoom in use z and the
// zoom saved when magnifying.
bool MagnifiesIn(int magnifyZoom, int zoom, int savedZoom);

// The selected area as fractions of the page, ordered and within 0 .. 1.
struct SelectionFractions {
    double left = 0, top = 0, right = 0, bottom = 0;
};
// From the anchor (relative to the page's top-left) and the end point (client
// coordinates). `big` is false when the area is under 4 x 4 pixels (no selection).
SelectionFractions SelectionFromDrag(PlainPoint anchor, PlainPoint end, const PlainRect& page, bool* big);
// The fractions mapped onto a page rectangle, truncated toward zero.
PlainRect SelectionRect(const PlainRect& page, const SelectionFractions& f);
