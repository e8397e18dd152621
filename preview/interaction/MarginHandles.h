#pragma once
// The margin guides' geometry: where the four handles sit on the rulers, which
// one a point hits, where a dragged guide may go and what margin it means.
#include "PlainGeometry.h"

// Handles: 1 left, 2 right (on the top ruler), 3 top, 4 bottom (on the left ruler).
enum MarginHandle { kNoHandle = 0, kLeftHandle = 1, kRightHandle = 2, kTopHandle = 3, kBottomHandle = 4 };

// The page and the four guide lines: x of the left and right guides, y of the top and bottom ones.
struct MarginGuides {
    PlainRect page;
    int left = 0, right = 0, top = 0, bottom = 0;
    int Position(int handle) const;
    void SetPosition(int handle, int value);
};

// Guides for margins in the measurement unit on paper of the given size (unit too).
MarginGuides GuidesForMargins(const PlainRect& page, int paperWidth, int paperHeight, const PlainRect& margins);

// The side x side handle (19 at 96 DPI), moved `gap` pixels (4) off the page onto its ruler,
// centred on its guide; empty for an unknown handle.
PlainRect MarginHandleRect(const MarginGuides& guides, int handle, int side = 19, int gap = 4);
// The first handle holding the point, 0 when none.
int HitTestMarginHandle(const MarginGuides& guides, PlainPoint point, int side = 19, int gap = 4);

// Where a guide dragged to `pointer` goes: within the page and never past the opposite guide.
int DraggedGuidePosition(const MarginGuides& guides, int handle, PlainPoint pointer);

// The margin for the guide's position, truncated toward zero. `reference` holds the
// guides as they were before the drag: a reference on the page's edge scales by the
// paper's extent over the page's; otherwise by the old margin over the reference's
// distance from the edge.
long MarginValueAt(const MarginGuides& guides, const MarginGuides& reference, int handle, int paperWidth,
                   int paperHeight, long oldMargin);

// The handle whose margin a Ctrl+double-click copies into this one.
int OppositeHandle(int handle);
