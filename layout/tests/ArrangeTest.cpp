#include <gtest/gtest.h>

#include "LayoutTestSupport.h"

namespace {

TEST(CrdArrange, FlexibleUnitsShareAndTheLastTakesTheRemainder) {
    EXPECT_EQ(Arranged("1,2,3,4", 10, 5), "1@0,0,2,5 2@2,0,4,5 3@4,0,6,5 4@6,0,10,5");
    // The remainder goes to the last flexible unit even before a fixed one.
    EXPECT_EQ(Arranged("1,2,3:3", 10, 5), "1@0,0,3,5 2@3,0,7,5 3@7,0,10,5");
}

TEST(CrdArrange, FixedWidthsAreCutAtTheEnd) {
    EXPECT_EQ(Arranged("1:60,2:60,3", 100, 5), "1@0,0,60,5 2@60,0,100,5");
    EXPECT_EQ(Arranged("1:60,2,3:60", 100, 5), "1@0,0,60,5 3@60,0,100,5");
    EXPECT_EQ(Arranged("1:-50,2", 100, 5), "2@0,0,100,5");  // a negative width gives no room
    EXPECT_EQ(Arranged("1:10,2:20", 100, 5), "1@0,0,10,5 2@10,0,30,5");  // the rest stays empty
}

TEST(CrdArrange, RightListsFillFromTheEnd) {
    EXPECT_EQ(Arranged("1,|,2:30", 100, 5), "2@70,0,100,5 1@0,0,70,5");
    EXPECT_EQ(Arranged("1,|,2,3", 90, 5), "3@60,0,90,5 2@30,0,60,5 1@0,0,30,5");
    // A right list wider than the line is cut at the left edge; nothing is left.
    EXPECT_EQ(Arranged("1,|,2:60,3:60,4:60", 100, 5), "4@40,0,100,5 3@0,0,40,5");
}

TEST(CrdArrange, LinesShareTheHeight) {
    EXPECT_EQ(Arranged("24;1/2", 10, 100), "1@0,0,10,24 2@0,24,10,100");
    EXPECT_EQ(Arranged("1/2/3", 10, 10), "1@0,0,10,3 2@0,3,10,6 3@0,6,10,10");
    EXPECT_EQ(Arranged("1/|/30;2", 10, 100), "2@0,70,10,100 1@0,0,10,70");
    // Bottom lines are cut at the top; the top list then gets nothing.
    EXPECT_EQ(Arranged("1/|/60;2/60;3", 10, 100), "3@0,40,10,100 2@0,0,10,40");
}

TEST(CrdArrange, GroupsPlaceTheirNestedPartsInside) {
    EXPECT_EQ(Arranged("1,(2/3):40", 100, 20), "1@0,0,60,20 2@60,0,100,10 3@60,10,100,20");
    // A bordered or filled group is handed over before what it holds.
    EXPECT_EQ(Arranged("1,(2,3)[b=1]", 100, 20), "1@0,0,50,20 g@50,0,100,20 2@50,0,75,20 3@75,0,100,20");
    // A group with nothing inside shows only through border or background.
    EXPECT_EQ(Arranged("1,( )", 10, 10), "1@0,0,5,10");
    EXPECT_EQ(Arranged("1,( )[b=2]", 10, 10), "1@0,0,5,10 g@5,0,10,10");
}

TEST(CrdArrange, EmptyAreasAndEmptyLayoutsPlaceNothing) {
    EXPECT_EQ(Arranged("1,2", 0, 10), "");
    EXPECT_EQ(Arranged("[b=1]", 10, 10), "none");
    // Four units in three pixels: the share is 0, so no flexible unit got
    // room and the rest has no unit to go to.
    EXPECT_EQ(Arranged("1,2,3,4", 3, 1), "");
    EXPECT_EQ(Arranged("1,2:1,3,4", 3, 1), "2@0,0,1,1");
}

TEST(CrdArrange, ArrangementsAreStoredPerSize) {
    auto level = ParseLayout("1,2");
    const CWindowListPartCache* first = level->Arrangement(10, 10);
    EXPECT_EQ(level->Arrangement(10, 10), first);
    EXPECT_NE(level->Arrangement(11, 10), level->Arrangement(10, 11));  // halves swapped
}

}  // namespace
