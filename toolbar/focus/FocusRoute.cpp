#include "FocusRoute.h"

#include <cstddef>

int PaneStep(int key, bool shift) {
    if (key != kKeyTab && key != kKeyF6) return 0;
    return shift ? -1 : 1;
}

KeyAction ToolBarKeyAction(int key, bool shift, bool focusedByMouse) {
    if (const int step = PaneStep(key, shift)) return step > 0 ? KeyAction::NextPane : KeyAction::PreviousPane;
    if (key == kKeyEscape) return KeyAction::ToPages;
    const bool own = key == kKeyReturn || key == kKeySpace || (key >= kKeyLeft && key <= kKeyDown);
    return own && !focusedByMouse ? KeyAction::Own : KeyAction::HandOn;
}

int NextPane(const std::vector<bool>& eligible, int current, bool forward) {
    const int count = static_cast<int>(eligible.size());
    if (count == 0) return -1;
    if (current < 0 || current >= count) current = forward ? -1 : count;
    for (int step = 1; step <= count; ++step) {
        const int at = ((forward ? current + step : current - step) % count + count) % count;
        if (eligible[static_cast<size_t>(at)]) return at;
    }
    return -1;
}
