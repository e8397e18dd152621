#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "LayoutTestSupport.h"

namespace {

TEST(CrdParse, DefaultToolbarLayoutIsOneLineOfTenItems) {
    auto level = ParseLayout("-1,100,101,102,-1,103,-1,104,-1,105");
    ASSERT_EQ(level->LineCount(), 1u);
    const CWindowListLinePart& line = *level->LineAt(0);
    ASSERT_EQ(line.FirstList().size(), 10u);
    EXPECT_TRUE(line.SecondList().empty());
    const int expected[] = {-1, 100, 101, 102, -1, 103, -1, 104, -1, 105};
    for (size_t i = 0; i < 10; ++i) {
        const CWindowListUnitPart& u = *line.UnitAt(i);
        EXPECT_TRUE(u.IsItem());
        EXPECT_EQ(u.ItemNumber(), expected[i]);
        EXPECT_EQ(u.Width(), 0);
        EXPECT_EQ(u.Border(), 0);
        EXPECT_EQ(u.Alignment(), 16);
    }
    EXPECT_EQ(level->RowCount(), 1);
    EXPECT_EQ(line.FixedWidthCount(), 0);
}

TEST(CrdParse, BarsSendUnitsRightAndLinesDown) {
    auto units = ParseLayout("1,2,|,3");
    const CWindowListLinePart& line = *units->LineAt(0);
    EXPECT_EQ(line.FirstList().size(), 2u);
    ASSERT_EQ(line.SecondList().size(), 1u);
    EXPECT_EQ(line.SecondList()[0]->ItemNumber(), 3);

    auto lines = ParseLayout("1/|/2");
    ASSERT_EQ(lines->FirstList().size(), 1u);
    ASSERT_EQ(lines->SecondList().size(), 1u);
    EXPECT_EQ(lines->SecondList()[0]->UnitAt(0)->ItemNumber(), 2);

    // There is no way back to the first list; a second bar changes nothing.
    auto twice = ParseLayout("1,|,2,|,3");
    EXPECT_EQ(twice->LineAt(0)->SecondList().size(), 2u);
    // A bar with blanks around it is still a bar in a line, but not as a row.
    EXPECT_EQ(ParseLayout("1, | ,2")->LineAt(0)->SecondList().size(), 1u);
    auto row = ParseLayout("1/ |/2");
    EXPECT_TRUE(row->SecondList().empty());
    EXPECT_EQ(row->FirstList().size(), 3u);
    EXPECT_TRUE(UnitOf(*row, 1, 0).IsGroup());
}

TEST(CrdParse, HeightBeforeSemicolonAndTheLeadingBlankGroup) {
    for (const char* text : {"24;1,2", "24 ;1,2"}) {
        auto level = ParseLayout(text);
        ASSERT_EQ(level->LineCount(), 1u) << text;
        EXPECT_EQ(level->LineAt(0)->Height(), 24) << text;
        EXPECT_EQ(level->LineAt(0)->UnitCount(), 2u) << text;
        EXPECT_EQ(level->FixedHeightSum(), 24);
        EXPECT_EQ(level->FixedHeightCount(), 1);
    }
    // The body is put in stripped form before it is split into rows, so a
    // leading blank of the whole layout is gone; a blank leading a later row
    // makes that row one group.
    EXPECT_EQ(ParseLayout(" 24;1,2")->LineAt(0)->Height(), 24);
    auto blank = ParseLayout("1/ 24;1,2");
    const CWindowListLinePart& line = *blank->LineAt(1);
    EXPECT_EQ(line.Height(), 0);
    ASSERT_EQ(line.UnitCount(), 1u);
    const CWindowListUnitPart& group = *line.UnitAt(0);
    ASSERT_TRUE(group.IsGroup() && group.HasNestedLevel());
    EXPECT_EQ(group.NestedLevel()->LineAt(0)->Height(), 24);
    EXPECT_EQ(group.NestedLevel()->LineAt(0)->UnitCount(), 2u);

    // Further semicolons belong to the rest; a rest in parentheses is a group.
    auto rest = ParseLayout("10;(1;2)");
    EXPECT_EQ(rest->LineAt(0)->Height(), 10);
    EXPECT_TRUE(UnitOf(*rest, 0, 0).IsGroup());
    EXPECT_EQ(UnitOf(*rest, 0, 0).NestedLevel()->LineAt(0)->Height(), 1);
}

TEST(CrdParse, LeadingBlankMakesAGroupWithBorderZero) {
    auto level = ParseLayout("[b=5]1, 2");
    const CWindowListUnitPart& first = UnitOf(*level, 0, 0);
    const CWindowListUnitPart& second = UnitOf(*level, 0, 1);
    EXPECT_EQ(first.Border(), 5);
    ASSERT_TRUE(second.IsGroup());
    EXPECT_EQ(second.Border(), 0);
    EXPECT_EQ(UnitOf(*second.NestedLevel(), 0, 0).ItemNumber(), 2);
    EXPECT_EQ(UnitOf(*second.NestedLevel(), 0, 0).Border(), 5);  // inner units use the root's
}

TEST(CrdParse, WidthsAfterTheLastColon) {
    EXPECT_EQ(UnitOf(*ParseLayout("100:32"), 0, 0).Width(), 32);
    EXPECT_EQ(UnitOf(*ParseLayout("100:abc"), 0, 0).Width(), 0);
    EXPECT_EQ(UnitOf(*ParseLayout("100:1:2"), 0, 0).ItemNumber(), 100);  // content "100:1"
    EXPECT_EQ(UnitOf(*ParseLayout("100:1:2"), 0, 0).Width(), 2);
    auto group = ParseLayout("(1,2):50");
    const CWindowListUnitPart& g = UnitOf(*group, 0, 0);
    ASSERT_TRUE(g.IsGroup());
    EXPECT_EQ(g.Width(), 50);
    EXPECT_EQ(g.NestedLevel()->LineAt(0)->UnitCount(), 2u);
    EXPECT_EQ(group->LineAt(0)->FixedWidthSum(), 50);
    // Colons inside quotes or parentheses do not count.
    EXPECT_EQ(UnitOf(*ParseLayout("\"a:1\""), 0, 0).Text(), "a:1");
    EXPECT_EQ(UnitOf(*ParseLayout("2,(1:5)"), 0, 1).Width(), 0);
    EXPECT_EQ(UnitOf(*ParseLayout("7:99999999999"), 0, 0).Width(), INT32_MAX);
}

TEST(CrdParse, UnitAttributes) {
    auto level = ParseLayout("100[b=3][bg=rgb(255,0,0)][a=17][ww]");
    const CWindowListUnitPart& u = UnitOf(*level, 0, 0);
    EXPECT_TRUE(u.IsItem());
    EXPECT_EQ(u.ItemNumber(), 100);
    EXPECT_EQ(u.Border(), 3);
    ASSERT_TRUE(u.HasBackground());
    EXPECT_EQ(*u.Background(), 0x0000FFu);
    EXPECT_FALSE(u.Foreground().has_value());
    EXPECT_EQ(u.Alignment(), 17);
    EXPECT_TRUE(u.WordWrap());

    auto spaced = ParseLayout("100 [b=3]");
    const CWindowListUnitPart& g = UnitOf(*spaced, 0, 0);
    ASSERT_TRUE(g.IsGroup());
    EXPECT_EQ(g.Border(), 3);
    EXPECT_EQ(UnitOf(*g.NestedLevel(), 0, 0).ItemNumber(), 100);

    auto moreLevel = ParseLayout("1[b=18][fg=255][zz=1][ww=no]");
    const CWindowListUnitPart& more = UnitOf(*moreLevel, 0, 0);
    EXPECT_EQ(more.Border(), 2);            // low 4 bits
    EXPECT_EQ(*more.Foreground(), 255u);
    EXPECT_TRUE(more.WordWrap());           // presence alone
    EXPECT_EQ(UnitOf(*ParseLayout("1[a=1][a=2]"), 0, 0).Alignment(), 2);  // later wins
    EXPECT_EQ(UnitOf(*ParseLayout("1[B=3]"), 0, 0).Border(), 0);          // case matters
}

TEST(CrdParse, RootAttributes) {
    auto both = ParseLayout("[b=1]1,2");
    EXPECT_EQ(UnitOf(*both, 0, 0).Border(), 1);
    EXPECT_EQ(UnitOf(*both, 0, 1).Border(), 1);
    EXPECT_EQ(UnitOf(*ParseLayout("[b=1]1,2[b=0]"), 0, 1).Border(), 0);

    auto root = ParseLayout("[dgl=300][debug][b=17][zz=q]1");
    EXPECT_EQ(root->Dgl(), 300 % 256);
    EXPECT_TRUE(root->Debug());
    EXPECT_EQ(root->DefaultBorder(), 17);
    EXPECT_EQ(UnitOf(*root, 0, 0).Border(), 1);
    EXPECT_EQ(root->Attributes().at("zz"), "q");
    EXPECT_FALSE(ParseLayout("1")->Debug());
    // Attributes only: a level without lines.
    auto bare = ParseLayout("[b=1]");
    EXPECT_EQ(bare->LineCount(), 0u);
    EXPECT_EQ(bare->Attributes().size(), 1u);
}

TEST(CrdParse, TextUnitsAndTheirEscapes) {
    auto tLevel = ParseLayout(R"("say \"hi\" \n")");
    const CWindowListUnitPart& t = UnitOf(*tLevel, 0, 0);
    ASSERT_TRUE(t.IsText());
    EXPECT_EQ(t.Text(), R"(say "hi" \n)");
    auto loneLevel = ParseLayout("\"");
    const CWindowListUnitPart& lone = UnitOf(*loneLevel, 0, 0);
    ASSERT_TRUE(lone.IsText());
    EXPECT_EQ(lone.Text(), "");
    // The backslash before the closing quotation mark stays.
    EXPECT_EQ(UnitOf(*ParseLayout(R"("a\")"), 0, 0).Text(), "a\\");
    auto attrLevel = ParseLayout(R"("x[b=1]"[b=2]:9)");
    const CWindowListUnitPart& attr = UnitOf(*attrLevel, 0, 0);
    EXPECT_EQ(attr.Text(), "x[b=1]");
    EXPECT_EQ(attr.Border(), 2);
    EXPECT_EQ(attr.Width(), 9);
    EXPECT_TRUE(UnitOf(*ParseLayout("\"a\"b"), 0, 0).IsItem());  // must end with the quote
}

TEST(CrdParse, UnbalancedTextLosesTheLastPiece) {
    EXPECT_EQ(ParseLayout("1,(2,3")->LineCount(), 0u);
    auto kept = ParseLayout("1/(2");
    ASSERT_EQ(kept->LineCount(), 1u);
    EXPECT_EQ(UnitOf(*kept, 0, 0).ItemNumber(), 1);
    auto close = ParseLayout("1,2)");  // depth -1 at the end: the row is dropped
    EXPECT_EQ(close->LineCount(), 0u);
}

TEST(CrdParse, LineBreaksReplaceSlashes) {
    auto level = ParseLayout("1/2\r\n3");
    ASSERT_EQ(level->LineCount(), 2u);
    EXPECT_EQ(level->LineAt(0)->UnitCount(), 1u);
    EXPECT_EQ(UnitOf(*level, 0, 0).ItemNumber(), 1);
    EXPECT_EQ(UnitOf(*level, 1, 0).ItemNumber(), 3);
    auto bottom = ParseLayout("1\r\n|\r\n2");
    EXPECT_EQ(bottom->SecondList().size(), 1u);
}

TEST(CrdParse, EmptyPiecesAndEmptyGroups) {
    auto level = ParseLayout("1,,2,/,/3");
    ASSERT_EQ(level->LineCount(), 2u);  // the row of one comma is dropped
    EXPECT_EQ(level->LineAt(0)->UnitCount(), 2u);
    // "()" strips to nothing and is skipped like ",,"; "( )" is a group.
    EXPECT_EQ(ParseLayout("(),1")->LineAt(0)->UnitCount(), 1u);
    auto emptyLevel = ParseLayout("( ),1");
    const CWindowListUnitPart& empty = UnitOf(*emptyLevel, 0, 0);
    EXPECT_TRUE(empty.IsGroup());
    ASSERT_TRUE(empty.HasNestedLevel());
    EXPECT_EQ(empty.NestedLevel()->LineCount(), 0u);
    auto noLevel = ParseLayout("1, [b=2]");  // a blank before the block: group of nothing
    EXPECT_TRUE(UnitOf(*noLevel, 0, 1).IsGroup());
    EXPECT_FALSE(UnitOf(*noLevel, 0, 1).HasNestedLevel());
    EXPECT_EQ(UnitOf(*noLevel, 0, 1).Border(), 2);
    EXPECT_EQ(ParseLayout("/")->LineCount(), 0u);
}

TEST(CrdParse, RowCountsAddUpThroughGroups) {
    auto level = ParseLayout("1,(2/3/4)/5");
    EXPECT_EQ(level->LineAt(0)->RowCount(), 3);
    EXPECT_EQ(level->RowCount(), 4);
    EXPECT_EQ(level->FirstUnit()->ItemNumber(), 1);
}

TEST(CrdParse, DeepNestingStopsAtTheLimit) {
    std::string deep;
    for (int i = 0; i < 5000; ++i) deep += "(1,";
    deep += "2";
    for (int i = 0; i < 5000; ++i) deep += ")";
    auto level = ParseLayout(deep);
    int depth = 0;
    const CWindowListPartLevel* at = level.get();
    while (at && at->LineCount()) {
        const CWindowListLinePart& line = *at->LineAt(0);
        const CWindowListUnitPart* group = line.UnitAt(line.UnitCount() - 1);
        if (!group->IsGroup()) break;
        at = group->NestedLevel();
        ++depth;
    }
    EXPECT_EQ(depth, CWindowListPartLevel::kMaxNesting + 1);  // the last group is left empty
    // Thousands of bare parentheses are absorbed without deep recursion too.
    EXPECT_EQ(ParseLayout(std::string(100000, '(') + std::string(100000, ')'))->LineCount(), 1u);
}

TEST(CrdParse, SettersKeepFixedSumsRight) {
    auto level = ParseLayout("10;1:5,2,3:7/4");
    CWindowListLinePart& line = *level->LineAt(0);
    EXPECT_EQ(line.FixedWidthSum(), 12);
    EXPECT_EQ(line.FixedWidthCount(), 2);
    line.UnitAt(1)->SetWidth(8);
    line.UnitAt(0)->SetWidth(0);
    line.UnitAt(2)->SetWidth(-3);
    EXPECT_EQ(line.FixedWidthSum(), 5);
    EXPECT_EQ(line.FixedWidthCount(), 2);
    level->LineAt(1)->SetHeight(20);
    line.SetHeight(0);
    EXPECT_EQ(level->FixedHeightSum(), 20);
    EXPECT_EQ(level->FixedHeightCount(), 1);
}

TEST(CrdParse, ReadingOrderDescendsIntoGroups) {
    auto level = ParseLayout("1,(2,(3)[b=1]),|,4/5");
    std::string order;
    for (const CWindowListUnitPart* u = level->FirstUnit(); u; u = u->NextUnit())
        order += u->IsGroup() ? "g" : std::to_string(u->ItemNumber());
    EXPECT_EQ(order, "1g2g345");
    std::string back;
    for (const CWindowListUnitPart* u = level->LastUnit(); u; u = u->PreviousUnit())
        back += u->IsGroup() ? "g" : std::to_string(u->ItemNumber());
    EXPECT_EQ(back, "543g2g1");
    const CWindowListUnitPart* three = UnitOf(*level, 0, 1).NestedLevel()->LastUnit();
    EXPECT_EQ(three->ItemNumber(), 3);
    EXPECT_EQ(three->FirstUnit()->ItemNumber(), 1);
    EXPECT_EQ(three->LastUnit()->ItemNumber(), 5);
}

}  // namespace
