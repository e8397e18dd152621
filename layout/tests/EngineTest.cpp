#include <gtest/gtest.h>

#include <string>

#include "LayoutTestSupport.h"
#include "layout/CWindowListPartFormatCore.h"

namespace {

const LayoutRect kArea{10, 20, 110, 40};  // 100 x 20, moved away from the origin

TEST(CrdEngine, ArrangeIntoParsesOnceAndMovesPartsToTheRectangle) {
    CWindowListPartFormatCore core;
    CWindowListPartLevel* a = core.GetLayout("1,2:30");
    EXPECT_EQ(core.GetLayout("1,2:30"), a);
    EXPECT_NE(core.GetLayout("1,2:30 "), a);  // exact bytes
    CWindowListPartCache cache;
    ASSERT_TRUE(core.ArrangeInto("1,2:30", kArea, cache));
    EXPECT_EQ(Placed(cache), "1@10,20,80,40 2@80,20,110,40");
    EXPECT_FALSE(core.ArrangeInto("", kArea, cache));
    EXPECT_TRUE(cache.Empty());
    // The drawing state comes from the root.
    ASSERT_TRUE(core.ArrangeInto("[debug=0][dgl=258]1,(2)", kArea, cache));
    EXPECT_TRUE(cache.Debug());
    EXPECT_EQ(cache.Dgl(), 2);
    ASSERT_TRUE(core.ArrangeInto("1", kArea, cache));
    EXPECT_FALSE(cache.Debug());
}

TEST(CrdEngine, HitTestAnswersInnerPartsAndExcludesFarEdges) {
    const char* nested = "1,(2,3)[b=1]";  // 1: 10-60, group 60-110, 2: 60-85, 3: 85-110
    const struct {
        LayoutPoint at;
        const char* text;
        const char* hit;  // "" for no hit, "g" a group, "t" a text, else the item
    } cases[] = {
        {{70, 25}, nested, "2"}, {{10, 20}, nested, "1"}, {{60, 39}, nested, "2"},
        {{110, 25}, nested, ""}, {{50, 40}, nested, ""}, {{9, 25}, nested, ""},
        // A framed group without a nested level is hit itself; "( )" has an empty one.
        {{100, 30}, "1, [b=1]", "g"}, {{100, 30}, "1,( )[b=1]", ""}, {{100, 30}, "1,\"t\"", "t"},
    };
    CWindowListPartFormatCore core;
    for (const auto& c : cases) {
        CWindowListPart part;
        std::string hit;
        if (core.HitTest(c.at, c.text, kArea, part))
            hit = part.IsGroup() ? "g" : part.IsText() ? "t" : std::to_string(part.ItemNumber());
        EXPECT_EQ(hit, c.hit) << c.text << " at " << c.at.x << "," << c.at.y;
    }
}

TEST(CrdEngine, LocateItemTakesTheFirstInPlacementOrder) {
    CWindowListPartFormatCore core;
    CWindowListPart part;
    ASSERT_TRUE(core.LocateItem(7, "7,|,7:10", kArea, part));  // right lists are placed first
    EXPECT_EQ(part.Rect(), (LayoutRect{100, 20, 110, 40}));
    ASSERT_TRUE(core.LocateItem(7, "7/|/7", kArea, part));  // so are bottom lines
    EXPECT_EQ(part.Rect(), (LayoutRect{10, 30, 110, 40}));
    EXPECT_FALSE(core.LocateItem(8, "7,\"8\"", kArea, part));  // texts are not items
}

TEST(CrdEngine, ContentAlignment) {
    const LayoutRect r{0, 0, 100, 50};
    EXPECT_EQ(AlignContent(r, 20, 10, 17), (LayoutRect{40, 20, 60, 30}));  // centred
    EXPECT_EQ(AlignContent(r, 20, 10, 34), (LayoutRect{80, 40, 100, 50})); // bottom right
    EXPECT_EQ(AlignContent(r, 300, 80, 17), (LayoutRect{0, 0, 100, 50}));  // clipped
    EXPECT_EQ(AlignContent(LayoutRect{10, 10, 21, 21}, 4, 4, 17), (LayoutRect{13, 13, 17, 17}));
}

class Neighbours : public ::testing::Test {
protected:
    // Row 1: 1 2 3 (33/33/34 wide), row 2: 4 (left half) 5 (right half).
    const char* text = "1,2,3/4,5";
    const LayoutRect area{0, 0, 100, 20};
    CWindowListPartFormatCore core;

    LayoutRect Of(int32_t item) {
        LayoutRect r;
        EXPECT_TRUE(core.ItemRect(text, area, item, r));
        return r;
    }
};

TEST_F(Neighbours, SidewaysStayInTheRowAndItemRectUnitesRepeats) {
    LayoutRect out;
    ASSERT_TRUE(core.NeighbourRight(text, area, Of(1), out));
    EXPECT_EQ(out, Of(2));
    ASSERT_TRUE(core.NeighbourLeft(text, area, Of(3), out));
    EXPECT_EQ(out, Of(2));
    EXPECT_FALSE(core.NeighbourRight(text, area, Of(3), out));  // not down to row 2
    ASSERT_TRUE(core.ItemRect("9,1,9", LayoutRect{0, 0, 90, 10}, 9, out));
    EXPECT_EQ(out, (LayoutRect{0, 0, 90, 10}));
    EXPECT_FALSE(core.ItemRect("9", LayoutRect{0, 0, 90, 10}, 8, out));
}

TEST_F(Neighbours, UpAndDownPreferTheNearestThenTheClosestLeftEdge) {
    LayoutRect out;
    ASSERT_TRUE(core.NeighbourBelow(text, area, Of(3), out));
    EXPECT_EQ(out, Of(5));  // |50-66| beats |0-66|
    ASSERT_TRUE(core.NeighbourBelow(text, area, Of(1), out));
    EXPECT_EQ(out, Of(4));
    ASSERT_TRUE(core.NeighbourAbove(text, area, Of(5), out));
    EXPECT_EQ(out, Of(3));  // |66-50| = 16 beats |33-50| = 17
    EXPECT_FALSE(core.NeighbourBelow(text, area, Of(4), out));
    EXPECT_FALSE(core.NeighbourAbove(text, area, Of(2), out));
}

}  // namespace
