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
    bool visible, control = false, active = true, agrees = true, button = false;
};
constexpr R::Point kIn{10, 10}, kIn2{20, 10}, kOut{500, 10};
constexpr unsigned kShown = R::kStopDelay | R::kShow | R::kStartDisplay, kStart = R::kStartDelay;

TEST(CommentRules, TimerStepsTable) {
    const struct {
        const char* name;
        std::vector<Step> steps;
        bool content = true;
        uint32_t delay = 500;
    } cases[] = {
        {"a rest shows, a move before the delay does not",
         {{RequestOn, kIn, kStart, false}, {Delay, kIn2, R::kStopDelay, false}, {RequestOn, kIn2, kStart, false},
          {Delay, kIn2, kShown, true}}},
        {"a timeout keeps it away until the pointer leaves the owner",
         {{RequestOn, kIn, kStart, false}, {Delay, kIn, kShown, true}, {Display, kIn, R::kStopDisplay | R::kHide, false},
          {RequestOn, kIn2, 0, false}, {Track, kIn2, 0, false}, {RequestOn, {30, 10}, 0, false},
          {Track, kOut, 0, false}, {RequestOn, kIn2, kStart, false}}},
        {"Control held keeps it; a move over it restarts the display time",
         {{RequestOn, kIn, kStart, false}, {Delay, kIn, kShown, true}, {Display, kIn, R::kStartDisplay, true, true},
          {Move, kIn, R::kStartDisplay, true}, {Display, kIn, R::kStopDisplay | R::kHide, false}}},
        {"tracking hides when the pointer leaves, the owner is inactive or the callback refuses",
         {{Request, kIn, kStart, false}, {Delay, kIn, kShown, true}, {Track, kIn, 0, true},
          {Track, kIn, R::kHide, false, false, false}, {Request, kIn2, kStart, false}, {Delay, kIn2, kShown, true},
          {Track, kIn2, R::kHide, false, false, true, false}, {Request, kIn, kStart, false},
          {Delay, kIn, kShown, true}, {Track, kOut, R::kHide, false}}},
        {"no request starts outside the owner, refused, inactive, or where it was last hidden",
         {{RequestOn, kOut, 0, false}, {RequestOn, kIn, 0, false, false, true, false},
          {RequestOn, kIn, 0, false, false, false}, {Hide, kIn2, 0, false}, {RequestOn, kIn2, 0, false},
          {Request, kIn2, kStart, false}}},
        {"a button held at the end of the delay shows nothing",
         {{RequestOn, kIn, kStart, false}, {Delay, kIn, R::kStopDelay, false, false, true, true, true}}},
        {"new texts hide a shown tooltip and leave the show pending",
         {{RequestOn, kIn, kStart, false}, {Delay, kIn, kShown, true}, {Texts, kIn, R::kHide, false},
          {RequestOn, kIn, 0, false}, {RequestOn, kIn2, kStart, false}, {Delay, kIn2, kShown, true},
          {RequestOff, kIn2, R::kHide, false}}},
        {"shown at a point, the timers leave it alone until Hide",
         {{ShowAt, kOut, R::kShow | R::kStopDelay | R::kStopDisplay, true}, {Display, kOut, R::kStopDisplay, true},
          {Track, kOut, 0, true}, {Delay, kOut, R::kStopDelay, true}, {Hide, kOut, R::kHide, false},
          {Track, kOut, 0, false}}},
        {"nothing to show never shows",
         {{RequestOn, kIn, 0, false}, {Delay, kIn, R::kStopDelay, false}, {ShowAt, kIn, 0, false}}, false},
        {"a delay of 0 switches the rests off", {{RequestOn, kIn, 0, false}}, true, 0},
    };
    for (const auto& c : cases) {
        R rules;
        rules.SetOwnerRect({0, 0, 100, 30});
        rules.SetContent(c.content);
        rules.showDelay = c.delay;
        for (size_t n = 0; n < c.steps.size(); ++n) {
            const Step& s = c.steps[n];
            const R::World w{s.mouse, s.active, s.agrees, s.button, s.control};
            const unsigned got = s.op == Request      ? rules.RequestShow(w)
                                 : s.op == RequestOn  ? rules.RequestShow(true, w)
                                 : s.op == RequestOff ? rules.RequestShow(false, w)
                                 : s.op == Delay      ? rules.OnDelayTimer(w)
                                 : s.op == Display    ? rules.OnDisplayTimer(w)
                                 : s.op == Track      ? rules.OnTrackTimer(w)
                                 : s.op == ShowAt     ? rules.ShowAt(w)
                                 : s.op == Hide       ? rules.Hide(w)
                                 : s.op == Texts      ? rules.TextsChanged(w)
                                                      : rules.OnMouseMove();
            EXPECT_EQ(got, s.effects) << c.name << ", step " << n;
            EXPECT_EQ(rules.Visible(), s.visible) << c.name << ", step " << n;
        }
    }
}

}  // namespace
