#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "layout/CrdSyntax.h"

namespace {

std::vector<std::string> Raw(std::string_view text, std::string_view sep, bool strip) {
    std::vector<std::string> out;
    for (const crd::Piece& p : crd::Split(text, sep, strip)) out.emplace_back(p.raw);
    return out;
}

using V = std::vector<std::string>;

TEST(CrdSyntax, StripFormRemovesBlanksAndOneEnclosingPair) {
    EXPECT_EQ(crd::StripForm(" \t1,2\t "), "1,2");
    EXPECT_EQ(crd::StripForm("(1,2)"), "1,2");
    EXPECT_EQ(crd::StripForm("((1,2))"), "(1,2)");       // only one pair
    EXPECT_EQ(crd::StripForm("(1),(2)"), "(1),(2)");     // first "(" closes early
    EXPECT_EQ(crd::StripForm(" ( 1 ) "), " 1 ");         // inner blanks stay
    EXPECT_EQ(crd::StripForm("\n1"), "\n1");             // only blanks and tabs
    EXPECT_EQ(crd::StripForm("(\")\")"), "\")\"");       // quoted ")" does not close
    EXPECT_EQ(crd::StripForm("()"), "");
    EXPECT_EQ(crd::StripForm("(("), "((");
}

TEST(CrdSyntax, SplitHonoursDepthQuotesAndEscapes) {
    EXPECT_EQ(Raw("1,(2,3),4", ",", true), (V{"1", "(2,3)", "4"}));
    EXPECT_EQ(Raw("\"a,b\",c", ",", true), (V{"\"a,b\"", "c"}));
    EXPECT_EQ(Raw("\"a\\\",b\",c", ",", true), (V{"\"a\\\",b\"", "c"}));
    EXPECT_EQ(Raw("\"(\",x", ",", true), (V{"\"(\"", "x"}));  // no depth inside quotes
    EXPECT_EQ(Raw("(1,2)", ",", true), (V{"1", "2"}));        // stripped first
    EXPECT_EQ(Raw("(1,2)", ",", false), (V{"(1,2)"}));
    EXPECT_EQ(Raw("1,,2,", ",", true), (V{"1", "", "2", ""}));
    EXPECT_EQ(Raw("a\r\nb", "\r\n", true), (V{"a", "b"}));
    EXPECT_TRUE(Raw("", ",", true).empty());
    EXPECT_TRUE(Raw("1,2", "", true).empty());
}

TEST(CrdSyntax, SplitDropsAnUnbalancedLastPiece) {
    EXPECT_EQ(Raw("1,(2,3", ",", true), (V{"1"}));
    EXPECT_TRUE(Raw("1,(2,3", "/", true).empty());
    EXPECT_EQ(Raw("1/(2", "/", true), (V{"1"}));
    EXPECT_TRUE(Raw("),1", ",", false).empty());  // depth below 0 never splits
    EXPECT_EQ(Raw("\"1,2", ",", false), (V{"\"1,2"}));  // open quote is no depth
}

TEST(CrdSyntax, NumbersAreClampedDecimals) {
    EXPECT_EQ(crd::ReadNumber("  -12abc"), -12);
    EXPECT_EQ(crd::ReadNumber("+7"), 7);
    EXPECT_EQ(crd::ReadNumber("\t\r\n 5"), 5);
    EXPECT_EQ(crd::ReadNumber("abc"), 0);
    EXPECT_EQ(crd::ReadNumber("-"), 0);
    EXPECT_EQ(crd::ReadNumber("0x1F"), 0);
    EXPECT_EQ(crd::ReadNumber("99999999999999999999999"), INT32_MAX);
    EXPECT_EQ(crd::ReadNumber("-99999999999999999999999"), INT32_MIN);
    EXPECT_EQ(crd::ReadNumber("2147483648"), INT32_MAX);
    EXPECT_EQ(crd::ReadNumber("-2147483648"), INT32_MIN);
}

TEST(CrdSyntax, AttributeBlocksNestBracketsAndStopAtTheBody) {
    std::vector<std::pair<std::string, std::string>> pairs;
    auto collect = [&](std::string_view k, std::string_view v) { pairs.emplace_back(k, v); };
    std::string_view body = crd::ReadAttributeBlocks("  [b=1][x=[y]=z][ww] [q]1,2 ", collect);
    EXPECT_EQ(body, " [q]1,2");
    ASSERT_EQ(pairs.size(), 3u);
    EXPECT_EQ(pairs[0], (std::pair<std::string, std::string>{"b", "1"}));
    EXPECT_EQ(pairs[1], (std::pair<std::string, std::string>{"x", "[y]=z"}));
    EXPECT_EQ(pairs[2], (std::pair<std::string, std::string>{"ww", ""}));

    pairs.clear();
    EXPECT_EQ(crd::ReadAttributeBlocks("[b=1][open", collect), "[open");
    EXPECT_EQ(pairs.size(), 1u);
}

TEST(CrdSyntax, ColoursReadRgbOrPlainNumbers) {
    EXPECT_EQ(crd::ReadColour("rgb(255,0,0)"), 0x0000FFu);
    EXPECT_EQ(crd::ReadColour("RGB( 1 , 2 , 3 )"), 0x030201u);
    EXPECT_EQ(crd::ReadColour("rgb(256,-1,0)"), 0x00FF00u);  // masked to 8 bits
    EXPECT_EQ(crd::ReadColour("255"), 255u);
    EXPECT_EQ(crd::ReadColour("rgb(1,2)"), 0u);   // two components read as a number
    EXPECT_EQ(crd::ReadColour("rgb 1,2,3"), 0u);
    EXPECT_EQ(crd::ReadColour("-2147483643"), 0x80000005u);
}

}  // namespace
