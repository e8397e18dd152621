#include "scaling/ImageStretch.h"

#include <algorithm>
#include <cmath>

namespace dpi {

namespace {

// For each target position along one axis: the source positions and weights (summing to 1).
struct Tap {
    int index;
    float weight;
};
std::vector<std::vector<Tap>> Taps(int from, int to) {
    const double scale = static_cast<double>(from) / to;
    const double radius = std::max(1.0, scale);  // a wider tent averages when shrinking
    std::vector<std::vector<Tap>> taps(static_cast<size_t>(to));
    for (int t = 0; t < to; ++t) {
        const double centre = (t + 0.5) * scale - 0.5;
        double sum = 0;
        const int first = static_cast<int>(std::floor(centre - radius));
        const int last = static_cast<int>(std::ceil(centre + radius));
        for (int s = first; s <= last; ++s) {
            const double w = 1.0 - std::abs(s - centre) / radius;
            if (w <= 0) continue;
            taps[t].push_back({std::clamp(s, 0, from - 1), static_cast<float>(w)});
            sum += w;
        }
        for (Tap& tap : taps[t]) tap.weight = static_cast<float>(tap.weight / sum);
    }
    return taps;
}

}  // namespace

std::vector<uint32_t> StretchSmooth(const std::vector<uint32_t>& source, int width, int height, int toWidth,
                                    int toHeight) {
    if (width < 1 || height < 1 || toWidth < 1 || toHeight < 1 ||
        source.size() != static_cast<size_t>(width) * static_cast<size_t>(height))
        return {};
    const auto across = Taps(width, toWidth), down = Taps(height, toHeight);
    // Across first, into four float channels per pixel.
    std::vector<float> rows(static_cast<size_t>(toWidth) * height * 4, 0.0f);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < toWidth; ++x)
            for (const Tap& tap : across[x]) {
                const uint32_t p = source[static_cast<size_t>(y) * width + tap.index];
                float* out = &rows[(static_cast<size_t>(y) * toWidth + x) * 4];
                for (int c = 0; c < 4; ++c) out[c] += tap.weight * static_cast<float>((p >> (8 * c)) & 0xFF);
            }
    std::vector<uint32_t> result(static_cast<size_t>(toWidth) * toHeight);
    for (int y = 0; y < toHeight; ++y)
        for (int x = 0; x < toWidth; ++x) {
            float sum[4] = {};
            for (const Tap& tap : down[y]) {
                const float* in = &rows[(static_cast<size_t>(tap.index) * toWidth + x) * 4];
                for (int c = 0; c < 4; ++c) sum[c] += tap.weight * in[c];
            }
            uint32_t p = 0;
            for (int c = 0; c < 4; ++c)
                p |= static_cast<uint32_t>(std::clamp(std::lround(sum[c]), 0L, 255L)) << (8 * c);
            result[static_cast<size_t>(y) * toWidth + x] = p;
        }
    return result;
}

}  // namespace dpi
