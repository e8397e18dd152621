#include "layout/CWindowListPart.h"

#include <algorithm>

LayoutRect AlignContent(const LayoutRect& part, int32_t cx, int32_t cy, int32_t alignment) {
    const int64_t h = std::min((alignment & 15), 2);
    const int64_t v = std::min(((alignment >> 4) & 15), 2);
    const int64_t wr = part.Width(), hr = part.Height();
    const int64_t cw = std::min<int64_t>(cx, wr), ch = std::min<int64_t>(cy, hr);
    const int64_t x = part.left + (wr - cw) * h / (h == 0 ? 1 : 2);
    const int64_t y = part.top + (hr - ch) * v / (v == 0 ? 1 : 2);
    return {static_cast<int32_t>(x), static_cast<int32_t>(y), static_cast<int32_t>(x + cw),
            static_cast<int32_t>(y + ch)};
}
