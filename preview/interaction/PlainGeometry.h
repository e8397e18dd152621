#pragma once
// Points, rectangles and MulDiv for the workspace's interaction rules, without
// Windows: the window code converts from POINT and RECT at its edge.

struct PlainPoint {
    int x = 0, y = 0;
};

// A point is inside when left <= x < right and top <= y < bottom.
struct PlainRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(PlainPoint p) const { return left <= p.x && p.x < right && top <= p.y && p.y < bottom; }
};

// a * b / c rounded half away from zero, -1 for c = 0: as Windows' MulDiv.
inline int PlainMulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    long long product = static_cast<long long>(a) * b;
    const bool negative = (product < 0) != (c < 0);
    if (product < 0) product = -product;
    const long long divisor = c < 0 ? -static_cast<long long>(c) : c;
    const long long result = (product + divisor / 2) / divisor;
    return static_cast<int>(negative ? -result : result);
}
