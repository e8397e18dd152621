#pragma once
// How lines share a level's height and units share a line's width. Negative
// fixed sizes give no room; all sums are 64-bit so hostile numbers cannot wrap.
#include <algorithm>
#include <cstdint>
#include <vector>

namespace crd {

// Each flexible entry's share of `room` after the fixed sizes.
inline int64_t FlexibleShare(int64_t room, int64_t fixedSum, int64_t entries, int64_t fixedCount) {
    const int64_t flexible = entries - fixedCount;
    return flexible > 0 ? std::max<int64_t>(0, room - fixedSum) / flexible : 0;
}

// Sizes given in order (fixed size or share) until the running sum reaches
// `available`; that entry is cut to end exactly there and later ones get 0.
// When the sum stays short, the rest goes to the last flexible entry that got
// room (the division's remainder, or room left by the other list).
inline std::vector<int64_t> GiveSizes(const std::vector<int32_t>& fixed, int64_t share,
                                      int64_t available) {
    std::vector<int64_t> sizes(fixed.size(), 0);
    int64_t sum = 0;
    long lastFlexible = -1;
    for (size_t i = 0; i < fixed.size(); ++i) {
        int64_t h = std::max<int64_t>(0, fixed[i] ? fixed[i] : share);
        sum += h;
        if (sum >= available) {
            sizes[i] = std::max<int64_t>(0, h + (available - sum));
            return sizes;
        }
        sizes[i] = h;
        if (fixed[i] == 0 && h > 0) lastFlexible = static_cast<long>(i);
    }
    if (lastFlexible >= 0) sizes[static_cast<size_t>(lastFlexible)] += available - sum;
    return sizes;
}

}  // namespace crd
