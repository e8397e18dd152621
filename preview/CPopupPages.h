#pragma once
// The pages chooser under the toolbar's Multiple Pages button: a grid of page cells, at least
// Columns x Rows, of which the pointer picks how many pages go across and down.
#include <string>
#include "Window.h"
#include "scaling/DpiScale.h"

class CPopupPagesBase : public CWindow {
public:
    CPopupPagesBase(int minColumns, int minRows) : minColumns_(minColumns), minRows_(minRows) {}
    // Cells of 24 x 24 pixels on a 26-pixel pitch at 96 DPI, in proportion above.
    void SetDpi(int dpi) { metrics_ = dpi::Chooser(dpi); }
    int Pitch() const { return metrics_.pitch; }
    ~CPopupPagesBase() override;
    // Modal until the press ends; `grid` offers columns (low word) by rows (high word), grown
    // to at least the minimum. True with the choice packed the same way.
    bool Show(int x, int y, long grid, long& chosen);
    // The choice for a client point: columns and rows under it, 0 x 0 outside the grid.
    void Choose(POINT p);
    int ChosenColumns() const { return chosenColumns_; }
    int ChosenRows() const { return chosenRows_; }
    // The text under the grid: "%i x %i Pages", or "Cancel" without a choice.
    std::string Text() const;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc);

    int minColumns_, minRows_;
    int columns_ = 0, rows_ = 0;
    int chosenColumns_ = 0, chosenRows_ = 0;
    HICON icon_ = nullptr;
    dpi::ChooserMetrics metrics_ = dpi::Chooser(dpi::kBase);
};

template <int Columns, int Rows>
class CPopupPages : public CPopupPagesBase {
public:
    CPopupPages() : CPopupPagesBase(Columns, Rows) {}
};
