#pragma once
// The small box that asks for a page number: a label and an edit field over the top left of
// the pages. Return hands the text to the box's owner, which either takes it (the box closes)
// or refuses it (a beep; the text is selected for another try); Escape or leaving it closes it.
#include <functional>
#include <string>
#include "Window.h"

class CGoToPageBox : public CWindow {
public:
    // Answers whether the text was taken.
    using Commit = std::function<bool(const std::string& text)>;

    CGoToPageBox() = default;
    ~CGoToPageBox() override;

    // Opens the box as a child of `frame` at `at` (frame client coordinates) with the keyboard
    // in it; the focus goes back to `returnFocus` when it closes. Open already: focused again.
    void Open(HWND frame, POINT at, const std::string& label, HWND returnFocus, Commit commit);
    void Close();
    HWND Edit() const { return edit_.Handle(); }

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    // The edit field: a system edit whose Return, Escape and focus loss go to the box.
    class CNumberEdit : public CWindow {
    public:
        explicit CNumberEdit(CGoToPageBox& box) : box_(box) {}
        HWND Create(HWND parent, const RECT& rect);

    protected:
        LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

    private:
        CGoToPageBox& box_;
    };

    void OnReturn();
    void OnPaint();

    CNumberEdit edit_{*this};
    std::string label_;
    HWND returnFocus_ = nullptr;
    Commit commit_;
    bool closing_ = false;
};
