#include <gtest/gtest.h>

#include "html/CMaskWord.h"

namespace {

bool M(const char* mask, std::string_view text) { return CMaskWord(mask).Match(text); }

TEST(CMaskWord, RunsCompareCaseInsensitivelyAndMustConsumeTheText) {
    EXPECT_TRUE(M("abc", "abc"));
    EXPECT_TRUE(M("abc", "ABC"));
    EXPECT_TRUE(M("ABC", "abc"));
    EXPECT_FALSE(M("abc", "abcd"));
    EXPECT_FALSE(M("abc", "ab"));
    EXPECT_FALSE(M("abc", ""));
    // Only ASCII letters fold: Latin-1 capitals stay distinct.
    EXPECT_FALSE(M("\xE9", "\xC9"));
}

TEST(CMaskWord, SingleCharacterTokens) {
    EXPECT_TRUE(M("a?c", "abc"));
    EXPECT_FALSE(M("a?c", "ac"));
    EXPECT_TRUE(M("x#", "x7"));
    EXPECT_FALSE(M("x#", "xa"));
    EXPECT_TRUE(M("[abc]z", "bz"));
    EXPECT_FALSE(M("[abc]z", "Bz"));  // sets compare exactly
    EXPECT_FALSE(M("[]", "a"));
    EXPECT_TRUE(M("a[b", "A[B"));   // an unclosed bracket is an ordinary character
}

TEST(CMaskWord, StarForms) {
    EXPECT_TRUE(M("ab*", "ab"));
    EXPECT_TRUE(M("ab*", "abanything"));
    EXPECT_TRUE(M("a*c", "axxc"));
    EXPECT_FALSE(M("a*C", "axxcd*"));
    EXPECT_TRUE(M("a*cd*", "aXXCDtail"));
    EXPECT_TRUE(M("a*?", "ab"));
    EXPECT_FALSE(M("a*?", "abc"));
    EXPECT_TRUE(M("a*#z", "a-b-7z"));
    EXPECT_FALSE(M("a*#z", "a-b-z"));
    EXPECT_TRUE(M("a*[xy]!", "abcy!"));
    EXPECT_TRUE(M("a***c", "abbbc"));  // repeated stars are one
    EXPECT_TRUE(M("*", ""));
}

TEST(CMaskWord, SkipTakesTheFirstOccurrenceWithoutBacktracking) {
    // "*c" stops at the first "c"; the rest must then match from there.
    EXPECT_FALSE(M("a*c?", "acxc!"));
    EXPECT_TRUE(M("a*c?", "axc!"));
    EXPECT_TRUE(M("a*cd", "acxcd"));  // the whole run is looked for
    EXPECT_FALSE(M("<a*>?", "<a b>y>x"));
}

TEST(CMaskWord, AlternativesAndEscapes) {
    CMaskWord mask("*.txt *.doc");
    EXPECT_EQ(mask.Patterns().size(), 2u);
    EXPECT_TRUE(mask.Match("a.TXT"));
    EXPECT_TRUE(mask.Match("b.doc"));
    EXPECT_FALSE(mask.Match("c.pdf"));
    EXPECT_TRUE(M("a\\ b", "a b"));    // escaped blank is literal
    EXPECT_FALSE(M("a\\ b", "a"));
    EXPECT_TRUE(M("\\*x", "*x"));
    EXPECT_FALSE(M("\\*x", "yx"));
    EXPECT_TRUE(M("\\?", "?"));
    EXPECT_TRUE(M("[\\]]", "]"));
    EXPECT_TRUE(M("  a  ", "a"));      // surplus blanks make no empty alternative
}

TEST(CMaskWord, EmptyMaskMatchesNothing) {
    EXPECT_FALSE(M("", ""));
    EXPECT_FALSE(M("", "x"));
    EXPECT_FALSE(M("   ", ""));
}

TEST(CMaskWord, NeverReadsPastTheText) {
    // The view ends before the "c" that the buffer holds.
    const char buffer[] = "abc";
    EXPECT_FALSE(M("ab?", std::string_view(buffer, 2)));
    EXPECT_FALSE(M("a*c", std::string_view(buffer, 2)));
    EXPECT_FALSE(M("abc", std::string_view(buffer, 2)));
}

}  // namespace
