#include "ScrollRules.h"
#include <gtest/gtest.h>
#include <climits>

namespace {

TEST(ScrollRules, VerticalPositionForEveryCode) {
    // h = 100; ov > 0 means the screenful overflows by ov pixels.
    struct Case { int code, pos, track, ov, xPages, firstPage, expected; };
    const Case cases[] = {
        {kLineUp, 130, 0, 50, 1, 1, 122},   {kLineUp, 104, 0, 50, 1, 1, 100},   // inside: 8 up, not past the start
        {kLineUp, 200, 0, 50, 1, 2, 150},   {kLineUp, 200, 0, 50, 2, 2, 50},    // at a start: end of the previous
        {kLineUp, 200, 0, 0, 2, 2, 0},      {kLineUp, 200, 0, -30, 0, 2, 100},  // no overflow: whole screenfuls
        {kPageUp, 250, 0, 50, 3, 2, -100},  {kPageUp, 250, 0, 0, 0, 2, 100},
        {kLineDown, 100, 0, 50, 1, 1, 108}, {kLineDown, 146, 0, 50, 1, 1, 150}, {kLineDown, 150, 0, 50, 1, 1, 200},
        {kLineDown, 100, 0, 0, 2, 1, 300},  {kPageDown, 120, 0, 50, 2, 1, 300}, {kPageDown, 0, 0, 0, 0, 0, 100},
        {kThumbPosition, 130, 0, 50, 1, 4, 130}, {kThumbPosition, 130, 0, 0, 1, 4, 400},
        {kThumbTrack, 0, 137, 50, 1, 0, 132},    {kThumbTrack, 0, 151, 50, 1, 0, 200},
        {kThumbTrack, 0, 150, 50, 1, 0, 148},    {kThumbTrack, 0, 270, 0, 2, 0, 400},
        {kTop, 130, 0, 0, 1, 1, 130},            {kEndScroll, 130, 0, 0, 1, 1, 130},   {99, 7, 0, 0, 1, 0, 7},
    };
    for (const Case& c : cases) {
        VScrollState s{c.pos, c.track, 100, c.ov, c.xPages, c.firstPage};
        EXPECT_EQ(VScrollPosition(c.code, s), c.expected) << "code " << c.code << " pos " << c.pos;
    }
    EXPECT_EQ(VScrollPosition(kLineDown, VScrollState{40, 0, 0, 0, 1, 0}), 40) << "no page height: no move";
}

TEST(ScrollRules, KeysMoveTheCurrentPage) {
    using K = WorkspaceKey;
    struct Case { K key; KeyState s; int page, bar, code; };
    const Case cases[] = {
        {K::End, {0, 0, 1, 1, 0, 0}, 0, 0, 0},        {K::Home, {0, 0, 1, 1, 0, 0}, 0, 0, 0},
        {K::PageDown, {0, 0, 1, 1, 0, 0}, 0, 0, 0},   {K::End, {0, 1, 1, 1, 0, 0}, 0, 0, 0},
        {K::PageDown, {0, 10, 4, 2, 0, 0}, 4, 0, 0},  {K::PageDown, {8, 10, 4, 2, 0, 0}, 9, 0, 0},
        {K::PageUp, {5, 10, 4, 2, 0, 0}, 1, 0, 0},    {K::PageUp, {2, 10, 4, 2, 0, 0}, 0, 0, 0},
        {K::End, {3, 5, 1, 1, 0, 0}, 4, 0, 0},        {K::Home, {3, 5, 1, 1, 0, 0}, 0, 0, 0},
        {K::Left, {3, 5, 1, 1, 0, 0}, 2, 0, 0},       {K::Left, {3, 5, 1, 1, 1, 0}, 3, 1, kLineUp},
        {K::Right, {3, 5, 1, 1, 0, 5}, 4, 0, 0},      {K::Right, {3, 5, 1, 1, 7, 0}, 3, 1, kLineDown},
        {K::Up, {3, 5, 4, 2, 0, 0}, 1, 0, 0},         {K::Up, {3, 5, 4, 2, 0, 1}, 3, 2, kLineUp},
        {K::Down, {3, 5, 4, 2, 0, 0}, 4, 0, 0},       {K::Down, {3, 5, 4, 2, 9, 1}, 3, 2, kLineDown},
        {K::PageDown, {INT_MAX, INT_MAX, INT_MAX, 1, 0, 0}, INT_MAX - 1, 0, 0},
    };
    for (const Case& c : cases) {
        const KeyResult r = PageAfterKey(c.key, c.s);
        EXPECT_EQ(r.page, c.page) << static_cast<int>(c.key) << " from " << c.s.current;
        EXPECT_EQ(r.scrollBar, c.bar);
        if (c.bar) {
            EXPECT_EQ(r.scrollCode, c.code);
        }
    }
}

TEST(ScrollRules, WheelCountsNotches) {
    struct Case { int delta, ov, count, code; };
    const Case cases[] = {{120, 0, 1, kLineUp}, {-120, 0, 1, kLineDown}, {-120, 1, 3, kLineDown},
                          {-2400, 5, 3, kLineDown}, {-119, 0, 1, kLineUp}, {INT_MIN, 0, 1, kLineDown}};
    for (const Case& c : cases) {
        const WheelResult r = WheelScroll(c.delta, c.ov);
        EXPECT_EQ(r.count, c.count) << c.delta;
        EXPECT_EQ(r.code, c.code) << c.delta;
    }
}

}  // namespace
