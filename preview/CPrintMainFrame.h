#pragma once
// The preview frame: a top-level window with the toolbar at the top, the workspace in the
// middle and the status bar at the bottom. The object lives as long as the control; the
// window comes with Preview() and goes when the user closes it.
#include <string>
#include "CPrintFindBar.h"
#include "CPrintStatusBar.h"
#include "CPrintWorkspace.h"
#include "IUnkWindowObject.h"
#include "Window.h"
#include "toolbar/CPrintToolBar.h"
#include "toolbar/IToolBarPopups.h"

class CPrintMainFrame : public CWindow, public IToolBarPopups {
public:
    CPrintMainFrame(IDefaultSettings& defaults, CHostEMFPages& pages, IUnkWindowObject& owner);
    ~CPrintMainFrame() override;

    // Opens the frame titled after `plainCaption` (empty: "Untitled Document"); nothing when
    // it is open already.
    void Preview(const std::string& plainCaption);
    void SetAutoRelease(bool autoRelease) { autoRelease_ = autoRelease; }

    CPrintWorkspace& Workspace() { return workspace_; }
    CPrintToolBar& ToolBar() { return toolbar_; }
    CPrintStatusBar& StatusBar() { return statusBar_; }
    CPrintFindBar& FindBar() { return findBar_; }

    // IToolBarPopups
    bool ShowList(POINT screen, const std::vector<std::string>& entries, int& chosen) override;
    bool ShowPages(POINT screen, long grid, long& chosen) override;

protected:
    LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnFinalMessage() override;

private:
    void OnCreate();
    void OnSize();
    void OnClose();
    void OnPaint();
    // WM_DPICHANGED: the new resolution is kept on the frame, the window takes the suggested
    // rectangle (when it is one) and everything is measured and laid out again.
    void OnDpiChanged(int dpi, const RECT* suggested);

    IUnkWindowObject& owner_;
    CPrintToolBar toolbar_;  // before the workspace, which reads its captions
    CPrintWorkspace workspace_;
    CPrintStatusBar statusBar_;
    CPrintFindBar findBar_;  // docked under the toolbar while open
    bool autoRelease_ = true;
    bool holdsOwner_ = false;  // the reference taken at creation, dropped at destruction
    bool firstLayout_ = true;
};
