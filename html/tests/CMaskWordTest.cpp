#include <gtest/gtest.h>

#include "html/CMaskWord.h"

namespace {

TEST(CMaskWord, EveryTokenForm) {
    const struct {
        const char* mask;
        std::string_view text;
        bool match;
    } cases[] = {
        {"abc", "ABC", true}, {"abc", "abcd", false}, {"abc", "ab", false},
        {"\xE9", "\xC9", false},                       // only ASCII letters fold
        {"a?c", "abc", true}, {"a?c", "ac", false},
        {"x#", "x7", true}, {"x#", "xa", false},
        {"[abc]z", "bz", true}, {"[abc]z", "Bz", false},  // sets compare exactly
        {"[]", "a", false}, {"a[b", "A[B", true},        // an unclosed bracket is a character
        {"ab*", "ab", true}, {"ab*", "abanything", true}, {"*", "", true},
        {"a*cd*", "aXXCDtail", true}, {"a*C", "axxcd*", false},
        {"a*?", "ab", true}, {"a*?", "abc", false},
        {"a*#z", "a-b-7z", true}, {"a*#z", "a-b-z", false},
        {"a*[xy]!", "abcy!", true}, {"a***c", "abbbc", true},
        // A skip stops at the first occurrence; there is no backtracking.
        {"a*c?", "acxc!", false}, {"a*c?", "axc!", true}, {"<a*>?", "<a b>y>x", false},
        {"*.txt *.doc", "b.DOC", true}, {"*.txt *.doc", "c.pdf", false},
        {"a\\ b", "a b", true}, {"\\*x", "*x", true}, {"\\*x", "yx", false}, {"[\\]]", "]", true},
        {"", "", false}, {"   ", "", false}, {"  a  ", "a", true},
        // The view ends before the "c" that follows in memory.
        {"ab?", std::string_view("abc", 2), false}, {"a*c", std::string_view("abc", 2), false},
    };
    for (const auto& c : cases) EXPECT_EQ(CMaskWord(c.mask).Match(c.text), c.match) << c.mask << " ~ " << c.text;
}

}  // namespace
