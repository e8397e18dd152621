#include <gtest/gtest.h>

#include <random>
#include <string>

#include "CaptionTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

// Wraps the single parsed line of text to width with 10-pixel characters.
Strings Wrap(std::string_view text, int32_t width, IHTMLCaptionHostBase* host = nullptr) {
    CHTMLCaption c;
    c.SetCaption(text, host);
    return Runs(c.WrapLine(c.ParsedLines().at(0), width, FixedMeasure()));
}

TEST(Separators, DigitsAndLatin1LettersAreWordCharacters) {
    int words = 0;
    for (int c = 0; c < 256; ++c) words += CHTMLCaption::IsSeparator(static_cast<unsigned char>(c)) ? 0 : 1;
    EXPECT_EQ(words, 108);
    EXPECT_FALSE(CHTMLCaption::IsSeparator('7'));
    EXPECT_FALSE(CHTMLCaption::IsSeparator('Q'));
    EXPECT_FALSE(CHTMLCaption::IsSeparator(0xE9));  // e acute
    EXPECT_FALSE(CHTMLCaption::IsSeparator(0xD1));  // N tilde
    EXPECT_TRUE(CHTMLCaption::IsSeparator(0xFF));   // y diaeresis is not in the table
    EXPECT_TRUE(CHTMLCaption::IsSeparator(0xDF));
    EXPECT_TRUE(CHTMLCaption::IsSeparator(' '));
    EXPECT_TRUE(CHTMLCaption::IsSeparator('-'));
    EXPECT_TRUE(CHTMLCaption::IsSeparator('_'));
}

TEST(WrapLine, BreaksBehindTheLastSeparatorThatFits) {
    EXPECT_EQ(Wrap("aaaa bbbb", 60), (Strings{"aaaa ", "bbbb"}));
    EXPECT_EQ(Wrap("aaaa bbbb", 100), (Strings{"aaaa bbbb"}));
    EXPECT_EQ(Wrap("aaaa bbbb", 90), (Strings{"aaaa ", "bbbb"}));  // strictly narrower
    EXPECT_EQ(Wrap("aa bb cc dd", 70), (Strings{"aa bb ", "cc dd"}));
    EXPECT_EQ(Wrap("ab,, cd", 55), (Strings{"ab,, ", "cd"}));
    EXPECT_EQ(Wrap("aaaa  bbbb", 60), (Strings{"aaaa ", "bbbb"}));  // one blank dropped
    EXPECT_EQ(Wrap("aaaa\tbbbb", 60), (Strings{"aaaa\t", "bbbb"}));
    EXPECT_EQ(Wrap("ab-cd", 40), (Strings{"ab-", "cd"}));
}

TEST(WrapLine, WordWiderThanTheWidthIsCutByCharacters) {
    EXPECT_EQ(Wrap("abcdefghij", 35), (Strings{"abc", "def", "ghi", "j"}));
    EXPECT_EQ(Wrap("abc", 5), (Strings{"a", "b", "c"}));  // at least one character
    EXPECT_EQ(Wrap("abc", 0), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Wrap("abc", -20), (Strings{"a", "b", "c"}));
    EXPECT_EQ(Wrap("abc def", 35), (Strings{"abc", "def"}));  // blank at the break dropped
}

TEST(WrapLine, WordSpanningRunsMovesTogether) {
    EXPECT_EQ(Wrap("aa bb<i>cccc</i>", 80), (Strings{"aa", "bb|cccc"}));
    EXPECT_EQ(Wrap("aa-bb<i>cccc</i>", 80), (Strings{"aa", "-bb|cccc"}));
    EXPECT_EQ(Wrap("aa <i>cccccc</i>", 80), (Strings{"aa ", "cccccc"}));
    EXPECT_EQ(Wrap("aa <b>x</b><i>cccccc</i>", 80), (Strings{"aa ", "x|cccccc"}));
    // A word that no line can hold is cut where it stands.
    EXPECT_EQ(Wrap("aa bb<i>cccccccccc</i>", 80), (Strings{"aa bb|cc", "ccccccc", "c"}));
    // Nothing would stay on the line: cut by characters instead.
    EXPECT_EQ(Wrap("-bb<i>cccccc</i>", 80), (Strings{"-bb|cccc", "cc"}));
}

TEST(WrapLine, Latin1LettersBelongToWords) {
    EXPECT_EQ(Wrap("x\xE9y<i>zz</i>", 50), (Strings{"x\xE9y|z", "z"}));
    EXPECT_EQ(Wrap("x\xF7y<i>zz</i>", 50), (Strings{"x", "\xF7y|zz"}));  // division sign separates
}

TEST(WrapLine, ImagesAreNeverDivided) {
    FakeHost host;
    host.Pictures["wide"] = {100, 10};
    EXPECT_EQ(Wrap("aaa bbb<img>1:30</img>", 80), (Strings{"aaa", "bbb|[img]"}));
    EXPECT_EQ(Wrap("ab<img>wide</img>", 50, &host), (Strings{"ab", "[img]"}));
    EXPECT_EQ(Wrap("<img>wide</img>x", 50, &host), (Strings{"[img]", "x"}));
    EXPECT_EQ(Wrap("<img>1</img><img>2</img><img>3</img>", 40), (Strings{"[img]|[img]", "[img]"}));
}

TEST(WrapLine, EmptyLineStaysOneLine) {
    CHTMLCaption c;
    EXPECT_EQ(c.WrapLine({}, 50, FixedMeasure()).size(), 1u);
}

// Every character survives except one blank or tab at a break, and a line
// is narrower than the width unless it holds a single character or image.
TEST(WrapLine, RandomTextsKeepCharactersAndWidth) {
    std::mt19937 rng(7);
    const char alphabet[] = "abc de,\t-\xE9\xF7";
    FixedMeasure m;
    for (int round = 0; round < 400; ++round) {
        std::string text;
        const int len = static_cast<int>(rng() % 60);
        for (int i = 0; i < len; ++i) {
            if (rng() % 9 == 0) text += (rng() % 2) ? "<b>" : "</b>";
            else text += alphabet[rng() % (sizeof(alphabet) - 1)];
        }
        const int32_t width = static_cast<int32_t>(rng() % 120);
        CHTMLCaption c;
        c.SetCaption(text);
        if (c.ParsedLines().empty()) continue;
        const std::string plain = c.GetPlainText();
        const auto lines = c.WrapLine(c.ParsedLines().at(0), width, m);
        std::string joined;
        for (const auto& line : lines) {
            std::string chars;
            for (const auto& e : line) chars += e.Text();
            if (chars.size() > 1) {
                EXPECT_LT(c.LineWidth(line, m), width) << text << " / " << width;
            }
            joined += chars;
        }
        // joined is plain with some blanks removed: walk both.
        size_t j = 0, dropped = 0;
        for (char ch : plain) {
            if (j < joined.size() && joined[j] == ch) ++j;
            else if (ch == ' ' || ch == '\t') ++dropped;
            else ADD_FAILURE() << "lost " << ch << " in " << text;
        }
        EXPECT_EQ(j, joined.size());
        EXPECT_LE(dropped, lines.size()) << text;  // at most one per break
    }
}

TEST(SetWordWrap, WrapsEveryLineAndReturnsTheBounds) {
    CHTMLCaption c;
    FixedMeasure m;
    c.SetCaption("aaaa bbbb<br>cc");
    const HTMLRect r = c.SetWordWrap(true, m, {5, 7, 65, 100});
    EXPECT_EQ(Runs(c.CurrentLines()), (Strings{"aaaa ", "bbbb", "cc"}));
    EXPECT_EQ(r, (HTMLRect{5, 7, 55, 7 + 3 * 16}));
    EXPECT_EQ(Runs(c.ParsedLines()), (Strings{"aaaa bbbb", "cc"}));
    c.SetWordWrap(false, m, {0, 0, 60, 100});
    EXPECT_EQ(Runs(c.CurrentLines()), (Strings{"aaaa bbbb|cc"}));
}

TEST(Placement, RightAlignedRunsEndAtTheRightEdge) {
    FixedMeasure m;
    CHTMLCaption c;
    c.SetCaption("<r>right");
    auto places = c.PlaceElements(m, {0, 0, 100, 16});
    ASSERT_EQ(places.size(), 1u);
    EXPECT_EQ(places[0].Cell, (HTMLRect{50, 0, 100, 16}));

    c.SetCaption("left<r>right");
    places = c.PlaceElements(m, {0, 0, 100, 16});
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].Cell, (HTMLRect{0, 0, 40, 16}));
    EXPECT_EQ(places[1].Cell, (HTMLRect{50, 0, 100, 16}));
    EXPECT_EQ(c.HitTestElement(m, {0, 0, 100, 16}, {45, 5}), nullptr);  // the gap
    EXPECT_EQ(c.HitTestElement(m, {0, 0, 100, 16}, {60, 5}), places[1].Element);
}

TEST(Placement, LinesAreCentredVerticallyAndAligned) {
    FixedMeasure m;
    CHTMLCaption c;
    c.SetCaption("ab<br>abcd");
    auto places = c.PlaceElements(m, {0, 0, 100, 160});
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].Cell.top, 64);
    EXPECT_EQ(places[1].Cell.top, 80);
    c.SetAlignment(1);
    places = c.PlaceElements(m, {0, 0, 100, 160});
    EXPECT_EQ(places[0].Cell.left, 40);
    EXPECT_EQ(places[1].Cell.left, 30);
    c.SetAlignment(2);
    places = c.PlaceElements(m, {0, 0, 100, 160});
    EXPECT_EQ(places[0].Cell.right, 100);
    EXPECT_EQ(places[1].Cell.left, 60);
    // Lines whose top is at or below the bottom are left out.
    EXPECT_EQ(c.PlaceElements(m, {0, 0, 100, 0}).size(), 1u);
    EXPECT_EQ(c.GetHeight(m), 32);
    EXPECT_EQ(c.MaxLineWidth(m), 40);
}

TEST(Placement, PlacingStopsWhenTheLineIsFull) {
    FixedMeasure m;
    CHTMLCaption c;
    c.SetCaption("<b>aaaa</b>bbbb<i>cc</i><r>z");
    const auto places = c.PlaceElements(m, {0, 0, 50, 16});
    ASSERT_EQ(places.size(), 2u);
    EXPECT_TRUE(places[1].After.IsEmpty());
}

TEST(HitTest, ReportsAnchorsAndImages) {
    FixedMeasure m;
    CHTMLCaption c;
    c.SetCaption("go <a 7;page=2>here</a><img>3</img>");
    const HTMLRect r{0, 0, 200, 16};
    const auto* a = c.HitTestAnchor(m, r, {35, 8});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->AnchorId(), "7");
    EXPECT_EQ(a->AnchorOptions(), "page=2");
    EXPECT_EQ(c.HitTestAnchor(m, r, {5, 8}), nullptr);
    EXPECT_EQ(c.HitTestImage(m, r, {75, 8}), 0);
    EXPECT_EQ(c.HitTestImage(m, r, {35, 8}), -1);
    EXPECT_EQ(c.HitTestElement(m, r, {75, 16}), nullptr);  // below the line
    EXPECT_EQ(c.HitTestElement(m, r, {90, 8}), nullptr);   // right of the last run
}

}  // namespace
