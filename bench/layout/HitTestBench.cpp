// Hit tests on the default toolbar layout and on a 200-unit nested layout:
// answered through the text and size caches, and by parsing and arranging
// from scratch for every query, measured in the same run.
#include <chrono>
#include <cstdio>
#include <string>

#include "layout/CWindowListPartFormatCore.h"

namespace {

using Clock = std::chrono::steady_clock;

// Five rows, each of 8 items and 4 bordered groups of two lines of 4 items:
// 200 item units.
std::string NestedLayout() {
    std::string text;
    int item = 1;
    for (int row = 0; row < 5; ++row) {
        if (row) text += '/';
        for (int i = 0; i < 8; ++i) text += std::to_string(item++) + (i == 3 ? ":40," : ",");
        for (int g = 0; g < 4; ++g) {
            text += '(';
            for (int line = 0; line < 2; ++line) {
                if (line) text += '/';
                for (int i = 0; i < 4; ++i) text += (i ? "," : "") + std::to_string(item++);
            }
            text += g == 3 ? ")[b=1]" : ")[b=1],";
        }
    }
    return text;
}

volatile long g_sink;

// Runs `query(i)` for at least `seconds`; answers queries per second.
template <class Query>
double Rate(double seconds, Query query) {
    long done = 0, hits = 0;
    const auto start = Clock::now();
    std::chrono::duration<double> elapsed{};
    do {
        for (int i = 0; i < 256; ++i, ++done) hits += query(done);
        elapsed = Clock::now() - start;
    } while (elapsed.count() < seconds);
    g_sink = hits;
    return double(done) / elapsed.count();
}

void Measure(const char* name, const std::string& text, const LayoutRect& rect) {
    auto point = [&](long i) {
        return LayoutPoint{rect.left + int32_t((i * 37) % rect.Width()),
                           rect.top + int32_t((i * 11) % rect.Height())};
    };
    CWindowListPartFormatCore cached;
    const double cachedRate = Rate(0.5, [&](long i) {
        CWindowListPart part;
        return cached.HitTest(point(i), text, rect, part) ? 1L : 0L;
    });
    const double scratchRate = Rate(0.5, [&](long i) {
        CWindowListPartFormatCore fresh;
        CWindowListPart part;
        return fresh.HitTest(point(i), text, rect, part) ? 1L : 0L;
    });
    std::printf("%-22s cached %12.0f hit tests/s   from scratch %10.0f /s   ratio %6.1fx\n", name,
                cachedRate, scratchRate, cachedRate / scratchRate);
}

}  // namespace

int main() {
    Measure("default toolbar", "-1,100,101,102,-1,103,-1,104,-1,105", LayoutRect{2, 2, 798, 29});
    Measure("200-unit nested", NestedLayout(), LayoutRect{2, 2, 1598, 250});
    std::printf("target: cached at least 20x cheaper\n");
    return 0;
}
