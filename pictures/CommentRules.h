#pragma once
// When the tooltip shows and hides: the rules of its show-delay, display-time and tracking
// timers as plain decisions over what the window saw at each step (pointer, owner, keys). The
// window gathers those facts, asks here, and carries out the effects that come back.
#include <cstdint>

class CommentRules {
public:
    struct Point {
        int32_t x = 0, y = 0;
        bool operator==(const Point& o) const { return x == o.x && y == o.y; }
    };
    struct Rect {
        int32_t left = 0, top = 0, right = 0, bottom = 0;
        bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    };
    // What the window sees when it asks.
    struct World {
        Point mouse;              // as the message being handled saw it
        bool ownerActive = true;  // the owner is in the active window chain
        bool callbackAgrees = true;
        bool buttonDown = false;  // left or right
        bool controlDown = false;
    };
    // What the window does, as bits of the answer.
    enum Effect : unsigned {
        kNone = 0,
        kStartDelay = 1,    // the show-delay timer, once
        kStopDelay = 2,
        kStartDisplay = 4,  // the display-time timer
        kStopDisplay = 8,
        kShow = 16,         // lay out and show top-most, not activated
        kHide = 32,         // hide, not activated, and repaint what lay below
    };

    uint32_t showDelay = 500, displayTime = 5000;

    // Where the pointer must stay: the owner's window rectangle when the tooltip was placed.
    void SetOwnerRect(const Rect& r) { ownerRect_ = r; }
    const Rect& OwnerRect() const { return ownerRect_; }
    // Whether there is a title, body, object or picture to show.
    void SetContent(bool any) { content_ = any; }
    // Both times at least 1: otherwise nothing shows after a rest.
    bool Enabled() const { return showDelay >= 1 && displayTime >= 1; }

    bool Visible() const { return visible_; }
    bool Pending() const { return pending_; }
    bool Managed() const { return managed_; }
    bool HiddenByTimeout() const { return hiddenByTimeout_; }

    // New texts: a visible tooltip hides and leaves its show pending.
    unsigned TextsChanged(const World& w);
    // A show asked for: starts the delay when the owner may show it now.
    unsigned RequestShow(const World& w);
    // The same, but on = false hides, and on = true also waits for the pointer to leave the
    // owner after a timeout and for it to move since the last show or hide.
    unsigned RequestShow(bool on, const World& w);
    unsigned Show(const World& w);
    // Shown at once and left alone by the timers until Hide.
    unsigned ShowAt(const World& w);
    unsigned Hide(const World& w);
    unsigned OnDelayTimer(const World& w);
    unsigned OnDisplayTimer(const World& w);
    unsigned OnTrackTimer(const World& w);
    // The pointer moved over the tooltip: the display time counts from now.
    unsigned OnMouseMove() const { return managed_ && visible_ ? kStartDisplay : kNone; }
    // The window went away: nothing shows any more.
    void Destroyed() { visible_ = pending_ = false; }

private:
    Rect ownerRect_;
    Point requestedAt_, lastShownOrHidden_{INT32_MIN, INT32_MIN};
    bool content_ = false;
    bool visible_ = false, pending_ = false, managed_ = true, hiddenByTimeout_ = false;
};
