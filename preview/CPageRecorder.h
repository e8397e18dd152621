#pragma once
// Drives the page store's pending recording: a few pages at once when asked (the first
// screenful, the whole document), the rest in short slices from the message loop of the
// workspace window, so that the preview shows and answers while a long document records.
// Holds the refresh bracket open from the start of a recording to its last page, so that
// Refreshing fires when it starts and Refresh when it ends.
#include <windows.h>
#include <commdlg.h>
#include <functional>
#include <memory>
#include "CPrintRecalcLayout.h"
#include "IUnkWindowObject.h"
#include "printing/DCPrinter.h"

class CHostEMFPages;

class CPageRecorder {
public:
    static constexpr UINT_PTR kSliceTimer = 1001;

    CPageRecorder(IDefaultSettings& defaults, CHostEMFPages& pages) : defaults_(defaults), pages_(pages) {}
    ~CPageRecorder();
    CPageRecorder(const CPageRecorder&) = delete;
    CPageRecorder& operator=(const CPageRecorder&) = delete;

    // Whom to keep alive while a slice runs (a provider or an event may let the host's last
    // reference go).
    void SetOwner(IUnkWindowObject* owner) { owner_ = owner; }
    // Runs when a recording is over, before Refresh fires (the view takes in the last pages).
    void SetOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }
    // Starts recording for `printer` (kept until the last page). With a window the slices run
    // from its timer `kSliceTimer`; without one, call Complete.
    void Start(std::unique_ptr<CDCPrinter> printer, const PAGESETUPDLGA* setup, HWND window);
    bool Pending() const;
    // Records until `pages` pages exist or the recording ends (ESC still stops it).
    void RecordUntil(long pages);
    void Complete();
    // The timer's turn: about 15 ms of recording.
    void OnSlice();
    // ESC in the preview: the pages so far stay, the rest are not asked for.
    void Stop();
    // The window goes: the recording ends without another page, the pages with it.
    void Cancel();
    // While a modal dialog of the preview runs, the slices wait.
    class CPause {
    public:
        explicit CPause(CPageRecorder& r) : r_(r) { ++r_.paused_; }
        ~CPause() { --r_.paused_; }
        CPause(const CPause&) = delete;
        CPause& operator=(const CPause&) = delete;

    private:
        CPageRecorder& r_;
    };

private:
    // Records while `more` says so; ends the bracket when the recording is over.
    template <class More>
    void Run(More more);
    // The recording is over: the timer stops and Refresh fires, which may end this object.
    void Finish();

    IDefaultSettings& defaults_;
    CHostEMFPages& pages_;
    IUnkWindowObject* owner_ = nullptr;
    std::function<void()> onEnd_;
    HWND window_ = nullptr;
    std::unique_ptr<CPrintRecalcLayout> bracket_;
    int paused_ = 0;
};
