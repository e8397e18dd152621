#include "ReadingOrder.h"
#include <algorithm>
#include <cmath>
#include <numeric>

namespace pagetext {
namespace {

bool IsSpace(char16_t c) { return c == u' ' || c == 0xA0 || c == 0x3000; }

}  // namespace

PageText Arrange(const PageRuns& page, bool withBoxes) {
    PageText out;
    out.page = page.page;
    std::vector<size_t> order(page.runs.size());
    std::iota(order.begin(), order.end(), size_t(0));
    const auto& runs = page.runs;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return runs[a].baseline < runs[b].baseline; });

    // A run is on the current line when its baseline is within half the smaller height of the
    // line's first baseline: a subscript or a larger word on the same line stays there.
    std::vector<size_t> line;
    auto flush = [&] {
        if (line.empty()) return;
        std::stable_sort(line.begin(), line.end(), [&](size_t a, size_t b) { return runs[a].Left() < runs[b].Left(); });
        if (!out.text.empty()) {
            out.text += kLineBreak;
            if (withBoxes) out.boxes.resize(out.text.size());
        }
        const Run* previous = nullptr;
        for (size_t index : line) {
            const Run& run = runs[index];
            if (previous) {
                const float gap = run.Left() - previous->Right();
                const float apart = 0.2f * std::min(run.Height(), previous->Height());
                if (gap > apart && !IsSpace(out.text.back()) && !IsSpace(run.text.front())) {
                    out.text += u' ';
                    if (withBoxes) out.boxes.emplace_back();
                }
            }
            const float top = run.baseline - run.ascent, bottom = run.baseline + run.descent;
            const bool placed = run.edges.size() == run.text.size() + 1;
            for (size_t i = 0; withBoxes && i < run.text.size(); ++i) {
                const float a = placed ? run.edges[i] : run.left, b = placed ? run.edges[i + 1] : run.right;
                out.boxes.push_back(Box{std::min(a, b), top, std::max(a, b), bottom});
            }
            out.text += run.text;
            previous = &run;
        }
        line.clear();
    };
    float lineBaseline = 0, lineHeight = 0;
    for (size_t index : order) {
        const Run& run = runs[index];
        if (run.text.empty() || std::all_of(run.text.begin(), run.text.end(), IsSpace)) continue;
        if (!line.empty() && std::fabs(run.baseline - lineBaseline) > 0.5f * std::min(lineHeight, run.Height())) flush();
        if (line.empty()) lineBaseline = run.baseline, lineHeight = run.Height();
        line.push_back(index);
    }
    flush();
    return out;
}

}  // namespace pagetext
