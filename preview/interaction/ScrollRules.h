#pragma once
// How the workspace's scroll positions, current page and wheel follow the
// scroll-bar codes and keys. Vertical positions count whole pages: the first
// page shown is position / page height; inside one screenful of pages that
// overflows the client area, lines of 8 pixels move within it.

// The scroll-bar request codes, numbered as the system's SB_* values.
enum ScrollCode {
    kLineUp = 0, kLineDown = 1, kPageUp = 2, kPageDown = 3,
    kThumbPosition = 4, kThumbTrack = 5, kTop = 6, kBottom = 7, kEndScroll = 8
};

struct VScrollState {
    int pos = 0;         // the bar's position
    int track = 0;       // the thumb's track position
    int pageHeight = 0;  // one page's height, > 0 to move at all
    int overflowY = 0;   // excess of a screenful over the client height
    int xPages = 1;      // pages across
    int firstPage = 0;
};

// The vertical position a code asks for; unknown codes keep it. The caller lets the
// bar clamp it to its range and takes firstPage = clamped position / page height.
int VScrollPosition(int code, const VScrollState& s);

// Horizontal: a line is a pixel, a page a page's width, the thumb goes where it is dragged.
int HScrollPosition(int code, int pos, int track, int pageWidth);

enum class WorkspaceKey { PageUp, PageDown, Home, End, Left, Right, Up, Down };

struct KeyResult {
    int page = 0;            // the current page afterwards, within 0 .. count - 1 (0 when none)
    int scrollBar = 0;       // 0 none, 1 horizontal, 2 vertical: post this bar a line request
    int scrollCode = 0;
};

struct KeyState {
    int current = 0, pageCount = 0, pagesPerScreen = 1, xPages = 1, overflowX = 0, overflowY = 0;
};

KeyResult PageAfterKey(WorkspaceKey key, const KeyState& s);

// The wheel: how many line requests and which. Whole notches only (delta / 120).
struct WheelResult {
    int count = 0;
    int code = kLineUp;
};
WheelResult WheelScroll(int delta, int overflowY);
