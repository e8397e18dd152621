#include "PaneFocus.h"

#include <vector>

#include "AccessibleBase.h"
#include "toolbar/focus/FocusRoute.h"

void MoveToNextPane(HWND frame, bool forward) {
    HWND focus = GetFocus();
    std::vector<HWND> panes;
    std::vector<bool> eligible;
    int current = -1;
    for (HWND child = GetWindow(frame, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == focus || IsChild(child, focus)) current = static_cast<int>(panes.size());
        panes.push_back(child);
        eligible.push_back(IsWindowVisible(child) && IsWindowEnabled(child) &&
                           (GetWindowLongPtrA(child, GWL_STYLE) & WS_TABSTOP));
    }
    const int next = NextPane(eligible, current, forward);
    if (next >= 0 && next != current) FocusAndTell(panes[static_cast<size_t>(next)]);
}
