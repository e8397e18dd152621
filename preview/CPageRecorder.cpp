#include "CPageRecorder.h"
#include "CHostEMFPages.h"
#include "WaitCursor.h"
#include <chrono>
#include <climits>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;
// Long enough to record a few pages, short enough that input and painting never wait long.
constexpr auto kSlice = std::chrono::milliseconds(15);

// One reference on the Print object for as long as it lives; its release may end the object,
// so it holds nothing of the recorder.
class CKeepOwner {
public:
    explicit CKeepOwner(IUnkWindowObject* owner) : owner_(owner) {
        if (owner_) owner_->AddRefObject();
    }
    ~CKeepOwner() {
        if (owner_) owner_->ReleaseObject();
    }
    CKeepOwner(const CKeepOwner&) = delete;
    CKeepOwner& operator=(const CKeepOwner&) = delete;

private:
    IUnkWindowObject* owner_;
};

}  // namespace

CPageRecorder::~CPageRecorder() {
    if (Pending()) pages_.ClearPages();
    bracket_.reset();
}

bool CPageRecorder::Pending() const { return pages_.RecordingPending(); }

void CPageRecorder::Start(std::unique_ptr<CDCPrinter> printer, const PAGESETUPDLGA* setup, HWND window) {
    // A provider asking for a new recording from inside its DrawPage: the one under way goes on.
    if (!printer || pages_.InsideProviderCall()) return;
    auto bracket = std::make_unique<CPrintRecalcLayout>(defaults_);
    HDC reference = printer->GetSafeHdc();
    pages_.BeginRecording(reference, setup, std::shared_ptr<CDCPrinter>(std::move(printer)));
    std::swap(bracket_, bracket);  // a recording replaced ends nested in this one: no event
    window_ = window;
    if (window_) SetTimer(window_, kSliceTimer, USER_TIMER_MINIMUM, nullptr);
}

template <class More>
void CPageRecorder::Run(More more) {
    CKeepOwner keep(owner_);  // first in, last out
    while (more() && pages_.RecordStep()) {
    }
    if (!Pending() && bracket_) Finish();
}

void CPageRecorder::RecordUntil(long pages) {
    Run([this, pages] { return pages_.GetCount() < pages; });
}

void CPageRecorder::Complete() {
    if (!Pending() && !bracket_) return;
    CWaitCursor wait;
    Run([] { return true; });
}

void CPageRecorder::OnSlice() {
    // A provider pumping messages inside its DrawPage, or a dialog of the preview: later.
    if (paused_ || pages_.InsideProviderCall()) return;
    if (!Pending() && !bracket_) {
        if (window_) KillTimer(window_, kSliceTimer);
        return;
    }
    CKeepOwner keep(owner_);  // this recorder is still here when the slice re-arms its timer
    const Clock::time_point end = Clock::now() + kSlice;
    const HWND window = window_;
    Run([end] { return Clock::now() < end; });
    // The next slice counts from now: a host's loop that empties the queue (DoEvents) finds it
    // empty for a moment and returns, instead of recording the whole document inside itself.
    if (window && window == window_ && Pending()) SetTimer(window, kSliceTimer, USER_TIMER_MINIMUM, nullptr);
}

void CPageRecorder::Stop() { pages_.StopRecording(); }

void CPageRecorder::Cancel() {
    pages_.ClearPages();
    if (Pending() || !bracket_) return;  // inside a provider's call: its step ends the recording
    Finish();
}

void CPageRecorder::Finish() {
    if (window_ && IsWindow(window_)) KillTimer(window_, kSliceTimer);
    window_ = nullptr;
    if (onEnd_) onEnd_();
    std::unique_ptr<CPrintRecalcLayout> bracket = std::move(bracket_);
    bracket.reset();  // Refresh fires: the host may close the preview or release the control
}
