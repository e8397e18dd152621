#include <gtest/gtest.h>

#include <string>

#include "LayoutTestSupport.h"

namespace {

std::string Canonical(std::string_view text) { return ParseLayout(text)->Write(); }

TEST(CrdWrite, CanonicalTextOfTypicalLayouts) {
    EXPECT_EQ(Canonical("[b=1]1,2:20"), "[b=1]1,2:20");
    EXPECT_EQ(Canonical("1\r\n2"), "1/2");
    EXPECT_EQ(Canonical("-1,100,101,102,-1,103,-1,104,-1,105"),
              "-1,100,101,102,-1,103,-1,104,-1,105");
    EXPECT_EQ(Canonical(" 1 , 2 "), "(1),(2)");
    EXPECT_EQ(Canonical("1, 2"), "1,(2)");
    EXPECT_EQ(Canonical("24 ;1,,2,"), "24;1,2");
    EXPECT_EQ(Canonical("1,|,3"), "1,|,3");
    EXPECT_EQ(Canonical("|,3,4"), "|,3,4");
    EXPECT_EQ(Canonical("1,|"), "1");
    EXPECT_EQ(Canonical("1/|/2"), "1/|/2");
    EXPECT_EQ(Canonical("|/2"), "|/2");
    EXPECT_EQ(Canonical("1/|"), "1");
    EXPECT_EQ(Canonical("0;5"), "5");
    EXPECT_EQ(Canonical("100:abc"), "100");
    EXPECT_EQ(Canonical("+7:-3"), "7:-3");
}

TEST(CrdWrite, AttributesInFixedOrderAndOnlyWhenNotDefault) {
    EXPECT_EQ(Canonical("1[ww][fg=rgb(0,0,255)][bg=255][a=17][b=3]"),
              "1[b=3][a=17][ww][bg=RGB(255,0,0)][fg=RGB(0,0,255)]");
    EXPECT_EQ(Canonical("1[a=16][b=0][zz=1]"), "1");
    EXPECT_EQ(Canonical("[b=1]1,2[b=0]"), "[b=1]1,2[b=0]");
    EXPECT_EQ(Canonical("[b=17]1"), "[b=17]1");  // units hold the low 4 bits
    EXPECT_EQ(Canonical("1[bg=-2147483643]"), "1[bg=-2147483643]");
    EXPECT_EQ(Canonical("1[bg=]"), "1[bg=RGB(0,0,0)]");
}

TEST(CrdWrite, RootAttributesInByteOrder) {
    EXPECT_EQ(Canonical("[z=1][debug][A=x y][b=2][dgl]1"), "[A=x y][b=2][debug][dgl][z=1]1");
    EXPECT_EQ(Canonical("[k=[v]]"), "[k=[v]]");
    EXPECT_EQ(Canonical("[\xC3=1][a=2]1"), "[a=2][\xC3=1]1");  // bytes compare unsigned
}

TEST(CrdWrite, GroupsAndTexts) {
    EXPECT_EQ(Canonical("(1,2):50"), "(1,2):50");
    EXPECT_EQ(Canonical("1,((2/3)[b=2])"), "1,((2/3)[b=2])");
    EXPECT_EQ(Canonical(R"("a\"b\c")"), R"("a\"b\c")");
    EXPECT_EQ(Canonical("\""), "\"\"");
    EXPECT_EQ(Canonical("1,( )"), "1,( )");
    EXPECT_EQ(Canonical("1, [b=2]"), "1,( )[b=2]");
}

TEST(CrdWrite, BareGroupsKeepTheirBorderUnderADefaultBorder) {
    // A bare "(...)" reads back with border 0, so a group that took the root's
    // default border must say so.
    EXPECT_EQ(Canonical("[b=1](1,2)[b=1]"), "[b=1](1,2)[b=1]");
    EXPECT_EQ(Canonical("[b=1]3,(1,2)"), "[b=1]3,(1,2)");
    EXPECT_EQ(Canonical("[b=1](1,2)[a=1]"), "[b=1](1,2)[a=1]");
    EXPECT_EQ(Canonical("[b=1](1,2)[b=0][a=1]"), "[b=1](1,2)[b=0][a=1]");
}

TEST(CrdWrite, TextsWithLineBreaksJoinRowsWithLineBreaks) {
    EXPECT_EQ(Canonical("\"a\r\nb\"\r\n1"), "\"a\r\nb\"\r\n1");
    EXPECT_EQ(Canonical("\"a\r\nb\"\r\n1,(2\r\n3)"), "\"a\r\nb\"\r\n1,(2/3)");
}

TEST(CrdWrite, CanonicalTextReadsBackToItself) {
    const char* layouts[] = {
        "-1,100,101,102,-1,103,-1,104,-1,105",
        "1,2,|,3",
        "1/|/2",
        "24;1,2",
        "1/ 24;1,2",
        "1, 2",
        "100:32",
        "(1,2):50",
        "100[b=3][bg=rgb(255,0,0)][a=17][ww]",
        "100 [b=3][bg=rgb(255,0,0)][a=17][ww]",
        "[b=1]1,2",
        "[b=1]1,2[b=0]",
        "[b=3]( 1 , \"x\\\"y\" :5 ):7",
        R"("a\"b\c")",
        "1/(2",
        "1/2\r\n3",
        "\"a\r\nb\"\r\n1",
        "[debug][dgl=3]1,(2,(3,(4/|/5))[b=1])",
        "10;1:5,2,3:7/4",
        "1, [b=2]",
        "( ),1,()",
    };
    for (const char* text : layouts) {
        const std::string once = Canonical(text);
        EXPECT_EQ(Canonical(once), once) << "from " << text;
        EXPECT_EQ(Arranged(once, 317, 61), Arranged(text, 317, 61)) << "from " << text;
    }
}

}  // namespace
