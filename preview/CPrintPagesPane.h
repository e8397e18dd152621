#pragma once
// The pages pane: a column of page thumbnails at the left of the preview frame, each with its
// number below it, the current page framed and pages outside the print set tinted. A click or
// the keys make a page current in the workspace; F4 shows and hides the pane, Ctrl+G opens the
// go-to box. Only the rows in view are drawn, from a bounded cache of small bitmaps. Whether it
// shows and its width are kept in the profile beside the view settings.
#include <windows.h>
#include <cstdint>
#include <string>
#include "AccessibleBase.h"
#include "CGoToPageBox.h"
#include "PagesPaneRules.h"
#include "ThumbnailCache.h"
#include "Window.h"

class CPrintWorkspace;
class CPrintToolBar;

class CPrintPagesPane : public CWindow {
public:
    static constexpr int kToggleItem = 107;  // toolbar items a host may add to its layout
    static constexpr int kGoToItem = 108;
    static constexpr int kPageNameItem = 130;  // "Page %i", a thumbnail's accessible name
    static constexpr int kGoToLabelItem = 131;
    static constexpr int kPaneNameItem = 132;

    CPrintPagesPane(CPrintWorkspace& workspace, CPrintToolBar& toolbar);
    ~CPrintPagesPane() override;

    // The pane window of the frame, shown when the profile says it was at the last close.
    HWND Create(HWND frame);
    // Lays the pane out at the left of `area` (frame client coordinates); answers the room it
    // took, its gap included: 0 while hidden or yielding to a narrow frame.
    int Place(const RECT& area);
    bool IsShown() const { return shown_; }
    void Toggle();
    void OpenGoTo();

    // F4 and Ctrl+G, from the workspace's keys or the pane's: true when taken.
    bool OnPreviewKey(WPARAM key, LPARAM flags);
    // Toolbar items 107 and 108 reaching the workspace: true when taken.
    bool OnCommand(int id);
    // A page was recorded ("PM_LOADPAGE"): its thumbnail is drawn anew when it shows.
    void OnPageArrived(long index);

    // What the accessible object reads.
    int PageCount() const;
    int CurrentPage() const;
    std::string PageName(int index) const;
    std::string PaneName() const;
    // A thumbnail in screen coordinates; empty when out of view.
    RECT ThumbnailOnScreen(int index) const;
    void MakeCurrent(int index);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    pane::Layout Layout() const;
    int ClientHeight() const;
    // Follows the workspace: page count, current page, print set; repaints what changed.
    void Sync();
    void UpdateScrollBar();
    void ScrollTo(int64_t scroll);
    void OnPaint();
    void OnVScroll(int code);
    void OnKeyDown(WPARAM key, LPARAM flags);
    void OnLButtonDown(POINT point);
    // Drags the right edge pressed at `start` (screen): the width follows; ESC puts it back.
    void DragEdge(POINT start);
    void Relayout();
    // Tab, Shift+Tab and F6 leave the pane: the frame chooses where the keyboard goes.
    void FocusNext(bool forward);
    // The object screen readers get (PagesPaneAccessible.cpp).
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);
    static void DrawThumbnail(void* self, int index, HDC dc, const RECT& rect);

    CPrintWorkspace& workspace_;
    CPrintToolBar& toolbar_;
    CThumbnailCache cache_{48};
    CGoToPageBox goTo_;
    bool shown_ = false;
    int width_ = pane::kDefaultWidth;
    int64_t scroll_ = 0;
    int lastCount_ = -1;
    int lastCurrent_ = -1;
    std::string lastTint_;  // the print set as last painted
    CAccessLink<CPrintPagesPane> access_;
};
