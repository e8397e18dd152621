#pragma once
// Rectangles and points of caption layout, laid out like the Win32 RECT and
// POINT (32-bit signed) so the drawing side converts them member by member.
#include <algorithm>
#include <cstdint>

struct HTMLRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(int32_t x, int32_t y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    bool operator==(const HTMLRect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

struct HTMLPoint {
    int32_t x = 0, y = 0;
};

struct HTMLSize {
    int32_t cx = 0, cy = 0;
};

// Coordinates are worked out in 64 bits and stored back within range.
inline int32_t Clamp32(int64_t v) {
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
