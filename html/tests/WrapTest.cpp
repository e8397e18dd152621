#include <gtest/gtest.h>

#include "CaptionTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

// Word characters: digits, ASCII letters and 46 accented letters (E9 e-acute, D1 N-tilde, FC, DC),
// but not FF y-diaeresis, DF sharp s, C6 AE ligature or the signs D7 and F7.
TEST(Separators, DigitsAndLatin1LettersAreWordCharacters) {
    for (unsigned char c : std::string_view("09azAZ\xE9\xD1\xFC\xDC")) EXPECT_FALSE(CHTMLCaption::IsSeparator(c)) << +c;
    for (unsigned char c : std::string_view(" -_\xFF\xDF\xC6\xD7\xF7")) EXPECT_TRUE(CHTMLCaption::IsSeparator(c)) << +c;
}

// Characters are 10 pixels wide; "|" separates runs, "[img]" is an image.
TEST(WrapLine, Rules) {
    FakeHost host;
    host.Pictures["wide"] = {100, 10};
    const struct {
        std::string_view text;
        int32_t width;
        Strings lines;
    } cases[] = {
        // 1: behind the last separator that fits, one blank dropped
        {"aaaa bbbb", 60, {"aaaa ", "bbbb"}},
        {"aaaa bbbb", 90, {"aaaa ", "bbbb"}},  // strictly narrower
        {"aaaa bbbb", 100, {"aaaa bbbb"}},
        {"aaaa  bbbb", 60, {"aaaa ", "bbbb"}},
        {"ab-cd", 40, {"ab-", "cd"}},
        // too wide for any line: cut by characters, at least one a line
        {"abcdefghij", 35, {"abc", "def", "ghi", "j"}},
        {"abc", 0, {"a", "b", "c"}},
        // 2: a word spanning runs takes its start along to the new line
        {"aa bb<i>cccc</i>", 80, {"aa", "bb|cccc"}},
        {"aa-bb<i>cccc</i>", 80, {"aa", "-bb|cccc"}},
        {"aa <i>cccccc</i>", 80, {"aa ", "cccccc"}},
        {"aa bb<i>cccccccccc</i>", 80, {"aa bb|cc", "ccccccc", "c"}},
        {"-bb<i>cccccc</i>", 80, {"-bb|cccc", "cc"}},  // nothing would stay: cut instead
        {"x\xE9y<i>zz</i>", 50, {"x\xE9y|z", "z"}},
        {"x\xF7y<i>zz</i>", 50, {"x", "\xF7y|zz"}},
        // 3: images are never divided
        {"aaa bbb<img>1:30</img>", 80, {"aaa", "bbb|[img]"}},
        {"ab<img>wide</img>", 50, {"ab", "[img]"}},
        {"<img>wide</img>x", 50, {"[img]", "x"}},
        {"<img>1</img><img>2</img><img>3</img>", 40, {"[img]|[img]", "[img]"}},
    };
    for (const auto& c : cases) {
        CHTMLCaption caption;
        caption.SetCaption(c.text, &host);
        EXPECT_EQ(Runs(caption.WrapLine(caption.ParsedLines().at(0), c.width, FixedMeasure())), c.lines)
            << c.text << " in " << c.width;
    }
}

// Without word wrap or line breaks, "<br>" is dropped; a new caption has line breaks on again.
TEST(SetWordWrap, WrapsEveryLineAndReturnsTheBounds) {
    CHTMLCaption c;
    FixedMeasure m;
    c.SetCaption("aaaa bbbb<br>cc");
    EXPECT_EQ(c.GetPlainText(), "aaaa bbbb\r\ncc");
    EXPECT_EQ(c.SetWordWrap(true, m, {5, 7, 65, 100}), (HTMLRect{5, 7, 55, 7 + 3 * 16}));
    EXPECT_EQ(Runs(c.CurrentLines()), (Strings{"aaaa ", "bbbb", "cc"}));
    c.SetWordWrap(false, m, {0, 0, 60, 100});
    EXPECT_EQ(Runs(c.CurrentLines()), (Strings{"aaaa bbbb|cc"}));
    c.SetCaption("a");
    EXPECT_FALSE(c.IsWordWrap());
    EXPECT_TRUE(c.IsLineBreak());
}

TEST(Placement, LinesAreCentredVerticallyAndAligned) {
    FixedMeasure m;
    CHTMLCaption c;
    c.SetCaption("ab<br>abcd");
    auto places = c.PlaceElements(m, {0, 0, 100, 160});
    EXPECT_EQ(places.at(0).Cell.top, 64);
    EXPECT_EQ(places.at(1).Cell.top, 80);
    c.SetAlignment(1);
    places = c.PlaceElements(m, {0, 0, 100, 160});
    EXPECT_EQ(places[0].Cell.left, 40);
    EXPECT_EQ(places[1].Cell.left, 30);
    c.SetAlignment(2);
    EXPECT_EQ(c.PlaceElements(m, {0, 0, 100, 160}).at(1).Cell.left, 60);
    EXPECT_EQ(c.PlaceElements(m, {0, 0, 100, 0}).size(), 1u);  // the second top is at the bottom
}

TEST(HitTest, AnchorsImagesAndLines) {
    FixedMeasure m;
    CHTMLCaption c;
    c.SetCaption("go <a 7;page=2>here</a><img>3</img>");
    const HTMLRect r{0, 0, 200, 16};
    const auto* a = c.HitTestAnchor(m, r, {35, 8});
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->AnchorOptions(), "page=2");
    EXPECT_EQ(c.HitTestAnchor(m, r, {5, 8}), nullptr);
    EXPECT_EQ(c.HitTestImage(m, r, {75, 8}), 0);
    c.SetCaption("a<br>b");
    EXPECT_EQ(c.HitTestLine(m, {0, 0, 100, 64}, {5, 15}), -1);
    EXPECT_EQ(c.HitTestLine(m, {0, 0, 100, 64}, {99, 47}), 1);
    EXPECT_EQ(c.HitTestLine(m, {0, 0, 100, 64}, {100, 20}), -1);
}

}  // namespace
