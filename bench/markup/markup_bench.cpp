// Parses 100,000 varied captions, then parses and lays them out with a
// fixed-width measure, and prints captions per second next to a plain byte
// scan of the same texts measured in the same run.
#include <chrono>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "html/CHTMLCaption.h"
#include "html/IHTMLTextMeasure.h"

namespace {

class FixedMeasure : public IHTMLTextMeasure {
public:
    int32_t TextWidth(const CHTMLCaption::CHTMLElement& run, std::string_view text) const override {
        return static_cast<int32_t>(text.size()) * (run.Bold ? 8 : 7);
    }
    int32_t LineHeight() const override { return 16; }
};

std::vector<std::string> MakeCaptions(size_t count) {
    static const char* const words[] = {"Page", "of", "Report", "total", "caf\xE9", "r\xE9sum\xE9", "Q3-2026",
                                        "customer", "x", "invoice#42", "(draft)", "Tavrin", "line,", "and"};
    static const char* const pieces[] = {
        "<b>", "</b>", "<i>", "</i>", "<u>", "</u>", "<s>", "</s>", "<fgcolor=FF0000>", "</fgcolor>",
        "<bgcolor=00ff7F>", "</bgcolor>", "<br>", "\r\n", "<solidline>", "<dotline>", "<r>", "<upline>",
        "<img>3</img>", "<img>2:30</img>", "<img>logo</img>", "<font Arial;12>", "</font>", "<a 7;page=2>",
        "</a>", "&amp;", "&lt;", "&#65;", "&quot;", "</b>", "<fgcolor=12345G>", "&ampx", "<blink>"};
    std::mt19937 rng(2026);
    std::vector<std::string> out;
    out.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        std::string s;
        const size_t parts = 2 + rng() % (i % 50 == 0 ? 400 : 24);  // now and then a long one
        for (size_t k = 0; k < parts; ++k) {
            if (rng() % 3 == 0) s += pieces[rng() % (sizeof(pieces) / sizeof(*pieces))];
            else {
                s += words[rng() % (sizeof(words) / sizeof(*words))];
                s += ' ';
            }
        }
        out.push_back(std::move(s));
    }
    return out;
}

template <class F>
double Seconds(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main() {
    const std::vector<std::string> captions = MakeCaptions(100000);
    size_t bytes = 0;
    for (const auto& c : captions) bytes += c.size();
    volatile size_t sink = 0;

    // Baseline: one pass over every byte, counting tag starts.
    const double scan = Seconds([&] {
        size_t n = 0;
        for (const auto& c : captions)
            for (char ch : c) n += (ch == '<' || ch == '&');
        sink = sink + n;
    });

    CHTMLCaption caption;
    const double parse = Seconds([&] {
        size_t n = 0;
        for (const auto& c : captions) {
            caption.SetCaption(c);
            n += caption.ParsedLines().size();
        }
        sink = sink + n;
    });

    FixedMeasure measure;
    const double layout = Seconds([&] {
        int64_t n = 0;
        for (const auto& c : captions) {
            caption.SetCaption(c);
            n += caption.SetWordWrap(true, measure, {0, 0, 200, 100}).bottom;
            n += caption.MaxLineWidth(measure);
        }
        sink = sink + static_cast<size_t>(n);
    });

    const double count = static_cast<double>(captions.size());
    std::printf("captions: %zu (%.1f bytes on average)\n", captions.size(), static_cast<double>(bytes) / count);
    std::printf("byte scan (baseline):   %12.0f captions/s\n", count / scan);
    std::printf("parse:                  %12.0f captions/s  (%.1fx the scan time)\n", count / parse, parse / scan);
    std::printf("parse + wrap + measure: %12.0f captions/s  (%.1fx the scan time)\n", count / layout, layout / scan);
    return sink == 0 ? 1 : 0;
}
