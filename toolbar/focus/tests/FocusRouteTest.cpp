#include "FocusRoute.h"
#include <gtest/gtest.h>

namespace {

TEST(FocusRoute, ToolBarKeys) {
    const int kA = 'A', kNext = 0x22, kF4 = 0x73;
    using A = KeyAction;
    const struct { int key; bool shift, mouse; A expected; } cases[] = {
        {kKeyTab, false, false, A::NextPane},  {kKeyTab, true, true, A::PreviousPane},
        {kKeyF6, false, true, A::NextPane},    {kKeyF6, true, false, A::PreviousPane},
        {kKeyEscape, false, false, A::ToPages}, {kKeyEscape, true, true, A::ToPages},
        {kKeyLeft, false, false, A::Own},      {kKeyDown, true, false, A::Own},
        {kKeyReturn, false, false, A::Own},    {kKeySpace, false, false, A::Own},
        // after a mouse click the pages take the arrows, Return and Space
        {kKeyRight, false, true, A::HandOn},   {kKeyReturn, false, true, A::HandOn},
        {kNext, false, false, A::HandOn},      {kA, false, false, A::HandOn},
        {kF4, true, false, A::HandOn},         {0x24, false, false, A::HandOn},  // Home
    };
    for (const auto& c : cases)
        EXPECT_EQ(ToolBarKeyAction(c.key, c.shift, c.mouse), c.expected) << c.key << " " << c.shift << c.mouse;
    EXPECT_EQ(PaneStep(kKeyReturn, true), 0);
}

TEST(FocusRoute, NextPaneGoesRoundTheEligibleOnes) {
    const std::vector<bool> three{true, false, true};
    const struct { std::vector<bool> eligible; int current; bool forward; int expected; } cases[] = {
        {three, 0, true, 2},   {three, 2, true, 0},   {three, 0, false, 2},  {three, 2, false, 0},
        {three, 1, true, 2},   {three, 1, false, 0},  // from an ineligible one
        {three, -1, true, 0},  {three, -1, false, 2}, {three, 7, true, 0},   // from outside
        {{true}, 0, true, 0},  {{false, false}, 0, true, -1}, {{}, -1, true, -1},
        {{true, true, true, true}, 3, true, 0}, {{true, true, true, true}, 0, false, 3},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NextPane(c.eligible, c.current, c.forward), c.expected) << c.current << " " << c.forward;
}

}  // namespace
