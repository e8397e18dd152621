// The tooltip's timer rules, step by step: what each event asks of the window.
#include <gtest/gtest.h>

#include <vector>

#include "pictures/CommentRules.h"

namespace {

using R = CommentRules;
enum Op { Request, RequestOn, RequestOff, Delay, Display, Track, ShowAt, Hide, Texts, Move };

struct Step {
    Op op;
    R::Point mouse;
    unsigned effects;
    bool visible;
    bool control = false, active = true, agrees = true, button = false;
};

struct Case {
    const char* name;
    std::vector<Step> steps;
    bool content = true;
    uint32_t delay = 500;
};

constexpr R::Point kIn{10, 10}, kIn2{20, 10}, kOut{500, 10};
constexpr unsigned kShown = R::kStopDelay | R::kShow | R::kStartDisplay;

TEST(CommentRules, TimerStepsTable) {
    const Case cases[] = {
        {"a rest shows, a move before the delay does not",
         {{RequestOn, kIn, R::kStartDelay, false}, {Delay, kIn2, R::kStopDelay, false},
          {RequestOn, kIn2, R::kStartDelay, false}, {Delay, kIn2, kShown, true}}},
        {"a timeout keeps it away until the pointer leaves the owner",
         {{RequestOn, kIn, R::kStartDelay, false}, {Delay, kIn, kShown, true},
          {Display, kIn, R::kStopDisplay | R::kHide, false}, {RequestOn, kIn2, R::kNone, false},
          {Track, kIn2, R::kNone, false}, {RequestOn, {30, 10}, R::kNone, false}, {Track, kOut, R::kNone, false},
          {RequestOn, kIn2, R::kStartDelay, false}}},
        {"Control held keeps it; a move over it restarts the display time",
         {{RequestOn, kIn, R::kStartDelay, false}, {Delay, kIn, kShown, true},
          {Display, kIn, R::kStartDisplay, true, true}, {Move, kIn, R::kStartDisplay, true},
          {Display, kIn, R::kStopDisplay | R::kHide, false}}},
        {"tracking hides when the pointer leaves, the owner is inactive or the callback refuses",
         {{Request, kIn, R::kStartDelay, false}, {Delay, kIn, kShown, true}, {Track, kIn, R::kNone, true},
          {Track, kIn, R::kHide, false, false, false}, {Request, kIn2, R::kStartDelay, false},
          {Delay, kIn2, kShown, true}, {Track, kIn2, R::kHide, false, false, true, false},
          {Request, kIn, R::kStartDelay, false}, {Delay, kIn, kShown, true}, {Track, kOut, R::kHide, false}}},
        {"no request starts outside the owner, refused, inactive, or where it was last hidden",
         {{RequestOn, kOut, R::kNone, false}, {RequestOn, kIn, R::kNone, false, false, true, false},
          {RequestOn, kIn, R::kNone, false, false, false}, {Hide, kIn2, R::kNone, false},
          {RequestOn, kIn2, R::kNone, false}, {Request, kIn2, R::kStartDelay, false}}},
        {"a button held at the end of the delay shows nothing",
         {{RequestOn, kIn, R::kStartDelay, false}, {Delay, kIn, R::kStopDelay, false, false, true, true, true}}},
        {"new texts hide a shown tooltip and leave the show pending",
         {{RequestOn, kIn, R::kStartDelay, false}, {Delay, kIn, kShown, true}, {Texts, kIn, R::kHide, false},
          {RequestOn, kIn, R::kNone, false}, {RequestOn, kIn2, R::kStartDelay, false}, {Delay, kIn2, kShown, true},
          {RequestOff, kIn2, R::kHide, false}}},
        {"shown at a point, the timers leave it alone until Hide",
         {{ShowAt, kOut, R::kShow | R::kStopDelay | R::kStopDisplay, true}, {Display, kOut, R::kStopDisplay, true},
          {Track, kOut, R::kNone, true}, {Delay, kOut, R::kStopDelay, true}, {Hide, kOut, R::kHide, false},
          {Track, kOut, R::kNone, false}}},
        {"nothing to show never shows", {{RequestOn, kIn, R::kNone, false}, {Delay, kIn, R::kStopDelay, false},
                                          {ShowAt, kIn, R::kNone, false}}, false},
        {"a delay of 0 switches the rests off", {{RequestOn, kIn, R::kNone, false}}, true, 0},
    };
    for (const Case& c : cases) {
        R rules;
        rules.SetOwnerRect({0, 0, 100, 30});
        rules.SetContent(c.content);
        rules.showDelay = c.delay;
        int n = 0;
        for (const Step& s : c.steps) {
            const R::World w{s.mouse, s.active, s.agrees, s.button, s.control};
            unsigned got = 0;
            switch (s.op) {
            case Request: got = rules.RequestShow(w); break;
            case RequestOn: got = rules.RequestShow(true, w); break;
            case RequestOff: got = rules.RequestShow(false, w); break;
            case Delay: got = rules.OnDelayTimer(w); break;
            case Display: got = rules.OnDisplayTimer(w); break;
            case Track: got = rules.OnTrackTimer(w); break;
            case ShowAt: got = rules.ShowAt(w); break;
            case Hide: got = rules.Hide(w); break;
            case Texts: got = rules.TextsChanged(w); break;
            case Move: got = rules.OnMouseMove(); break;
            }
            EXPECT_EQ(got, s.effects) << c.name << ", step " << n;
            EXPECT_EQ(rules.Visible(), s.visible) << c.name << ", step " << n;
            ++n;
        }
    }
}

}  // namespace
