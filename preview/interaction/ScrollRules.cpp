#include "ScrollRules.h"

#include <algorithm>

namespace {

// Positions are never negative; floor and truncation agree there.
int Screenful(int pos, int h) { return pos / h; }

}  // namespace

int VScrollPosition(int code, const VScrollState& s) {
    const int h = s.pageHeight;
    if (h <= 0) return s.pos;
    const int pos = std::max(s.pos, 0);
    const int ov = s.overflowY;
    const int step = std::max(s.xPages, 1);
    const int start = Screenful(pos, h) * h;  // where the current screenful begins
    switch (code) {
    case kLineUp:
        if (ov > 0 && pos > start) return std::max(start, pos - 8);
        if (ov > 0) return (Screenful(pos, h) - s.xPages) * h + ov;  // end of the previous screenful
        return (Screenful(pos, h) - step) * h;
    case kPageUp:
        return (Screenful(pos, h) - step) * h;
    case kLineDown:
        if (ov > 0 && pos < start + ov) return std::min(pos + 8, start + ov);
        return (Screenful(pos, h) + step) * h;
    case kPageDown:
        return (Screenful(pos, h) + step) * h;
    case kThumbPosition:
        return ov > 0 ? pos : s.firstPage * h;
    case kThumbTrack: {
        const int t = std::max(s.track, 0);
        const int b = Screenful(t, h) * h;
        if (ov > 0) return t > b + ov ? b + h : b + (t - b) / 8 * 8;
        return s.xPages * Screenful(t, h) * h;
    }
    default:
        return s.pos;
    }
}

int HScrollPosition(int code, int pos, int track, int pageWidth) {
    switch (code) {
    case kLineUp: return pos - 1;
    case kLineDown: return pos + 1;
    case kPageUp: return pos - pageWidth;
    case kPageDown: return pos + pageWidth;
    case kThumbPosition:
    case kThumbTrack: return track;
    default: return pos;
    }
}

KeyResult PageAfterKey(WorkspaceKey key, const KeyState& s) {
    KeyResult r;
    long long c = s.current;  // sums of hostile counts must not wrap
    switch (key) {
    case WorkspaceKey::PageUp: c -= s.pagesPerScreen; break;
    case WorkspaceKey::PageDown: c += s.pagesPerScreen; break;
    case WorkspaceKey::Home: c = 0; break;
    case WorkspaceKey::End: c = static_cast<long long>(s.pageCount) - 1; break;
    case WorkspaceKey::Left:
        if (s.overflowX < 1) --c;
        else r.scrollBar = 1, r.scrollCode = kLineUp;
        break;
    case WorkspaceKey::Right:
        if (s.overflowX < 1) ++c;
        else r.scrollBar = 1, r.scrollCode = kLineDown;
        break;
    case WorkspaceKey::Up:
        if (s.overflowY < 1) c -= s.xPages;
        else r.scrollBar = 2, r.scrollCode = kLineUp;
        break;
    case WorkspaceKey::Down:
        if (s.overflowY < 1) c += s.xPages;
        else r.scrollBar = 2, r.scrollCode = kLineDown;
        break;
    }
    c = std::min(c, static_cast<long long>(s.pageCount) - 1);
    r.page = static_cast<int>(std::max(c, 0LL));
    return r;
}

WheelResult WheelScroll(int delta, int overflowY) {
    WheelResult r;
    r.count = overflowY >= 1 ? 3 : 1;
    r.code = delta / 120 < 0 ? kLineDown : kLineUp;
    return r;
}
