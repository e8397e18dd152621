#include <gtest/gtest.h>

#include "LayoutTestSupport.h"

namespace {

// Layouts and the canonical text they write.
TEST(CrdWrite, CanonicalText) {
    const struct {
        const char* layout;
        const char* canonical;
    } cases[] = {
        {"1\r\n2", "1/2"}, {" 1 , 2 ", "(1),(2)"}, {"24 ;1,,2,", "24;1,2"}, {"0;5", "5"},
        {"1,|,3", "1,|,3"}, {"|,3,4", "|,3,4"}, {"1,|", "1"}, {"1/|/2", "1/|/2"}, {"|/2", "|/2"}, {"1/|", "1"},
        // Unit attributes in a fixed order, and only when not the default.
        {"1[ww][fg=rgb(0,0,255)][bg=255][a=17][b=3]", "1[b=3][a=17][ww][bg=RGB(255,0,0)][fg=RGB(0,0,255)]"},
        {"1[a=16][b=0][zz=1]", "1"}, {"[b=17]1", "[b=17]1"}, {"1[bg=]", "1[bg=RGB(0,0,0)]"},
        {"1[bg=-2147483643]", "1[bg=-2147483643]"},
        // Root attributes in byte order, bytes compared unsigned.
        {"[z=1][debug][A=x y][b=2][dgl]1", "[A=x y][b=2][debug][dgl][z=1]1"},
        {"[k=[v]]", "[k=[v]]"}, {"[\xC3=1][a=2]1", "[a=2][\xC3=1]1"},
        // Groups and texts.
        {"1,((2/3)[b=2]):50", "1,((2/3)[b=2]):50"}, {R"("a\"b\c")", R"("a\"b\c")"}, {"\"", "\"\""},
        {"1,( )", "1,( )"}, {"1, [b=2]", "1,( )[b=2]"},
        // A bare "(...)" reads back with border 0: a group that took the root's default border says so.
        {"[b=1](1,2)[b=1]", "[b=1](1,2)[b=1]"}, {"[b=1]3,(1,2)", "[b=1]3,(1,2)"},
        {"[b=1](1,2)[b=0][a=1]", "[b=1](1,2)[b=0][a=1]"},
        // Texts with line breaks join rows with line breaks.
        {"\"a\r\nb\"\r\n1,(2\r\n3)", "\"a\r\nb\"\r\n1,(2/3)"},
    };
    for (const auto& c : cases) EXPECT_EQ(ParseLayout(c.layout)->Write(), c.canonical) << c.layout;
}

}  // namespace
