#include <gtest/gtest.h>

#include "html/CHTMLAnchorLooks.h"

namespace {

// The default looks (underlined blue, then navy) show in the drawing tests.
TEST(CHTMLAnchorLooks, OwnColourStaysAndEmptyLooksApplyNothing) {
    CHTMLAnchorLooks looks;
    TextFontInfo red;
    red.TextColor = 0x0000FFu;
    looks.ApplyAnchorStyle(red, "x");
    EXPECT_EQ(red.TextColor, 0x0000FFu);

    looks.SetAnchorStyle("<b><bgcolor=FFFF00><font Courier;9>#", 1);
    looks.SetAnchorStyle("", 0);  // no visited look: visited anchors keep the normal one
    looks.MarkAnchorVisited("x");
    TextFontInfo f;
    looks.ApplyAnchorStyle(f, "x");
    EXPECT_EQ(f.Bold, 1);
    EXPECT_EQ(f.Underline, 0);
    EXPECT_EQ(f.BackColor, 0x00FFFFu);

    looks.SetAnchorStyle("", 1);
    TextFontInfo none;
    looks.ApplyAnchorStyle(none, "y");
    EXPECT_FALSE(none.HasAttributes());
}

}  // namespace
