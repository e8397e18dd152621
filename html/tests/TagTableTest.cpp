#include <gtest/gtest.h>

#include <string>

#include "html/CHTMLCaption.h"

namespace {

using Tags = CHTMLCaption::CHMLAllTagElement;

TEST(CHMLAllTagElement, FindOpenAndCloseTags) {
    const struct {
        std::string_view text;
        int32_t index;
        const char* tag;
        bool close = false;
    } cases[] = {
        {"<b>x", 0, "<b>"}, {"<B>", 0, "<B>"}, {"<BR>x", 6, "<BR>"}, {"\r\nx", 7, "\r\n"}, {"\n\rx", 8, "\n\r"},
        {"\nx", -1, ""}, {"<upline>z", 12, "<upline>"}, {"<img>1", 13, "<img>"}, {"<x>", -1, ""}, {"<b", -1, ""},
        {"", -1, ""},
        {"<fgcolor=FF00aa>x", 4, "<fgcolor=FF00aa>"}, {"<BGCOLOR=0a0B0c>", 5, "<BGCOLOR=0a0B0c>"},
        {"<fgcolor=12345G>x", -1, ""}, {"<fgcolor=12345>x", -1, ""}, {"<fgcolor=-12345>", -1, ""},
        {"<font Arial;12>x>", 14, "<font Arial;12>"}, {"<font Arial", -1, ""}, {"<A>", 15, "<A>"},
        {"<a 1;row=2>t", 15, "<a 1;row=2>"},
        {"&amp;x", 16, "&amp;"}, {"&amp x", 16, "&amp"}, {"&gt;;", 16, "&gt;"}, {"&#0065 ", 16, "&#0065"},
        {"&quot;", 16, "&quot;"}, {"&#;", -1, ""}, {"&#", -1, ""}, {"&ampx", -1, ""}, {"&amp1", -1, ""},
        {"&#65x", -1, ""}, {"&AMP;", -1, ""}, {"&nbsp;", -1, ""}, {"&", -1, ""},
        {"</FgColor>", 4, "</FgColor>", true}, {"</a>", 15, "</a>", true}, {"</br>", -1, "", true},
        {"</b", -1, "", true},
    };
    for (const auto& c : cases) {
        int32_t index = 99;
        const auto find = c.close ? &Tags::FindCloseTag : &Tags::FindOpenTag;
        EXPECT_EQ((Tags::Instance().*find)(c.text, index), c.tag) << c.text;
        EXPECT_EQ(index, c.index) << c.text;
    }
}

}  // namespace
