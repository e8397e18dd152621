// The workspace's side of recording: starting it for the printer, the first screenful at
// once, the rest in slices, and what each recorded page changes on screen.
#include "CHostEMFPages.h"
#include "CPrintWorkspace.h"
#include "CPrintPagesPane.h"
#include "toolbar/CPrintToolBar.h"
#include <algorithm>
#include <climits>
#include <cstdio>

void CPrintWorkspace::RecordPages() {
    // Called first thing (a print or an export before any preview), the record is still
    // without its printer: load the default one, as every other first use does.
    if (!settings_.Record().hDevMode) settings_.LoadDefaults(nullptr);
    std::unique_ptr<CDCPrinter> printer = settings_.CreatePrinterDC();
    if (!printer) return;
    following_ = false;
    recorder_.Start(std::move(printer), &settings_.Record(), Window());
    if (!Window()) recorder_.Complete();
}

void CPrintWorkspace::CompleteRecording() { recorder_.Complete(); }

void CPrintWorkspace::RecordScreenful(bool oneSliceMore) {
    if (!Window() || !recorder_.Pending()) return;
    const long last = static_cast<long>(firstPage_) + context_.GetPagesPerScreen();
    recorder_.RecordUntil(std::min<long>(last, INT_MAX));
    // Then one slice at once: a short document is whole when this returns, as it always was.
    if (oneSliceMore) recorder_.OnSlice();
}

void CPrintWorkspace::FollowRecording() { following_ = recorder_.Pending(); }

void CPrintWorkspace::OnLoadPage(long index) {
    if (pagesPane_) pagesPane_->OnPageArrived(index);
    const int perScreen = context_.GetPagesPerScreen();
    const bool inView = index >= firstPage_ && index < firstPage_ + perScreen;
    // Pages far from the screen arrive by the hundred: the scroll bars, which redraw at once,
    // follow them a few times a second (the status timer catches up with the rest).
    const DWORD now = GetTickCount();
    if (inView || following_ || !recorder_.Pending() || now - scrollShown_ >= kScrollPeriod) {
        scrollShown_ = now;
        UpdateScrollBars(4, 4);
        scrolledCount_ = pages_.GetCount();
    }
    if (following_) {
        // The newest page becomes current; the view moves on only when it leaves the screen.
        currentPage_ = static_cast<int>(index);
        const int f = geometry::FirstPageShowing(currentPage_, firstPage_, context_.GetXPages(), perScreen,
                                                 static_cast<int>(pages_.GetCount()));
        if (f != firstPage_) {
            firstPage_ = f;
            SetScrollPos(Handle(), SB_VERT, f * GetPageSize().cy, TRUE);
        }
        InvalidateRect(Handle(), nullptr, FALSE);  // painted between slices
    } else if (inView) {
        InvalidateRect(Handle(), nullptr, FALSE);
        UpdateWindow(Handle());
    }
    // The total is the count the provider being recorded announced, as long as there is one.
    const long announced = pages_.AnnouncedPageCount();
    char text[1024];
    snprintf(text, sizeof(text), "%s...%li/%li%s", toolbar_.ItemCaption(8).c_str(), index + 1,
             announced >= 0 ? announced : index + 1, toolbar_.ItemCaption(9).c_str());
    SetPaneText(0, text);
}
