#include <gtest/gtest.h>

#include <string>

#include "html/CHTMLCaption.h"

namespace {

using Tags = CHTMLCaption::CHMLAllTagElement;

struct Found {
    int32_t index;
    std::string text;
};

Found Open(std::string_view text) {
    int32_t index = 99;
    std::string_view tag = Tags::Instance().FindOpenTag(text, index);
    return {index, std::string(tag)};
}

Found Close(std::string_view text) {
    int32_t index = 99;
    std::string_view tag = Tags::Instance().FindCloseTag(text, index);
    return {index, std::string(tag)};
}

TEST(CHMLAllTagElement, TableOrderAndPatternLengths) {
    const auto& pairs = Tags::Instance().Pairs();
    ASSERT_EQ(pairs.size(), 17u);
    EXPECT_EQ(pairs[Tags::Bold].Open.Length(), 3u);
    EXPECT_EQ(pairs[Tags::FgColor].Open.Length(), 16u);
    EXPECT_EQ(pairs[Tags::FgColor].Close.Length(), 10u);
    EXPECT_EQ(pairs[Tags::CrLf].Open.Length(), 2u);
    EXPECT_EQ(pairs[Tags::Img].Close.Length(), 6u);
    EXPECT_EQ(pairs[Tags::Font].Close.Length(), 7u);
    EXPECT_EQ(pairs[Tags::Br].Close.Length(), 0u);
    EXPECT_TRUE(Tags::Instance().IsLineBreakTag(6));
    EXPECT_TRUE(Tags::Instance().IsLineBreakTag(8));
    EXPECT_FALSE(Tags::Instance().IsLineBreakTag(9));
    EXPECT_TRUE(Tags::Instance().IsEntityTag(16));
    EXPECT_FALSE(Tags::Instance().IsEntityTag(15));
}

TEST(CHMLAllTagElement, SimpleTagsTakeTheirPatternLength) {
    EXPECT_EQ(Open("<b>x").index, 0);
    EXPECT_EQ(Open("<b>x").text, "<b>");
    EXPECT_EQ(Open("<B>").index, 0);
    EXPECT_EQ(Open("<br>x").index, 6);
    EXPECT_EQ(Open("<BR>").text, "<BR>");
    EXPECT_EQ(Open("\r\nx").index, 7);
    EXPECT_EQ(Open("\n\rx").index, 8);
    EXPECT_EQ(Open("\nx").index, -1);  // a lone line feed is text
    EXPECT_EQ(Open("\rx").index, -1);
    EXPECT_EQ(Open("<solidline>").index, 9);
    EXPECT_EQ(Open("<dotline>").index, 10);
    EXPECT_EQ(Open("<r>").index, 11);
    EXPECT_EQ(Open("<upline>z").text, "<upline>");
    EXPECT_EQ(Open("<img>1</img>").text, "<img>");
    EXPECT_EQ(Open("<x>").index, -1);
    EXPECT_EQ(Open("<b").index, -1);
    EXPECT_EQ(Open("").index, -1);
}

TEST(CHMLAllTagElement, ColourTagsNeedSixHexDigits) {
    EXPECT_EQ(Open("<fgcolor=FF00aa>x").index, 4);
    EXPECT_EQ(Open("<fgcolor=FF00aa>x").text, "<fgcolor=FF00aa>");
    EXPECT_EQ(Open("<BGCOLOR=0a0B0c>").index, 5);
    EXPECT_EQ(Open("<fgcolor=12345G>x").index, -1);
    EXPECT_EQ(Open("<fgcolor=12345G>x").text, "");
    EXPECT_EQ(Open("<fgcolor=12345>x").index, -1);
    EXPECT_EQ(Open("<fgcolor=1234567>").index, -1);
    EXPECT_EQ(Open("<fgcolor=-12345>").index, -1);
}

TEST(CHMLAllTagElement, FontAndAnchorRunToTheFirstClosingBracket) {
    EXPECT_EQ(Open("<font Arial;12>x>").text, "<font Arial;12>");
    EXPECT_EQ(Open("<font Arial;12>").index, 14);
    EXPECT_EQ(Open("<font>").text, "<font>");
    EXPECT_EQ(Open("<font Arial").index, -1);
    EXPECT_EQ(Open("<a 1;row=2>t</a>").text, "<a 1;row=2>");
    EXPECT_EQ(Open("<a 1;row=2>").index, 15);
    EXPECT_EQ(Open("<A>").index, 15);
    EXPECT_EQ(Open("<a href").index, -1);
}

TEST(CHMLAllTagElement, Entities) {
    EXPECT_EQ(Open("&amp;x").text, "&amp;");
    EXPECT_EQ(Open("&amp x").text, "&amp");
    EXPECT_EQ(Open("&amp").text, "&amp");
    EXPECT_EQ(Open("&lt;").text, "&lt;");
    EXPECT_EQ(Open("&gt;;").text, "&gt;");
    EXPECT_EQ(Open("&quot;").index, 16);
    EXPECT_EQ(Open("&#65;").text, "&#65;");
    EXPECT_EQ(Open("&#0065 ").text, "&#0065");
    EXPECT_EQ(Open("&#;").index, -1);
    EXPECT_EQ(Open("&#").index, -1);
    EXPECT_EQ(Open("&ampx").index, -1);
    EXPECT_EQ(Open("&amp1").index, -1);
    EXPECT_EQ(Open("&#65x").index, -1);
    EXPECT_EQ(Open("&AMP;").index, -1);  // names are case-sensitive
    EXPECT_EQ(Open("&nbsp;").index, -1);
    EXPECT_EQ(Open("&").index, -1);
    EXPECT_EQ(Open("&;").index, -1);
}

TEST(CHMLAllTagElement, ClosingTags) {
    EXPECT_EQ(Close("</b>x").index, 0);
    EXPECT_EQ(Close("</b>x").text, "</b>");
    EXPECT_EQ(Close("</FgColor>").index, 4);
    EXPECT_EQ(Close("</FgColor>").text, "</FgColor>");
    EXPECT_EQ(Close("</bgcolor>").index, 5);
    EXPECT_EQ(Close("</img>").index, 13);
    EXPECT_EQ(Close("</font>").index, 14);
    EXPECT_EQ(Close("</a>").index, 15);
    EXPECT_EQ(Close("</br>").index, -1);  // line breaks and the like never close
    EXPECT_EQ(Close("</solidline>").index, -1);
    EXPECT_EQ(Close("</b").index, -1);
    EXPECT_EQ(Close("").index, -1);
}

}  // namespace
