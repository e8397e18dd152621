#include "CommentRules.h"

unsigned CommentRules::TextsChanged(const World& w) {
    if (!visible_) return kNone;
    const unsigned effects = Hide(w);
    pending_ = true;
    return effects;
}

unsigned CommentRules::RequestShow(const World& w) {
    requestedAt_ = w.mouse;
    pending_ = content_;
    if (!content_ || visible_ || !w.ownerActive || !ownerRect_.Contains(w.mouse) || !w.callbackAgrees) return kNone;
    return Enabled() ? kStartDelay : kNone;
}

unsigned CommentRules::RequestShow(bool on, const World& w) {
    if (!on) return visible_ ? Hide(w) : kNone;
    requestedAt_ = w.mouse;
    pending_ = content_;
    if (!content_ || visible_ || !w.ownerActive || !ownerRect_.Contains(w.mouse) || !w.callbackAgrees ||
        hiddenByTimeout_ || w.mouse == lastShownOrHidden_)
        return kNone;
    return Enabled() ? kStartDelay : kNone;
}

unsigned CommentRules::Show(const World& w) {
    if (w.buttonDown) return kNone;
    lastShownOrHidden_ = w.mouse;
    if (pending_ && content_) {
        pending_ = false;
        visible_ = true;
        return kShow | kStartDisplay;
    }
    if (!visible_) return kNone;
    visible_ = false;
    return kHide;
}

unsigned CommentRules::ShowAt(const World& w) {
    if (!content_) return kNone;
    managed_ = false;
    visible_ = true;
    pending_ = false;
    lastShownOrHidden_ = w.mouse;
    return kShow | kStopDelay | kStopDisplay;
}

unsigned CommentRules::Hide(const World& w) {
    managed_ = true;
    lastShownOrHidden_ = w.mouse;
    pending_ = false;
    if (!visible_) return kNone;
    visible_ = false;
    return kHide;
}

unsigned CommentRules::OnDelayTimer(const World& w) {
    if (!managed_) return kStopDelay;
    return kStopDelay | (w.mouse == requestedAt_ ? Show(w) : kNone);
}

unsigned CommentRules::OnDisplayTimer(const World& w) {
    if (!managed_ || !visible_) return kStopDisplay;
    if (w.controlDown) return kStartDisplay;  // kept while Control is held
    const unsigned effects = kStopDisplay | Hide(w);
    hiddenByTimeout_ = true;
    return effects;
}

unsigned CommentRules::OnTrackTimer(const World& w) {
    if (!managed_) return kNone;
    const bool inside = ownerRect_.Contains(w.mouse);
    if (!inside) hiddenByTimeout_ = false;
    if (visible_ && (!w.callbackAgrees || !inside || !w.ownerActive)) return Hide(w);
    return kNone;
}
