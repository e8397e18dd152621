#include <gtest/gtest.h>

#include <string>

#include "html/CHTMLCaption.h"

namespace {

using Tags = CHTMLCaption::CHMLAllTagElement;

TEST(CHMLAllTagElement, FindOpenAndCloseTags) {
    const struct {
        std::string_view text;
        const char* tag;
        bool close = false;
    } cases[] = {
        {"<b>x", "<b>"}, {"<B>", "<B>"}, {"<BR>x", "<BR>"}, {"\r\nx", "\r\n"}, {"\n\rx", "\n\r"}, {"\nx", ""},
        {"<upline>z", "<upline>"}, {"<img>1", "<img>"}, {"<x>", ""}, {"<b", ""}, {"", ""},
        {"<fgcolor=FF00aa>x", "<fgcolor=FF00aa>"}, {"<BGCOLOR=0a0B0c>", "<BGCOLOR=0a0B0c>"},
        {"<fgcolor=12345G>x", ""}, {"<fgcolor=12345>x", ""}, {"<fgcolor=-12345>", ""},
        {"<font Arial;12>x>", "<font Arial;12>"}, {"<font Arial", ""}, {"<A>", "<A>"},
        {"<a 1;row=2>t", "<a 1;row=2>"}, {"&amp;x", "&amp;"}, {"&amp x", "&amp"}, {"&gt;;", "&gt;"},
        {"&#0065 ", "&#0065"}, {"&quot;", "&quot;"}, {"&#;", ""}, {"&#", ""}, {"&ampx", ""}, {"&amp1", ""},
        {"&#65x", ""}, {"&AMP;", ""}, {"&nbsp;", ""}, {"&", ""}, {"</FgColor>", "</FgColor>", true},
        {"</a>", "</a>", true}, {"</br>", "", true}, {"</b", "", true},
    };
    for (const auto& c : cases) {
        int32_t index = 99;
        const auto find = c.close ? &Tags::FindCloseTag : &Tags::FindOpenTag;
        EXPECT_EQ((Tags::Instance().*find)(c.text, index), c.tag) << c.text;
        EXPECT_EQ(index < 0, !*c.tag) << c.text;  // which tag applies is the parse tests' business
    }
}

}  // namespace
