#include <gtest/gtest.h>

#include "CaptionTestSupport.h"
#include "html/CHTMLAnchorLooks.h"
#include "html/CHTMLCaptionParts.h"

namespace {

// The default looks (underlined blue, then navy) show in the drawing tests.
TEST(CHTMLAnchorLooks, OwnColourStaysAndEmptyLooksApplyNothing) {
    CHTMLAnchorLooks looks;
    TextFontInfo red;
    red.TextColor = 0x0000FFu;
    looks.ApplyAnchorStyle(red, "x");
    EXPECT_EQ(red.TextColor, 0x0000FFu);
    EXPECT_EQ(red.Underline, 1);

    looks.SetAnchorStyle("<b><bgcolor=FFFF00><font Courier;9>#", 1);
    looks.SetAnchorStyle("", 0);  // no visited look: visited anchors keep the normal one
    looks.MarkAnchorVisited("x");
    TextFontInfo f;
    looks.ApplyAnchorStyle(f, "x");
    EXPECT_EQ(f.Bold, 1);
    EXPECT_EQ(f.Underline, 0);
    EXPECT_EQ(f.BackColor, 0x00FFFFu);
    EXPECT_EQ(f.Face->Name, "Courier");

    looks.SetAnchorStyle("", 1);
    TextFontInfo none;
    looks.ApplyAnchorStyle(none, "y");
    EXPECT_FALSE(none.HasAttributes());
    looks.ClearVisitedAnchors();
    EXPECT_FALSE(looks.IsAnchorVisited("x"));
}

TEST(CHTMLCaptionParts, SetReplacesAndEmptyTextRemoves) {
    FakeHost host;
    CHTMLCaptionParts parts(&host);
    CHTMLCaption* first = parts.Set(3, "<b>Print</b>");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(parts.Get(3), first);
    EXPECT_EQ(first->Host(), &host);
    EXPECT_EQ(first->GetPlainText(), "Print");
    EXPECT_EQ(parts.Set(3, ""), nullptr);
    EXPECT_EQ(parts.Get(3), nullptr);
    EXPECT_EQ(parts.Count(), 0u);
}

}  // namespace
