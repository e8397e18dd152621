#pragma once
// Where a key goes in the preview's keyboard route, and which pane Tab or F6 lands on: plain
// rules over numbers, so they build and are tested without Windows.
#include <vector>

// The virtual-key codes the route looks at (the system's VK_ values).
enum RouteKey : int {
    kKeyTab = 0x09, kKeyReturn = 0x0D, kKeyEscape = 0x1B, kKeySpace = 0x20,
    kKeyLeft = 0x25, kKeyUp = 0x26, kKeyRight = 0x27, kKeyDown = 0x28, kKeyF6 = 0x75
};

enum class KeyAction {
    Own,           // the toolbar's own: move between buttons, press one
    NextPane,      // Tab or F6: the frame moves the focus on
    PreviousPane,  // with Shift: back
    ToPages,       // Escape: the focus goes back to the pages
    HandOn,        // anything else: the pages' key handling takes it
};

// Tab and F6 move between panes in every window of the route; 0 (none of them) otherwise,
// 1 forward, -1 backward with Shift.
int PaneStep(int key, bool shift);

// A key pressed in the toolbar. Focused by the keyboard, it keeps the arrows, Return and Space;
// focused by a mouse click it keeps none of them, so the pages answer right after the click.
KeyAction ToolBarKeyAction(int key, bool shift, bool focusedByMouse);

// The pane after (or before) `current` among the candidates, in their order and round the end;
// `current` may be -1 (the focus is in none of them). -1 when no candidate is eligible.
int NextPane(const std::vector<bool>& eligible, int current, bool forward);
