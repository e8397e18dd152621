#include <gtest/gtest.h>

#include "CaptionTestSupport.h"

namespace {

using Strings = std::vector<std::string>;

struct Parsed {
    CHTMLCaption caption;
    explicit Parsed(std::string_view text, IHTMLCaptionHostBase* host = nullptr) { caption.SetCaption(text, host); }
    const CHTMLCaption::CHTMLElement& at(size_t line, size_t i) const { return caption.ParsedLines().at(line).at(i); }
};

// What ends up as runs and lines: tags absorbed, bad mark-up shown as text.
TEST(Parse, RunsAndLines) {
    const struct {
        std::string_view text;
        Strings runs;
    } cases[] = {
        {"<b>bold</b> plain", {"bold| plain"}},
        {"<b>a</i>b</b>c", {"a|b|c"}},
        {"a</b>", {"a</b>"}},
        {"<b>x<br>y</b>", {"x", "y</b>"}},
        {"x<br>y\r\nz\n\rw", {"x", "y", "z", "w"}},
        {"a\nb\rc", {"a\nb\rc"}},
        {"<br><br>", {"", "", ""}},
        {"&lt;b&gt;", {"<|b|>"}},
        {"&#65;&#321;&amp", {"A|A|&"}},
        {"&#99999999999999999999;", {"\xFF"}},  // (10^20 - 1) mod 256
        {"&#; &AMP; a&ampx & b", {"&#; &AMP; a&ampx & b"}},
        {"<fgcolor=12345G>x", {"<fgcolor=12345G>x"}},
        {"<fgcolor=FF00>x</fgcolor>", {"<fgcolor=FF00>x</fgcolor>"}},
        {"<b", {"<b"}},
        {"<font Arial", {"<font Arial"}},
        {"<blink>x</blink>", {"<blink>x</blink>"}},
        {"x<dotline>z</dotline>", {"x|z</dotline>"}},  // nothing closes a line tag
        {std::string_view("a\0<b>c", 6), {std::string("a\0|c", 4)}},
    };
    for (const auto& c : cases) EXPECT_EQ(Runs(Parsed(c.text).caption.ParsedLines()), c.runs) << c.text;
}

TEST(Parse, TagsApplyWhenTheyClose) {
    Parsed crossed("<b><i>x</b></i><U>u</U><s><b>&lt;</b></s>");
    EXPECT_TRUE(crossed.at(0, 0).Bold && crossed.at(0, 0).Italic);
    EXPECT_TRUE(crossed.at(0, 1).Underline);
    EXPECT_TRUE(crossed.at(0, 2).Strikeout && crossed.at(0, 2).Bold);
    Parsed stray("<b>a</i>b</b>c");
    EXPECT_TRUE(stray.at(0, 1).Bold);
    EXPECT_FALSE(stray.at(0, 2).Bold);

    Parsed colours("<fgcolor=FF0000>r<fgcolor=00ff00>g</fgcolor></fgcolor><bgcolor=123456>x");
    EXPECT_EQ(colours.at(0, 1).TextColor, 0x0000FFu);  // the outer colour wins
    EXPECT_EQ(colours.at(0, 2).BackColor, 0x563412u);

    Parsed lines("<solidline>abc<br>x");  // a line tag holds to the end of its line
    EXPECT_FALSE(lines.at(1, 0).HasLine());

    Parsed cut(std::string(2046, 'a') + "<b>x</b>");  // only 2048 characters are read
    EXPECT_EQ(cut.caption.GetPlainText(), std::string(2046, 'a') + "<b");
    EXPECT_EQ(cut.caption.CaptionLength(), 2054u);
}

TEST(Parse, Images) {
    FakeHost host;
    host.Pictures["logo"] = {200, 100};
    Parsed p("<img>5:24</img><img>logo</img><img>logo:100</img><img>7</img>", &host);
    EXPECT_EQ(p.at(0, 0).IconNumber(), 5);
    EXPECT_EQ(p.at(0, 0).ImageWidth(), 24);
    EXPECT_EQ(p.at(0, 1).ImageWidth(), 200);
    EXPECT_EQ(p.at(0, 2).ImageWidth(), 100);
    EXPECT_EQ(host.Asked, (Strings{"logo", "logo"}));
    EXPECT_EQ(Parsed("a<br>b<img>9:30</img><img>4</img>").caption.FirstIconNumber(), 9);

    EXPECT_FALSE(Parsed("<img>0</img>").at(0, 0).IsImage());
    EXPECT_EQ(Parsed("<img>5:-40</img>").at(0, 0).ImageWidth(), 18);
    EXPECT_EQ(Parsed("<img>5:99999999999</img>").at(0, 0).ImageWidth(), INT32_MAX);
    EXPECT_EQ(Parsed("<img>logo:-5</img>", &host).at(0, 0).ImageWidth(), 200);
    EXPECT_EQ(Parsed("<img>missing</img>", &host).at(0, 0).ImageWidth(), 0);
    EXPECT_EQ(Parsed("<img><img>3</img></img>").at(0, 0).IconNumber(), 3);  // the inner image stays
}

TEST(Parse, FontsAndAnchorsInnerWins) {
    Parsed f("<font ;14>y</font><font Outer;30><font  Times New Roman ; 9 ;4>z</font></font>");
    EXPECT_EQ(f.at(0, 0).Size, 14);
    EXPECT_EQ(f.at(0, 1).Face->Name, "Times New Roman");
    EXPECT_EQ(f.at(0, 1).Size, 9);
    EXPECT_FALSE(Parsed("<font>e</font><font;>f").at(0, 1).HasAttributes());

    Parsed a("<a 1;row=2>t</a><a outer;o><a  in ; x;y >u</a></a><a>v</a>w");
    EXPECT_EQ(a.at(0, 0).AnchorOptions(), "row=2");
    EXPECT_EQ(a.at(0, 1).AnchorId(), "in");
    EXPECT_EQ(a.at(0, 1).AnchorOptions(), "x;y");
    EXPECT_TRUE(a.at(0, 2).IsAnchor());
    EXPECT_FALSE(a.at(0, 3).IsAnchor());
}

}  // namespace
