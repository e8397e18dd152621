#include <gtest/gtest.h>

#include "LayoutTestSupport.h"

namespace {

TEST(CrdParse, LayoutsParseToTheirShape) {
    const struct {
        const char* text;
        const char* shape;  // see Shape()
    } cases[] = {
        {"-1,100,101,102,-1,103,-1,104,-1,105", "-1,100,101,102,-1,103,-1,104,-1,105"},
        // Bars send units right and lines down; there is no way back to the first list.
        {"1,2,|,3", "1,2,|,3"}, {"1/|/2", "1/|/2"}, {"1,|,2,|,3", "1,|,2,3"},
        // A bar with blanks is still one in a line, but not as a row; a leading blank makes a group.
        {"1, | ,2", "1,|,2"}, {"1/ |/2", "1/()/2"}, {"[b=5]1, 2", "1[b5],(2[b5])"},
        // Height before the first semicolon; a blank leading the whole layout is stripped first.
        {"24;1,2", "24;1,2"}, {"24 ;1,2", "24;1,2"}, {" 24;1,2", "24;1,2"}, {"1/ 24;1,2", "1/(24;1,2)"},
        // Width after the last colon outside quotes and parentheses, clamped to 32 bits.
        {"100:32", "100:32"}, {"100:abc", "100"}, {"100:1:2", "100:2"}, {"(1,2):50", "(1,2):50"},
        {"\"a:1\"", "\"a:1\""}, {"2,(1:5)", "2,(1:5)"}, {"7:99999999999", "7:2147483647"},
        {"7:-99999999999", "7:-2147483648"}, {"7:0x10", "7"}, {"+7:\t-3", "7:-3"},
        // Attributes: border keeps 4 bits, presence sets word wrap, later wins, names are case-sensitive.
        {"100[b=3][bg=rgb(255,0,0)][a=17][ww]", "100[b3][a17][bg255][ww]"}, {"100 [b=3]", "(100)[b3]"},
        {"1[b=18][fg=255][zz=1][ww=no]", "1[b2][fg255][ww]"}, {"1[a=1][a=2]", "1[a2]"}, {"1[B=3]", "1"},
        {"[b=1]1,2", "1[b1],2[b1]"}, {"[b=1]1,2[b=0]", "1[b1],2"},
        // Colours: RGB components masked to 8 bits; anything else reads as a number.
        {"1[bg=RGB( 1 , 2 , 3 )]", "1[bg197121]"}, {"1[bg=rgb(256,-1,0)]", "1[bg65280]"},
        {"1[bg=rgb(1,2)]", "1[bg0]"}, {"1[fg=-2147483643]", "1[fg2147483653]"},
        // Texts: escaped quotes only; the backslash before the closing quote stays; must end with the quote.
        {R"("say \"hi\" \n")", R"("say "hi" \n")"}, {"\"", "\"\""}, {R"("a\")", R"("a\")"},
        {R"("x[b=1]"[b=2]:9)", R"("x[b=1]":9[b2])"}, {"\"a\"b", "0"}, {"\"(\",1", "\"(\",1"},
        // Unbalanced text loses the last row.
        {"1,(2,3", ""}, {"1/(2", "1"}, {"1,2)", ""},
        // Line breaks stand for slashes; empty pieces, rows and "()" vanish, "( )" is an empty group.
        {"1/2\r\n3", "1/3"}, {"1\r\n|\r\n2", "1/|/2"}, {"1,,2,/,/3", "1,2/3"}, {"(),1", "1"}, {"( ),1", "(),1"},
        {"1, [b=2]", "1,(-)[b2]"}, {"/", ""}, {"1,(2,(3)[b=1]),|,4/5", "1,(2,(3)[b1]),|,4/5"},
        // One enclosing pair is dropped, with the blanks around it.
        {" (1,2) ", "1,2"}, {"((1,2))", "(1,2)"}, {"(1),(2)", "(1),(2)"},
    };
    for (const auto& c : cases) EXPECT_EQ(Shape(*ParseLayout(c.text)), c.shape) << c.text;
}

TEST(CrdParse, RowCountAndRootAttributes) {
    EXPECT_EQ(ParseLayout("1,(2/3/4)/5")->RowCount(), 4);
    auto root = ParseLayout("[dgl=300][debug][b=17][zz=q][x=[y]=z]1");
    EXPECT_EQ(root->Dgl(), 300 % 256);
    EXPECT_EQ(root->Attributes().at("x"), "[y]=z");
}

TEST(CrdParse, DeepNestingStopsAtTheLimit) {
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "(1,";
    deep += "2" + std::string(5000, ')');
    auto level = ParseLayout(deep);
    int depth = 0;
    for (const CWindowListPartLevel* at = level.get(); at && at->LineCount(); ++depth) {
        const CWindowListUnitPart* group = at->LineAt(0)->UnitAt(at->LineAt(0)->UnitCount() - 1);
        if (!group->IsGroup()) break;
        at = group->NestedLevel();
    }
    EXPECT_EQ(depth, CWindowListPartLevel::kMaxNesting + 1);  // the last group is left empty
    // Thousands of bare parentheses are absorbed without deep recursion too.
    EXPECT_EQ(ParseLayout(std::string(100000, '(') + std::string(100000, ')'))->LineCount(), 1u);
}

TEST(CrdParse, ReadingOrderDescendsIntoGroups) {
    auto level = ParseLayout("1,(2,(3)[b=1]),|,4/5");
    std::string order;
    for (const CWindowListUnitPart* u = level->FirstUnit(); u; u = u->NextUnit())
        order += u->IsGroup() ? "g" : std::to_string(u->ItemNumber());
    EXPECT_EQ(order, "1g2g345");
}

}  // namespace
