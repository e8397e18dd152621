#include "ReadingOrder.h"
#include "TextSearch.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

using namespace pagetext;

// Enhanced-metafile bytes record by record: a 1000 x 1000 pixel device of 100 x 100 mm.
struct Emf {
    std::vector<uint8_t> b;
    Emf() { Add(1, {0, 0, 0, 0, 0, 0, 10000, 10000, 0x464D4520, 0x10000, 0, 0, 0, 0, 0, 0, 1000, 1000, 100, 100}); }
    Emf& Add(uint32_t type, std::vector<uint32_t> words) {
        Word(type);
        Word(uint32_t(8 + 4 * words.size()));
        for (uint32_t w : words) Word(w);
        return *this;
    }
    void Word(uint32_t w) { for (int i = 0; i < 4; ++i) b.push_back(uint8_t(w >> (8 * i))); }
    // ExtTextOutW (or A, or with glyph indices) at (x, y) with one advance per character.
    Emf& Text(int x, int y, const std::u16string& s, std::vector<int> dx = {}, uint32_t options = 0, bool wide = true) {
        std::vector<uint32_t> w = {0, 0, 0, 0, 1, 0, 0, uint32_t(x), uint32_t(y), uint32_t(s.size()), 76, options,
                                   0, 0, 0, 0, 0};
        std::vector<uint8_t> chars;
        for (char16_t c : s) {
            chars.push_back(uint8_t(c));
            if (wide) chars.push_back(uint8_t(c >> 8));
        }
        while (chars.size() % 4) chars.push_back(0);
        w[16] = dx.empty() ? 0 : uint32_t(76 + chars.size());
        for (size_t i = 0; i < chars.size(); i += 4) w.push_back(chars[i] | chars[i + 1] << 8 | chars[i + 2] << 16 | uint32_t(chars[i + 3]) << 24);
        for (int d : dx) w.push_back(uint32_t(d));
        return Add(wide ? 84 : 83, w);
    }
    Emf& Font(uint32_t handle, int height) {
        std::vector<uint32_t> w(1 + 23, 0);
        w[0] = handle;
        w[1] = uint32_t(height);
        w[8] = 0x0061u | 0x0062u << 16;  // face "ab"
        return Add(82, w);
    }
    PageRuns Read() const { return ReadRuns(b.data(), b.size(), Decoder()); }
};

TEST(MetafileRuns, TextIsPlacedThroughTheMappingAlignmentAndFont) {
    const struct {
        const char* name;
        Emf emf;
        std::u16string text;
        float left, right, baseline;
    } cases[] = {
        {"top aligned, pixels", Emf().Font(1, -20).Add(37, {1}).Text(100, 50, u"Hi", {10, 12}), u"Hi", 100, 122, 68},
        {"baseline and right aligned", Emf().Font(1, -20).Add(37, {1}).Add(22, {24 | 2}).Text(100, 50, u"Hi", {10, 12}),
         u"Hi", 78, 100, 50},
        {"scaled by two, moved", Emf().Font(1, -20).Add(37, {1}).Add(17, {8}).Add(9, {100, 100}).Add(11, {200, 200})
             .Add(12, {5, 5}).Text(100, 50, u"Hi", {10, 12}), u"Hi", 205, 249, 141},
        {"saved mapping comes back", Emf().Add(17, {8}).Add(33, {}).Add(11, {3, 3}).Add(34, {uint32_t(-1)})
             .Add(22, {24}).Text(10, 10, u"x", {4}), u"x", 10, 14, 10},
        {"lometric turns y up", Emf().Add(17, {2}).Add(22, {24}).Text(100, -100, u"m", {10}), u"m", 100, 110, 100},
        {"narrow text as Latin-1", Emf().Add(22, {24}).Text(0, 0, u"\u00e9t\u00e9", {}, 0, false), u"\u00e9t\u00e9", 0, 18, 0},
        {"control characters become spaces", Emf().Add(22, {24}).Text(0, 0, u"a\tb", {1, 1, 1}), u"a b", 0, 3, 0},
    };
    for (const auto& c : cases) {
        const PageRuns page = c.emf.Read();
        ASSERT_EQ(page.runs.size(), 1u) << c.name;
        const pagetext::Run& run = page.runs[0];
        EXPECT_EQ(run.text, c.text) << c.name;
        EXPECT_NEAR(run.Left(), c.left, 0.01) << c.name;
        EXPECT_NEAR(run.Right(), c.right, 0.01) << c.name;
        EXPECT_NEAR(run.baseline, c.baseline, 0.01) << c.name;
        EXPECT_EQ(page.page.right, 1000) << c.name;
    }
}

TEST(MetafileRuns, DamagedOrUnreadableRecordsAreLeftOut) {
    Emf lying = Emf().Text(0, 0, u"ok");
    lying.b[88 + 44] = 0xFF;  // a character count far past the record
    Emf cut = Emf().Text(0, 0, u"kept").Text(0, 40, u"lost");
    cut.b.resize(cut.b.size() - 6);
    Emf shortRecord = Emf().Add(84, {1, 2, 3}).Text(0, 0, u"after");
    const struct {
        const char* name;
        Emf emf;
        std::vector<std::u16string> texts;
    } cases[] = {
        {"count past the end", lying, {}},
        {"truncated metafile", cut, {u"kept"}},
        {"record too short for its type", shortRecord, {u"after"}},
        {"glyph indices without a font map", Emf().Font(1, -10).Add(37, {1}).Text(0, 0, u"\x21\x22", {}, 0x10), {}},
        {"restore past the saves", Emf().Add(34, {uint32_t(-5)}).Add(34, {7}).Text(0, 0, u"y"), {u"y"}},
        {"no header", Emf().Text(0, 0, u"z"), {u"z"}},
    };
    for (const auto& c : cases) {
        std::vector<std::u16string> texts;
        for (const pagetext::Run& r : c.emf.Read().runs) texts.push_back(r.text);
        EXPECT_EQ(texts, c.texts) << c.name;
    }
    std::vector<uint8_t> noHeader = Emf().Text(0, 0, u"z").b;
    noHeader[0] = 2;
    EXPECT_TRUE(ReadRuns(noHeader.data(), noHeader.size(), Decoder()).runs.empty());
    EXPECT_TRUE(ReadRuns(nullptr, 100, Decoder()).runs.empty());
}

pagetext::Run MakeRun(const std::u16string& text, float left, float baseline, float width = 0, float height = 10) {
    pagetext::Run r;
    r.text = text;
    if (!width) width = 5.0f * text.size();
    for (size_t i = 0; i <= text.size(); ++i) r.edges.push_back(left + width * i / text.size());
    r.left = left;
    r.right = left + width;
    r.baseline = baseline;
    r.ascent = height * 0.8f;
    r.descent = height * 0.2f;
    return r;
}

TEST(ReadingOrder, LinesTopDownRunsLeftToRightSpacesWhereRunsStandApart) {
    const struct {
        const char* name;
        std::vector<pagetext::Run> runs;
        std::u16string text;
    } cases[] = {
        {"empty page", {}, u""},
        {"lines by baseline", {MakeRun(u"second", 0, 40), MakeRun(u"first", 0, 20)}, u"first\r\nsecond"},
        {"runs by left edge, apart", {MakeRun(u"world", 100, 20), MakeRun(u"hello", 0, 20)}, u"hello world"},
        {"touching runs join", {MakeRun(u"to", 0, 20, 10), MakeRun(u"tal", 10.5f, 20)}, u"total"},
        {"a slightly lower run stays on its line", {MakeRun(u"H", 0, 20), MakeRun(u"2", 6, 23), MakeRun(u"O", 12, 20)},
         u"H2O"},
        {"blank runs are not words", {MakeRun(u"a", 0, 20), MakeRun(u"   ", 10, 20), MakeRun(u"b", 30, 20)}, u"a b"},
        {"a run with its own space gets no other", {MakeRun(u"a ", 0, 20), MakeRun(u"b", 40, 20)}, u"a b"},
    };
    for (const auto& c : cases) {
        PageRuns page;
        page.runs = c.runs;
        const PageText t = Arrange(page);
        EXPECT_EQ(t.text, c.text) << c.name;
        EXPECT_EQ(t.boxes.size(), t.text.size()) << c.name;
    }
    PageRuns page;
    page.runs = {MakeRun(u"ab", 10, 20, 20), MakeRun(u"c", 100, 20)};
    const PageText t = Arrange(page);
    EXPECT_FLOAT_EQ(t.boxes[1].left, 20);
    EXPECT_FLOAT_EQ(t.boxes[1].right, 30);
    EXPECT_FLOAT_EQ(t.boxes[1].top, 12);
    EXPECT_TRUE(t.boxes[2].Empty());  // the space put between the runs
}

TEST(TextSearch, MatchesIgnoreCaseOnlyWhenAsked) {
    const struct {
        std::u16string haystack, needle;
        bool matchCase;
        std::vector<size_t> at;
    } cases[] = {
        {u"Total 42, total", u"TOTAL", false, {0, 10}},
        {u"Total 42, total", u"total", true, {10}},
        {u"aaaa", u"aa", true, {0, 2}},
        {u"\u00c4pfel und \u00e4pfel", u"\u00e4PFEL", false, {0, 10}},
        {u"\u0416\u0443\u043a \u0436\u0423\u041a", u"\u0436\u0443\u043a", false, {0, 4}},
        {u"\u0104\u0141\u017b \u0105\u0142\u017c", u"\u0105\u0142\u017c", false, {0, 4}},
        {u"\u6771\u4eac\u90fd", u"\u4eac", false, {1}},
        {u"e\u0301te", u"\u00e9", false, {}},  // combining marks match as they are written
        {u"<b>&amp;</b>", u"&AMP;", false, {3}},
        {u"abc", u"", false, {}},
        {u"ab", u"abc", false, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(FindAll(c.haystack, c.needle, c.matchCase), c.at) << std::string(c.needle.begin(), c.needle.end());
    EXPECT_EQ(FindAll(u"xxxxxx", u"x", true, 4).size(), 4u);
    EXPECT_EQ(FoldCase(0x178), 0xFF);
    EXPECT_EQ(FoldCase(0x130), 0x130);
    EXPECT_EQ(FoldCase(0xD7), 0xD7);
}

}  // namespace
