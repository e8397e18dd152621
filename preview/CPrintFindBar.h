#pragma once
// The find box of the preview: a strip under the toolbar with the text to find, next and
// previous, and the count of matches. It finds the text in every recorded page, makes the
// page of a match current and marks the matches on the pages the workspace paints.
#include <windows.h>
#include <cstdint>
#include <string>
#include <vector>
#include "PageTextCache.h"
#include "Window.h"

class CHostEMFPages;
class CPrintToolBar;
class CPrintWorkspace;

class CPrintFindBar : public CWindow {
public:
    // Item captions of the box's texts; a host changes them with ItemCaption.
    enum Caption : long { kFindLabel = 120, kNotFound = 121, kCount = 122, kNext = 123, kPrevious = 124 };
    static constexpr long kToolbarItem = 106;

    CPrintFindBar(CPrintWorkspace& workspace, CHostEMFPages& pages, CPrintToolBar& toolbar);

    // The workspace's keys: Ctrl+F opens the box, F3 and Shift+F3 go to the next and the
    // previous match. False for any other key.
    bool OnWorkspaceKey(WPARAM key);
    void Open();
    // Hides the box, takes the marks off and gives the focus back to the pages.
    void Close();
    bool IsOpen() const { return IsWindow() && IsWindowVisible(Handle()); }
    // The next (or previous) match from the current one, wrapping around; the first from the
    // current page on when there is none yet.
    void Go(bool forward);
    // The height the frame gives the box under the toolbar; 0 while it is closed.
    int Height() const;
    // The matches on page `index` painted into `page` (its whole paper on the screen).
    void DrawMarks(int index, HDC dc, const RECT& page);

    // What the box shows: the count text, the number of matches and the 0-based current one.
    std::string CountText() const;
    size_t MatchCount() const { return matches_.size(); }
    long CurrentMatch() const { return current_; }
    static constexpr size_t kMatchesKept = 100000;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    struct Match {
        long page;
        uint32_t start, length;
        const CEMFPage* recorded;  // the page as it was searched: one recorded anew is not marked
        size_t bytes;
    };
    void OnCreate();
    void Layout();
    // Finds the edit field's text in every page again unless the text and the pages are as before.
    void Search();
    uint64_t PagesStamp() const;
    void ShowCount(const std::string& text);
    void ScrollToMatch(const Match& match);
    void Relayout();
    static LRESULT CALLBACK EditProc(HWND edit, UINT msg, WPARAM wParam, LPARAM lParam);

    CPrintWorkspace& workspace_;
    CHostEMFPages& pages_;
    CPrintToolBar& toolbar_;
    CPageTextCache texts_;
    HWND edit_ = nullptr, label_ = nullptr, next_ = nullptr, previous_ = nullptr, count_ = nullptr;
    WNDPROC editProc_ = nullptr;
    std::vector<Match> matches_;  // in page order
    long current_ = -1;
    std::u16string searched_;
    uint64_t stamp_ = 0;
};
