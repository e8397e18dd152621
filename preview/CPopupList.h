#pragma once
// The drop-down list under a toolbar button (the zoom list, a button's own entries): shown
// while the mouse button that opened it stays down; the entry under the pointer is selected.
#include <string>
#include <vector>
#include "Window.h"

class CPopupList : public CWindow {
public:
    explicit CPopupList(std::vector<std::string> items, HFONT font = nullptr)
        : items_(std::move(items)), font_(font) {}
    ~CPopupList() override { Destroy(); }
    // Modal until the press ends; true with the chosen entry's index.
    bool Show(int x, int y, int& index);
    // The room around the entries grows with the resolution (the font's own size with it).
    void SetDpi(int dpi) { dpi_ = dpi; }

private:
    int dpi_ = 96;
    std::vector<std::string> items_;
    HFONT font_;
};
