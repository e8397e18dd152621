#pragma once
// The preview workspace: owns the printer settings record and records the pages against it;
// while the preview is open, its window lays the recorded pages out (one page, a grid, or a
// fixed zoom), scrolls and paints them. The object lives as long as the control.
#include <windows.h>
#include <set>
#include "AccessibleBase.h"
#include "IDefaultSettings.h"
#include "PrintJob.h"
#include "Window.h"
#include "MarginHandles.h"
#include "platform/Gdi.h"
#include "WorkspaceGeometry.h"
#include "printing/PageSetupDialog.h"
#include "ScaledCursors.h"

class CHostEMFPages;
class CPrintFindBar;
class CPrintToolBar;

class CPrintWorkspace : public CWindow {
public:
    // The view: pages across and down, zoom; kept in the user's profile between previews.
    class PrintContext {
    public:
        virtual ~PrintContext() = default;
        virtual void SetPages(int x, int y, int zoomFixed);
        virtual void SetZoom(int zoom, int pageWidth, int zoomFixed);
        virtual void SetPageWidth();
        virtual bool IsZoomFixed() const { return ZoomFixed != 0; }
        virtual bool IsPageWidth() const { return PageWidth != 0; }
        virtual int GetZoom() const { return Zoom < 10 ? 10 : Zoom; }
        virtual int GetXPages() const { return XPages; }
        virtual int GetYPages() const { return YPages; }
        virtual int GetPagesPerScreen() const { return XPages * YPages; }
        virtual void Save() const;
        virtual void Load();
        virtual void Restore();
        virtual void Backup(int tag);
        // A magnified view waits for its Restore; the zoom it was magnified from.
        bool HasBackup() const { return backedUp_; }
        int BackupZoom() const { return tag_; }

        int XPages = 1, YPages = 1, Zoom = 100, ZoomFixed = 0, PageWidth = 0;

    private:
        int saved_[5] = {1, 1, 100, 0, 0};
        int tag_ = 0;
        bool backedUp_ = false;
    };

    // Zoom list index to zoom: a percent, or -1 Page Width, -2 Whole Page, -3 Two Pages.
    static constexpr int kZoomTable[11] = {500, 200, 150, 100, 75, 50, 25, 10, -1, -2, -3};

    CPrintWorkspace(IDefaultSettings& defaults, CHostEMFPages& pages, CPrintToolBar& toolbar);
    ~CPrintWorkspace() override;

    CPageSetupDialog& Settings() { return settings_; }
    CHostEMFPages& Pages() { return pages_; }
    // The workspace window; null while no preview is open.
    HWND Window() const { return IsWindow() ? Handle() : nullptr; }
    HWND Create(HWND frame);

    // Records every page for the settings record's printer and page setup; without a
    // printer device context nothing is recorded (and the pages recorded before stay).
    void RecordPages();
    // Lays the pages out again; with reload, records them anew first. Fires Refreshing and
    // Refresh around the outermost call. Runs without a window too (print, export).
    void Refresh(bool invalidate, bool reload);
    // DoPrint of the control: without an open preview, the page-setup dialog first (when
    // showUI; cancelling prints nothing) and a fresh recording; then the print job.
    void DoPrint(bool showUI);
    // Completes a pending recording.
    void CompleteRecording() {}
    // The find box whose keys, toolbar item and marks the workspace passes on.
    void SetFindBar(CPrintFindBar* bar) { findBar_ = bar; }
    // Makes a recorded page current and scrolls it into view.
    void ShowPage(int page);
    // On a page taller than the window: scrolls so that `y` pixels below the top of the page
    // shown first come a third of the way down the window.
    void ScrollWithinPage(int y);
    // The print job on the pages as they are recorded.
    void Print();
    // The area the user selected for printing (none: the page range is printed).
    PrintSelection& Selection() { return selection_; }

    void SetShowMargins(bool show) { showMargins_ = show; }
    bool ShowMargins() const { return showMargins_; }
    const PrintContext& Context() const { return context_; }
    int CurrentPage() const { return currentPage_; }
    int FirstPage() const { return firstPage_; }

    // Layout in client pixels; meaningful while the window exists.
    int GetZoomPercent();
    geometry::Size GetPageSize();
    geometry::Size GetPageSize100();
    geometry::Size GetFitSize();
    geometry::Rect GetSpacing() const;
    std::vector<geometry::PlacedPage> VisiblePages();
    // The page under a client point, or -1; its rectangle in *rect.
    int HitTestPage(POINT point, RECT* rect);
    void EnsureVisible(int page, bool scroll, bool invalidate);
    // The grid that fits at the smallest page size (columns low, rows high), 3 x 3 without a printer.
    LRESULT LargestGrid();
    void DrawView(HDC dc, const RECT& client);

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void OnCreate();
    void OnDestroy();
    void OnPaint();
    void OnCommand(int id);
    void OnLoadPage(long index);
    void OnMagnify(LPARAM entry);
    void OnStatusTimer();
    // Input (CPrintWorkspaceInput.cpp).
    void OnVScroll(int code);
    void OnHScroll(int code);
    void OnKeyDown(WPARAM key);
    void OnMouseWheel(int delta);
    void OnLButtonDown(POINT point);
    void OnLButtonDblClk(POINT point);
    void OnRButtonDown(POINT point);
    void OnMouseMove(POINT point);
    bool OnSetCursor();
    // The object screen readers get (WorkspaceAccessible.cpp).
    LRESULT AnswerAccessible(WPARAM wParam, LPARAM lParam);
    // The magnifier on the current page, and panning it (CPrintWorkspaceInput.cpp).
    void Magnify(POINT point);
    bool IsPannable();
    // The margin guides on the current page (CPrintWorkspaceMargins.cpp).
    bool MarginGuidesShown() const;
    int HitTestMarginHandle(POINT point) const;
    RECT GetMarginHandleRect(int handle) const;
    void DragMargin(int handle, POINT point);
    long MarginValueAt(int handle);
    void StoreMargin(int handle, long value);
    // Ctrl+double-click on a handle: this margin takes the opposite one's value.
    void CopyOppositeMargin(int handle);
    void DrawMarginGuides(HDC dc, const RECT& page);
    void ShowMarginTip(POINT point);
    void SetPaneText(int pane, const std::string& text);
    void SetZoomCaption(int percent);
    void FitPagesToZoom();
    void UpdateScrollBars(UINT hMaskOff, UINT vMaskOff);
    void SetScrollRange(int bar, const geometry::ScrollRange& range, UINT maskOff);
    void DrawPage(int index, HDC dc, const RECT& rect, const std::set<int>& printSet);
    const std::set<int>& PrintSet();
    geometry::Size ClientSize() const;
    geometry::Size Paper();
    bool HasPrinterSetup();

    IDefaultSettings& defaults_;
    CPageSetupDialog settings_;
    DWORD pageSetupError_ = 0;  // a failed page-setup dialog stops re-recording
    CHostEMFPages& pages_;
    CPrintToolBar& toolbar_;
    bool showMargins_ = true;
    int firstPage_ = 0;
    int currentPage_ = 0;
    int magnifyZoom_ = 100;
    int savedFirstPage_ = 0;  // firstPage_ before magnifying
    PrintContext context_;
    geometry::Size overflow_;
    PrintSelection selection_;
    int scrollDepth_ = 0;
    bool selecting_ = false;  // a right-button selection is being dragged
    // The guides as last drawn (valid while they show), and the one being dragged with its
    // place before the drag.
    MarginGuides guides_;
    bool guidesValid_ = false;
    int dragHandle_ = 0;
    MarginGuides dragReference_;
    Bitmap handleBitmaps_[2];  // left/right and top/bottom handles, loaded on first use
    CScaledCursors cursors_;   // the magnifier's, at the frame's resolution
    std::set<int> printSet_;  // of printSetText_ for printSetCount_ pages
    std::string printSetText_;
    int printSetCount_ = -1;  // scroll bars coming and going resize the window: bound the echo
    CAccessLink<CPrintWorkspace> access_;
    CPrintFindBar* findBar_ = nullptr;
};
