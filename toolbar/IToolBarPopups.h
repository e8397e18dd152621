#pragma once
// What the toolbar asks of the preview frame when a drop-down button is clicked: the pop-ups
// live with the preview windows, the toolbar only knows this interface.
#include <windows.h>
#include <string>
#include <vector>

class IToolBarPopups {
public:
    // A list of entries below a button (screen point: its bottom-left corner), modal while the
    // mouse button that opened it is held. True with the chosen index when one was chosen.
    virtual bool ShowList(POINT screen, const std::vector<std::string>& entries, int& chosen) = 0;
    // The pages chooser there, its grid at least 3 x 2 and grown to `grid` (columns in the low
    // word, rows in the high word). True with the chosen grid packed the same way.
    virtual bool ShowPages(POINT screen, long grid, long& chosen) = 0;

protected:
    ~IToolBarPopups() = default;
};
