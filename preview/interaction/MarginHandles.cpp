#include "MarginHandles.h"

#include <algorithm>

int MarginGuides::Position(int handle) const {
    switch (handle) {
    case kLeftHandle: return left;
    case kRightHandle: return right;
    case kTopHandle: return top;
    case kBottomHandle: return bottom;
    default: return 0;
    }
}

void MarginGuides::SetPosition(int handle, int value) {
    switch (handle) {
    case kLeftHandle: left = value; break;
    case kRightHandle: right = value; break;
    case kTopHandle: top = value; break;
    case kBottomHandle: bottom = value; break;
    default: break;
    }
}

MarginGuides GuidesForMargins(const PlainRect& page, int paperWidth, int paperHeight, const PlainRect& margins) {
    MarginGuides g;
    g.page = page;
    const int w = page.Width(), h = page.Height();
    g.left = page.left + std::max(PlainMulDiv(margins.left, w, paperWidth), 0);
    g.right = page.right - std::max(PlainMulDiv(margins.right, w, paperWidth), 0);
    g.top = page.top + std::max(PlainMulDiv(margins.top, h, paperHeight), 0);
    g.bottom = page.bottom - std::max(PlainMulDiv(margins.bottom, h, paperHeight), 0);
    return g;
}

PlainRect MarginHandleRect(const MarginGuides& g, int handle, int side, int gap) {
    const int before = side / 2;
    switch (handle) {
    case kLeftHandle:
    case kRightHandle: {
        const int x = g.Position(handle);
        return PlainRect{x - before, g.page.top - side - gap, x - before + side, g.page.top - gap};
    }
    case kTopHandle:
    case kBottomHandle: {
        const int y = g.Position(handle);
        return PlainRect{g.page.left - side - gap, y - before, g.page.left - gap, y - before + side};
    }
    default:
        return PlainRect{};
    }
}

int HitTestMarginHandle(const MarginGuides& guides, PlainPoint point, int side, int gap) {
    for (int handle = kLeftHandle; handle <= kBottomHandle; ++handle)
        if (MarginHandleRect(guides, handle, side, gap).Contains(point)) return handle;
    return kNoHandle;
}

int DraggedGuidePosition(const MarginGuides& g, int handle, PlainPoint pointer) {
    switch (handle) {
    case kLeftHandle: return std::clamp(pointer.x, g.page.left, std::max(g.page.left, g.right));
    case kRightHandle: return std::clamp(pointer.x, std::min(g.left, g.page.right), g.page.right);
    case kTopHandle: return std::clamp(pointer.y, g.page.top, std::max(g.page.top, g.bottom));
    case kBottomHandle: return std::clamp(pointer.y, std::min(g.top, g.page.bottom), g.page.bottom);
    default: return 0;
    }
}

namespace {

// Distance of a guide from its own page edge.
long long EdgeDistance(const MarginGuides& g, int handle, int position) {
    switch (handle) {
    case kLeftHandle: return static_cast<long long>(position) - g.page.left;
    case kRightHandle: return static_cast<long long>(g.page.right) - position;
    case kTopHandle: return static_cast<long long>(position) - g.page.top;
    default: return static_cast<long long>(g.page.bottom) - position;
    }
}

}  // namespace

long MarginValueAt(const MarginGuides& g, const MarginGuides& reference, int handle, int paperWidth,
                   int paperHeight, long oldMargin) {
    if (handle < kLeftHandle || handle > kBottomHandle) return oldMargin;
    const long long d = EdgeDistance(g, handle, g.Position(handle));
    const long long ref = EdgeDistance(reference, handle, reference.Position(handle));
    const bool across = handle == kLeftHandle || handle == kRightHandle;
    if (ref == 0) {
        const long long pageExtent = across ? g.page.Width() : g.page.Height();
        if (pageExtent <= 0) return oldMargin;
        return static_cast<long>(d * (across ? paperWidth : paperHeight) / pageExtent);
    }
    return static_cast<long>(d * oldMargin / ref);
}

int OppositeHandle(int handle) {
    switch (handle) {
    case kLeftHandle: return kRightHandle;
    case kRightHandle: return kLeftHandle;
    case kTopHandle: return kBottomHandle;
    case kBottomHandle: return kTopHandle;
    default: return kNoHandle;
    }
}
