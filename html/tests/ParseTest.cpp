#include <gtest/gtest.h>

#include <string>

#include "CaptionTestSupport.h"

namespace {

using Tags = CHTMLCaption::CHMLAllTagElement;
using Strings = std::vector<std::string>;
constexpr uint32_t Red = 0x0000FF, Green = 0x00FF00;

struct Parsed {
    CHTMLCaption caption;
    explicit Parsed(std::string_view text, IHTMLCaptionHostBase* host = nullptr) { caption.SetCaption(text, host); }
    const CHTMLCaption::Lines& lines() const { return caption.ParsedLines(); }
    const CHTMLCaption::CHTMLElement& at(size_t line, size_t i) const { return caption.ParsedLines().at(line).at(i); }
};

TEST(Parse, FlagTagsApplyToTheirRuns) {
    Parsed p("<b>bold</b> plain");
    EXPECT_EQ(Runs(p.lines()), (Strings{"bold| plain"}));
    EXPECT_EQ(p.at(0, 0).Bold, 1);
    EXPECT_EQ(p.at(0, 1).Bold, 0);
    Parsed q("<B>x</B><i>i</i><U>u</U><s>s</s>");
    EXPECT_EQ(q.at(0, 0).Bold, 1);
    EXPECT_EQ(q.at(0, 1).Italic, 1);
    EXPECT_EQ(q.at(0, 2).Underline, 1);
    EXPECT_EQ(q.at(0, 3).Strikeout, 1);
    EXPECT_EQ(q.at(0, 3).Bold, 0);
    EXPECT_EQ(&q.at(0, 0).Owner(), &q.caption);
}

TEST(Parse, CrossedClosingTagIsDroppedAndTheTagClosesAtTheEnd) {
    Parsed p("<b><i>x</b></i>");
    EXPECT_EQ(Runs(p.lines()), (Strings{"x"}));
    EXPECT_EQ(p.at(0, 0).Bold, 1);
    EXPECT_EQ(p.at(0, 0).Italic, 1);

    Parsed q("<b>a</i>b</b>c");
    EXPECT_EQ(Runs(q.lines()), (Strings{"a|b|c"}));
    EXPECT_EQ(q.at(0, 1).Bold, 1);
    EXPECT_EQ(q.at(0, 2).Bold, 0);
}

TEST(Parse, StrayClosingTagsAreText) {
    EXPECT_EQ(Runs(Parsed("a</b>").lines()), (Strings{"a</b>"}));
    Parsed p("<b>x<br>y</b>");
    EXPECT_EQ(Runs(p.lines()), (Strings{"x", "y</b>"}));
    EXPECT_EQ(p.at(0, 0).Bold, 1);
    EXPECT_EQ(p.at(1, 0).Bold, 0);
}

TEST(Parse, OuterColourOverridesInnerOne) {
    Parsed p("<fgcolor=FF0000>r<fgcolor=00FF00>g</fgcolor></fgcolor>");
    ASSERT_EQ(Runs(p.lines()), (Strings{"r|g"}));
    EXPECT_EQ(p.at(0, 0).TextColor, Red);
    EXPECT_EQ(p.at(0, 1).TextColor, Red);
    Parsed q("<bgcolor=123456>x</bgcolor><fgcolor=abcdef>y");
    EXPECT_EQ(q.at(0, 0).BackColor, 0x563412u);
    EXPECT_FALSE(q.at(0, 0).TextColor.has_value());
    EXPECT_EQ(q.at(0, 1).TextColor, 0xEFCDABu);
    EXPECT_EQ(Parsed("<fgcolor=00ff00>x").at(0, 0).TextColor, Green);
}

TEST(Parse, BadColourTagIsText) {
    Parsed p("<fgcolor=12345G>x");
    EXPECT_EQ(Runs(p.lines()), (Strings{"<fgcolor=12345G>x"}));
    EXPECT_FALSE(p.at(0, 0).TextColor.has_value());
    EXPECT_EQ(Runs(Parsed("<fgcolor=FF00>x</fgcolor>").lines()), (Strings{"<fgcolor=FF00>x</fgcolor>"}));
}

TEST(Parse, EntitiesBecomeOneCharacterRuns) {
    Parsed p("&lt;b&gt;");
    EXPECT_EQ(Runs(p.lines()), (Strings{"<|b|>"}));
    EXPECT_EQ(p.caption.GetPlainText(), "<b>");
    EXPECT_EQ(Parsed("&#65;").caption.GetPlainText(), "A");
    EXPECT_EQ(Parsed("&#321;").caption.GetPlainText(), "A");  // modulo 256
    EXPECT_EQ(Parsed("&#99999999999999999999;").caption.GetPlainText(), "\xFF");  // 10^20 - 1 mod 256
    EXPECT_EQ(Parsed("&amp").caption.GetPlainText(), "&");
    EXPECT_EQ(Parsed("&quot;x&amp;&amp;").caption.GetPlainText(), "\"x&&");
    EXPECT_EQ(Runs(Parsed("&#;").lines()), (Strings{"&#;"}));
    EXPECT_EQ(Runs(Parsed("&AMP;").lines()), (Strings{"&AMP;"}));
    EXPECT_EQ(Runs(Parsed("a&ampx").lines()), (Strings{"a&ampx"}));
    EXPECT_EQ(Runs(Parsed("a & b").lines()), (Strings{"a & b"}));
    Parsed bold("<b>&lt;</b>");
    EXPECT_EQ(bold.at(0, 0).Text(), "<");
    EXPECT_EQ(bold.at(0, 0).Bold, 1);
}

TEST(Parse, LineBreaksStartLinesAndCloseOpenTags) {
    Parsed p("x<br>y\r\nz\n\rw");
    EXPECT_EQ(Runs(p.lines()), (Strings{"x", "y", "z", "w"}));
    EXPECT_TRUE(p.caption.IsMultiLine());
    EXPECT_EQ(p.caption.GetPlainText(), "x\r\ny\r\nz\r\nw");
    EXPECT_FALSE(Parsed("x").caption.IsMultiLine());
    EXPECT_EQ(Runs(Parsed("a\nb\rc").lines()), (Strings{"a\nb\rc"}));
    EXPECT_EQ(Runs(Parsed("<br><br>").lines()), (Strings{"", "", ""}));

    Parsed s("<solidline>abc<br>def");
    EXPECT_TRUE(s.at(0, 0).HasLine());
    EXPECT_EQ(s.at(0, 0).LineStyle(), 1);
    EXPECT_FALSE(s.at(1, 0).HasLine());
}

TEST(Parse, LineTagsStayOpenToTheEndOfTheLine) {
    Parsed p("x<upline><dotline>z</dotline>");
    EXPECT_FALSE(p.at(0, 0).HasLine());
    EXPECT_TRUE(p.at(0, 1).HasLine());
    EXPECT_TRUE(p.at(0, 1).IsUpperLine());
    EXPECT_EQ(p.at(0, 1).LineStyle(), 2);
    EXPECT_EQ(p.at(0, 1).Text(), "z</dotline>");  // nothing closes a line tag
    Parsed r("left<r>right");
    EXPECT_FALSE(r.at(0, 0).IsRightAligned());
    EXPECT_TRUE(r.at(0, 1).IsRightAligned());
}

TEST(Parse, OnlyTheFirst2048CharactersAreRead) {
    Parsed p(std::string(3000, 'a'));
    EXPECT_EQ(p.caption.GetPlainText().size(), 2048u);
    EXPECT_EQ(p.caption.CaptionLength(), 3000u);
    // A tag cut by the limit is text.
    Parsed cut(std::string(2046, 'a') + "<b>x</b>");
    EXPECT_EQ(cut.caption.GetPlainText(), std::string(2046, 'a') + "<b");
    EXPECT_EQ(cut.at(0, 0).Bold, 0);
}

TEST(Parse, ImagesTakeIconNumberKeyAndWidth) {
    FakeHost host;
    host.Pictures["logo"] = {200, 100};
    Parsed p("<img>5:24</img><img>logo</img><img>logo:100</img><img>7</img>", &host);
    ASSERT_EQ(p.lines().at(0).size(), 4u);
    const auto& icon = p.at(0, 0);
    EXPECT_TRUE(icon.IsImage());
    EXPECT_EQ(icon.IconNumber(), 5);
    EXPECT_FALSE(icon.HasPictureKey());
    EXPECT_EQ(icon.ImageWidth(), 24);
    EXPECT_EQ(icon.Text(), "");
    EXPECT_EQ(icon.ElementNumber(), 0);
    EXPECT_EQ(p.at(0, 1).PictureKey(), "logo");
    EXPECT_EQ(p.at(0, 1).ImageWidth(), 200);
    EXPECT_EQ(p.at(0, 1).ElementNumber(), 1);
    EXPECT_EQ(p.at(0, 2).ImageWidth(), 100);
    EXPECT_EQ(p.at(0, 3).ImageWidth(), 18);
    EXPECT_EQ(p.at(0, 3).ElementNumber(), 3);
    EXPECT_EQ(host.Asked, (Strings{"logo", "logo"}));
    // Every parse numbers its images from 0 again.
    p.caption.Parse();
    EXPECT_EQ(p.at(0, 0).ElementNumber(), 0);
}

TEST(Parse, OddImagesAreAbsorbed) {
    EXPECT_FALSE(Parsed("<img>0</img>").at(0, 0).IsImage());
    EXPECT_TRUE(Parsed("<img>0</img>").at(0, 0).IsEmpty());
    EXPECT_FALSE(Parsed("<img>-3</img>").at(0, 0).IsImage());
    EXPECT_EQ(Parsed("<img>5:abc</img>").at(0, 0).ImageWidth(), 18);
    EXPECT_EQ(Parsed("<img>5:-40</img>").at(0, 0).ImageWidth(), 18);
    EXPECT_EQ(Parsed("<img>5:99999999999</img>").at(0, 0).ImageWidth(), INT32_MAX);
    EXPECT_EQ(Parsed("<img>05</img>").at(0, 0).PictureKey(), "05");
    EXPECT_EQ(Parsed("<img>unclosed").at(0, 0).PictureKey(), "unclosed");
    EXPECT_EQ(Parsed("<img>1</img>").at(0, 0).Width(1, FixedMeasure()), 18);

    FakeHost host;
    host.Pictures["p"] = {64, 32};
    EXPECT_EQ(Parsed("<img>p:-5</img>", &host).at(0, 0).ImageWidth(), 64);
    EXPECT_EQ(Parsed("<img>p:0</img>", &host).at(0, 0).ImageWidth(), 64);
    EXPECT_EQ(Parsed("<img>missing</img>", &host).at(0, 0).ImageWidth(), 0);
    EXPECT_EQ(Parsed("<img>nohost</img>").at(0, 0).ImageWidth(), 0);
    // Nested image tags keep the inner image.
    Parsed nested("<img><img>3</img></img>");
    EXPECT_EQ(nested.at(0, 0).IconNumber(), 3);
    EXPECT_EQ(nested.at(0, 0).ElementNumber(), 0);
}

TEST(Parse, FontFaceAndSizeInnerWins) {
    Parsed p("<font Arial;12>x</font><font ;14>y</font><font Tahoma>z</font>");
    ASSERT_TRUE(p.at(0, 0).Face);
    EXPECT_EQ(p.at(0, 0).Face->Name, "Arial");
    EXPECT_EQ(p.at(0, 0).Size, 12);
    EXPECT_FALSE(p.at(0, 1).Face);
    EXPECT_EQ(p.at(0, 1).Size, 14);
    EXPECT_EQ(p.at(0, 2).Face->Name, "Tahoma");
    EXPECT_EQ(p.at(0, 2).Size, 0);
    EXPECT_EQ(p.at(0, 2).Face->SizeCy, 100000);

    Parsed nested("<font Outer;30>a<font Inner;8>b</font></font>");
    EXPECT_EQ(nested.at(0, 0).Face->Name, "Outer");
    EXPECT_EQ(nested.at(0, 1).Face->Name, "Inner");
    EXPECT_EQ(nested.at(0, 1).Size, 8);

    Parsed spaced("<font   Times New Roman ;  9 ; 4>t");
    EXPECT_EQ(spaced.at(0, 0).Face->Name, "Times New Roman");
    EXPECT_EQ(spaced.at(0, 0).Size, 9);
    Parsed empty("<font>e</font><font;>f");
    EXPECT_FALSE(empty.at(0, 0).HasAttributes());
    EXPECT_FALSE(empty.at(0, 1).HasAttributes());
}

TEST(Parse, AnchorsKeepIdentifierAndOptions) {
    Parsed p("<a 1;row=2>text</a>");
    EXPECT_TRUE(p.at(0, 0).IsAnchor());
    EXPECT_EQ(p.at(0, 0).AnchorId(), "1");
    EXPECT_EQ(p.at(0, 0).AnchorOptions(), "row=2");
    Parsed more("<a  id ; x;y >t</a>");
    EXPECT_EQ(more.at(0, 0).AnchorId(), "id");
    EXPECT_EQ(more.at(0, 0).AnchorOptions(), "x;y");
    Parsed nested("<a outer;o>a<a inner;i>b</a></a>");
    EXPECT_EQ(nested.at(0, 0).AnchorId(), "outer");
    EXPECT_EQ(nested.at(0, 1).AnchorId(), "inner");
    EXPECT_EQ(nested.at(0, 1).AnchorOptions(), "i");
    Parsed bare("<a>t</a>u");
    EXPECT_TRUE(bare.at(0, 0).IsAnchor());
    EXPECT_EQ(bare.at(0, 0).AnchorId(), "");
    EXPECT_FALSE(bare.at(0, 1).IsAnchor());
}

TEST(Parse, TruncatedAndUnknownMarkupIsText) {
    EXPECT_EQ(Parsed("<b").caption.GetPlainText(), "<b");
    EXPECT_EQ(Parsed("<fgcolor=FF").caption.GetPlainText(), "<fgcolor=FF");
    EXPECT_EQ(Parsed("<font Arial").caption.GetPlainText(), "<font Arial");
    EXPECT_EQ(Parsed("<blink>x</blink>").caption.GetPlainText(), "<blink>x</blink>");
    EXPECT_EQ(Parsed("<").caption.GetPlainText(), "<");
    EXPECT_EQ(Parsed("&").caption.GetPlainText(), "&");
    Parsed unclosed("<b>x");
    EXPECT_EQ(unclosed.at(0, 0).Bold, 1);
    // Embedded zero bytes are ordinary characters.
    EXPECT_EQ(Parsed(std::string_view("a\0<b>c", 6)).caption.GetPlainText(), std::string("a\0c", 3));
}

class CountingCaption : public CHTMLCaption {
public:
    void Parse() override {
        ++Parses;
        CHTMLCaption::Parse();
    }
    void OnTagApplied(CHTMLElement& e, int32_t index, std::string_view tag) override {
        Applied.push_back(std::to_string(index) + ":" + std::string(tag) + ":" + e.Text());
    }
    int Parses = 0;
    Strings Applied;
};

TEST(SetCaption, UnchangedTextIsNotParsedAgain) {
    CountingCaption c;
    c.SetCaption("<b>x</b>");
    c.SetCaption("<b>x</b>");
    EXPECT_EQ(c.Parses, 1);
    c.SetCaption("<b>y</b>");
    EXPECT_EQ(c.Parses, 2);
    EXPECT_EQ(c.GetCaption(), "<b>y</b>");
}

TEST(SetCaption, EveryAppliedTagIsReported) {
    CountingCaption c;
    c.SetCaption("<i>a&amp;</i>");
    EXPECT_EQ(c.Applied, (Strings{"16:&amp;:&", "1:<i>:a", "1:<i>:&"}));
}

TEST(SetCaption, LineBreaksAreDroppedWhileBothFlagsAreClear) {
    FixedMeasure m;
    CHTMLCaption c;
    c.SetCaption("x<br>y");
    c.SetWordWrap(false, m, {0, 0, 100, 100});
    EXPECT_EQ(Runs(c.CurrentLines()), (Strings{"x|y"}));
    EXPECT_FALSE(c.IsLineBreak());
    c.SetWordWrap(true, m, {0, 0, 100, 100});
    EXPECT_EQ(Runs(c.CurrentLines()), (Strings{"x", "y"}));
    c.SetCaption("a");
    EXPECT_FALSE(c.IsWordWrap());
    EXPECT_TRUE(c.IsLineBreak());
    EXPECT_TRUE(c.WrappedLines().empty());
}

TEST(Caption, FirstIconNumberAndReset) {
    EXPECT_EQ(Parsed("a<img>3</img><img>4</img>").caption.FirstIconNumber(), 3);
    EXPECT_EQ(Parsed("a<br>b<img>9:30</img>").caption.FirstIconNumber(), 9);
    EXPECT_EQ(Parsed("plain").caption.FirstIconNumber(), -1);
    Parsed p("x<br>y");
    p.caption.ResetLayout();
    EXPECT_TRUE(p.lines().empty());
    EXPECT_EQ(p.caption.GetPlainText(), "");
    CHTMLCaption empty;
    EXPECT_TRUE(empty.ParsedLines().empty());
}

TEST(Element, EffectiveFontMergesBaseOwnAndAnchorLook) {
    FakeHost host;
    Parsed p("<i><a x>t</a></i><a y><fgcolor=00FF00>u</fgcolor></a>", &host);
    TextFontInfo base;
    base.Bold = 1;
    base.Size = 11;
    base.TextColor = 0x123456u;
    TextFontInfo f = p.at(0, 0).EffectiveFont(&base);
    EXPECT_EQ(f.Bold, 1);
    EXPECT_EQ(f.Italic, 1);
    EXPECT_EQ(f.Underline, 1);
    EXPECT_EQ(f.Size, 11);
    EXPECT_EQ(f.TextColor, 0xFF0000u);  // the host's anchor blue
    host.MarkAnchorVisited("x");
    EXPECT_EQ(p.at(0, 0).EffectiveFont(&base).TextColor, 0x800000u);
    EXPECT_EQ(p.at(0, 1).EffectiveFont(nullptr).TextColor, Green);  // own colour stays
    EXPECT_FALSE(p.at(0, 1).EffectiveFont(nullptr).Bold);
}

}  // namespace
