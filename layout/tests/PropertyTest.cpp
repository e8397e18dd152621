#include <gtest/gtest.h>

#include <random>
#include <string>

#include "layout/CWindowListPartFormatCore.h"

namespace {

// Layouts built from the format's pieces, some damaged with stray syntax characters so
// that unbalanced and odd texts are covered too.
struct LayoutGenerator {
    std::mt19937 rng{1234};

    std::string Layout() {
        std::string text = Chance(30) ? Pick({"[b=1]", "[b=17]", "[debug]", "[dgl=9]", "[x=[y]]"}) : "";
        text += Level(0);
        for (int n = Chance(25) ? Int(1, 4) : 0; n > 0; --n) {
            const size_t at = size_t(Int(0, int(text.size())));
            if (Chance(50) && at < text.size()) text.erase(at, 1);
            else text.insert(at, 1, " \t()[]\"\\:;,/|\r\n-9x="[Int(0, 18)]);
        }
        return text;
    }

    bool Chance(int percent) { return Int(0, 99) < percent; }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
    std::string Pick(std::initializer_list<const char*> options) {
        return *(options.begin() + Int(0, int(options.size()) - 1));
    }
    std::string Number() {
        return Chance(5) ? Pick({"99999999999", "-99999999999", "abc", ""}) : std::to_string(Int(-3, 120));
    }

    std::string Level(int depth) {
        std::string text;
        const char* sep = Chance(15) ? "\r\n" : "/";
        for (int i = 0, lines = Int(1, depth ? 3 : 4); i < lines; ++i) {
            if (i) text += sep;
            if (Chance(10)) text += std::string("|") + sep;
            if (Chance(25)) text += Number() + Pick({";", " ;"});
            for (int u = 0, units = Int(1, 6); u < units; ++u) {
                if (u) text += Pick({",", ",", ", ", ",,", ",|,"});
                text += Unit(depth);
            }
        }
        return text;
    }

    std::string Unit(int depth) {
        std::string text;
        const int kind = Int(0, 9);
        if (kind < 6 || depth > 3) {
            text = Number();
        } else if (kind < 8) {
            text = "\"";
            for (int n = Int(0, 5); n > 0; --n) text += Pick({"a", " ", "\\\"", "\\", ",", "(", "\r\n", "/"});
            text += "\"";
        } else {
            text = "(" + Level(depth + 1) + ")";
        }
        if (Chance(5)) text = " " + text;
        while (Chance(20))
            text += Pick({"[b=", "[a=", "[bg=", "[fg=", "[ww"}) +
                    (Chance(30) ? Pick({"rgb(1,2,3)", "rgb(1,2)", "-2147483643"}) : Number()) + "]";
        if (Chance(25)) text += ":" + Number();
        return text;
    }
};

TEST(CrdProperty, PartsStayInsideTheirRectangleAndLinesNeverOverlap) {
    LayoutGenerator generate;
    CWindowListPartFormatCore core;
    int arranged = 0;
    for (int round = 0; round < 4000; ++round) {
        const std::string text = generate.Layout();
        const int32_t left = generate.Int(-50, 50), top = generate.Int(-50, 50);
        const LayoutRect rect{left, top, left + generate.Int(-5, 400), top + generate.Int(-5, 120)};
        CWindowListPartCache cache;
        if (!core.ArrangeInto(text, rect, cache)) continue;
        const auto& parts = cache.Parts();
        arranged += !parts.empty();
        for (size_t i = 0; i < parts.size(); ++i) {
            const LayoutRect& r = parts[i].Rect();
            ASSERT_FALSE(r.IsEmpty()) << text;
            ASSERT_EQ(IntersectRect(r, rect), r) << text << " part " << i;
            for (size_t j = i + 1; j < parts.size(); ++j) {
                if (parts[j].Unit()->ParentLine() != parts[i].Unit()->ParentLine()) continue;
                ASSERT_TRUE(IntersectRect(r, parts[j].Rect()).IsEmpty()) << text << " parts " << i << ", " << j;
            }
        }
    }
    EXPECT_GT(arranged, 4000 / 2) << "too few layouts placed a part: the checks above said little";
}

}  // namespace
