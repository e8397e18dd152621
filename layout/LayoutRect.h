#pragma once
// Integer rectangle and point of the layout engine. The field order matches
// the Win32 RECT and POINT so hosts can convert member by member.
#include <algorithm>
#include <cstdint>

struct LayoutPoint {
    int32_t x = 0;
    int32_t y = 0;
};

struct LayoutRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int64_t Width() const { return int64_t(right) - left; }
    int64_t Height() const { return int64_t(bottom) - top; }

    // Empty when right is not beyond left or bottom not below top (IsRectEmpty).
    bool IsEmpty() const { return right <= left || bottom <= top; }
    // Left and top inclusive, right and bottom exclusive (PtInRect).
    bool Contains(LayoutPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    void Offset(int32_t dx, int32_t dy) {
        left += dx; right += dx; top += dy; bottom += dy;
    }
    void Inflate(int32_t dx, int32_t dy) {
        left -= dx; right += dx; top -= dy; bottom += dy;
    }
    bool operator==(const LayoutRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
    bool operator!=(const LayoutRect& o) const { return !(*this == o); }
};

// IntersectRect: the common area, or an all-zero rectangle when there is none.
inline LayoutRect IntersectRect(const LayoutRect& a, const LayoutRect& b) {
    LayoutRect r{std::max(a.left, b.left), std::max(a.top, b.top),
                 std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return r.IsEmpty() ? LayoutRect{} : r;
}

// UnionRect: the bounding rectangle; an empty operand does not count.
inline LayoutRect UnionRect(const LayoutRect& a, const LayoutRect& b) {
    if (a.IsEmpty()) return b.IsEmpty() ? LayoutRect{} : b;
    if (b.IsEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top),
            std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}
