#include "toolbar/CPrintToolBar.h"
#include <gtest/gtest.h>

namespace {

// A button is its caption plus 8 pixels wide, a separator 8: an icon caption measures 18.
TEST(ToolBarWidths, CaptionPlusEightAndSeparatorsEight) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 400, 60, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    {
        CPrintToolBar bar;
        bar.SetFormat("104,-1,105,1");
        bar.SetItemCaption(104, "<img>1</img>");
        bar.SetItemCaption(105, "<img>1</img><img>2</img>");
        ASSERT_TRUE(bar.Create(parent, parent));
        SetWindowPos(bar.Window(), nullptr, 0, 0, 400, bar.Height(), SWP_NOZORDER);
        bar.LayoutItems();
        RECT print{}, close{};
        ASSERT_TRUE(bar.ItemRectOf(104, print) && bar.ItemRectOf(105, close));
        EXPECT_EQ(print.right - print.left, 18 + 8);
        EXPECT_EQ(close.left - print.right, 8) << "the separator";
        EXPECT_EQ(close.right - close.left, 2 * 18 + 8);
        bar.Destroy();
    }
    DestroyWindow(parent);
}

}  // namespace
