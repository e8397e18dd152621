#include <gtest/gtest.h>

#include <random>
#include <string>

#include "LayoutTestSupport.h"
#include "layout/CWindowListPartFormatCore.h"

namespace {

// Builds layouts from the format's pieces, then damages some of them with
// stray syntax characters so that unbalanced and odd texts are covered too.
class LayoutGenerator {
public:
    explicit LayoutGenerator(uint32_t seed) : m_rng(seed) {}

    std::string Layout() {
        std::string text;
        if (Chance(30)) text += Pick({"[b=1]", "[b=17]", "[debug]", "[dgl=9]", "[x=[y]]", "[b=-1]"});
        text += Level(0);
        if (Chance(25)) Damage(text);
        return text;
    }

private:
    bool Chance(int percent) { return Int(0, 99) < percent; }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    std::string Pick(std::initializer_list<const char*> options) {
        return *(options.begin() + Int(0, int(options.size()) - 1));
    }
    std::string Number() {
        if (Chance(5)) return Pick({"99999999999", "-99999999999", "abc", "0x10", ""});
        return std::to_string(Int(-3, 120));
    }

    std::string Level(int depth) {
        std::string text;
        const char* sep = Chance(15) ? "\r\n" : "/";
        const int lines = Int(1, depth ? 3 : 4);
        for (int i = 0; i < lines; ++i) {
            if (i) text += sep;
            if (Chance(10)) text += std::string("|") + sep;
            text += Line(depth);
        }
        return text;
    }

    std::string Line(int depth) {
        std::string text;
        if (Chance(25)) text += Number() + Pick({";", " ;", "; "});
        const int units = Int(1, 6);
        for (int i = 0; i < units; ++i) {
            if (i) text += Pick({",", ",", ",", ", ", ",,", ",|,", " ,"});
            text += Unit(depth);
        }
        if (Chance(5)) text += ",";
        return text;
    }

    std::string Unit(int depth) {
        std::string text;
        const int kind = Int(0, 9);
        if (kind < 6 || depth > 3) {
            text = Number();
        } else if (kind < 8) {
            text = "\"";
            for (int n = Int(0, 5); n > 0; --n)
                text += Pick({"a", " ", "\\\"", "\\", ",", "(", ")", "[", ":", "\r\n", "/"});
            text += "\"";
        } else {
            text = "(" + Level(depth + 1) + ")";
        }
        if (Chance(5)) text = " " + text;
        while (Chance(20)) {
            text += Pick({"[b=", "[a=", "[bg=", "[fg=", "[ww", "[zz="});
            text += Chance(30) ? Pick({"rgb(1,2,3)", "RGB(255,0,0)", "rgb(1,2)", "-2147483643"})
                               : Number();
            text += "]";
        }
        if (Chance(25)) text += ":" + Number();
        return text;
    }

    void Damage(std::string& text) {
        static const char stray[] = " \t()[]\"\\:;,/|\r\n-9x=";
        for (int n = Int(1, 4); n > 0; --n) {
            const size_t at = size_t(Int(0, int(text.size())));
            if (Chance(50) && at < text.size()) text.erase(at, 1);
            else text.insert(at, 1, stray[Int(0, int(sizeof(stray)) - 2)]);
        }
    }

    std::mt19937 m_rng;
};

std::string CanonicalOf(std::string_view text) {
    if (text.empty()) return "";
    return ParseLayout(text)->Write();
}

// A text ending in a backslash has no canonical spelling: written before its
// closing quotation mark, the backslash turns that mark into an escape.
bool HasTrailingBackslashText(const CWindowListPartLevel& level) {
    for (const CWindowListUnitPart* u = level.FirstUnit(); u; u = u->NextUnit())
        if (u->IsText() && !u->Text().empty() && u->Text().back() == '\\') return true;
    return false;
}

TEST(CrdProperty, PartsStayInsideTheirRectangleAndLinesNeverOverlap) {
    LayoutGenerator generate(1234);
    std::mt19937 rng(99);
    auto any = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    CWindowListPartFormatCore core;
    for (int round = 0; round < 1500; ++round) {
        const std::string text = generate.Layout();
        for (int size = 0; size < 3; ++size) {
            const int32_t left = any(-50, 50), top = any(-50, 50);
            const LayoutRect rect{left, top, left + any(-5, 400), top + any(-5, 120)};
            CWindowListPartCache cache;
            if (!core.ArrangeInto(text, rect, cache)) continue;
            const auto& parts = cache.Parts();
            for (size_t i = 0; i < parts.size(); ++i) {
                const LayoutRect& r = parts[i].Rect();
                ASSERT_FALSE(r.IsEmpty()) << text;
                ASSERT_TRUE(r.left >= rect.left && r.top >= rect.top && r.right <= rect.right &&
                            r.bottom <= rect.bottom)
                    << text << " part " << i;
                for (size_t j = i + 1; j < parts.size(); ++j) {
                    if (parts[j].Unit()->ParentLine() != parts[i].Unit()->ParentLine()) continue;
                    ASSERT_TRUE(IntersectRect(r, parts[j].Rect()).IsEmpty())
                        << text << " parts " << i << " and " << j;
                }
            }
        }
    }
}

TEST(CrdProperty, CanonicalTextReadsBackToTheSameCanonicalText) {
    LayoutGenerator generate(4321);
    int checked = 0;
    for (int round = 0; round < 1500; ++round) {
        const std::string text = generate.Layout();
        auto level = ParseLayout(text);
        if (HasTrailingBackslashText(*level)) continue;
        ++checked;
        const std::string once = level->Write();
        ASSERT_EQ(CanonicalOf(once), once) << "from " << text;
        // The canonical text also arranges exactly like its source.
        ASSERT_EQ(Arranged(once.empty() ? "/" : once, 333, 97), Arranged(text, 333, 97))
            << "from " << text;
    }
    EXPECT_GT(checked, 1200);
}

}  // namespace
