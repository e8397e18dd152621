#include "CRecordingRun.h"
#include "CHostEMFPages.h"
#include "Keyboard.h"
#include <algorithm>
#include <utility>

CRecordingRun::CRecordingRun(CHostEMFPages& store, std::vector<ComPtr<IPrintExt>> providers, HDC reference,
                             const PAGESETUPDLGA* setup, std::shared_ptr<void> keep)
    : store_(store), providers_(std::move(providers)), reference_(reference), setup_(setup), keep_(std::move(keep)) {}

bool CRecordingRun::Step() {
    switch (phase_) {
    case Phase::NextProvider:
        return BeginProvider();
    case Phase::Pages:
        if (goOn_ && index_ < count_) {
            RecordPage();
            return true;
        }
        pagesSoFar_ += index_;
        // A provider that stopped short of its count made every "<%count%>" wrong: its pages
        // are decorated again, one step each, with the count it reached.
        phase_ = Phase::ProviderEnd;
        if (store_.decorationCount_ != pagesSoFar_) {
            store_.decorationCount_ = pagesSoFar_;
            redecorate_ = first_;
            phase_ = Phase::Redecorate;
        }
        return true;
    case Phase::Redecorate:
        if (redecorate_ < store_.pages_.size()) {
            store_.pages_[redecorate_++]->Redecorate(store_, reference_);
            return true;
        }
        phase_ = Phase::ProviderEnd;
        return true;
    case Phase::ProviderEnd:
        store_.decorationCount_ = -1;
        phase_ = Phase::NextProvider;
        store_.OnProviderEnd();
        return true;
    }
    return false;
}

bool CRecordingRun::BeginProvider() {
    while (next_ < providers_.size() && !providers_[next_]) ++next_;  // an empty slot is skipped
    if (next_ >= providers_.size() || stopped_ || store_.clearRequested_) return false;
    provider_ = providers_[next_++];
    store_.currentProvider_ = provider_;
    count_ = store_.QueryPageCount();
    store_.OnProviderStart();
    first_ = store_.pages_.size();
    store_.decorationCount_ = pagesSoFar_ + std::max(count_, 0L);
    index_ = 0;
    goOn_ = true;
    phase_ = Phase::Pages;
    return true;
}

void CRecordingRun::RecordPage() {
    // Each page is closed as soon as it is drawn, so a recording holds one metafile device
    // context however long the document: the decorations go in right after the body.
    store_.pages_.push_back(std::make_unique<CEMFPage>(setup_, &store_));
    CEMFPage* page = store_.pages_.back().get();
    store_.currentPageIndex_ = index_;
    if (store_.page_) store_.page_->SetIndex(index_);
    auto recording = page->Record(&CHostEMFPages::DrawPageBody, nullptr, store_, reference_, &goOn_);
    page->SetIndex(pagesSoFar_ + index_);
    if (recording) {
        CEMFPage::MarkDecorations(recording->DC());
        store_.DrawDecorations(*page, *recording);
        page->Close(std::move(recording));
    }
    store_.OnPageRecorded(pagesSoFar_ + index_);
    ++index_;
    if (goOn_) goOn_ = !IsRectEmpty(&page->ClientRect());
    if (goOn_) goOn_ = !EscapePressed() && !stopped_ && !store_.clearRequested_;
}
