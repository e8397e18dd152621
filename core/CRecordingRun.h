#pragma once
// One recording of every provider's pages, advanced one step at a time (a provider begun, a
// page recorded or redecorated, a provider ended), so that a long document can be recorded in
// short slices between the host's messages as well as all at once.
#include "ComPtr.h"
#include "Tavrin_h.h"
#include <windows.h>
#include <commdlg.h>
#include <memory>
#include <vector>

class CHostEMFPages;

class CRecordingRun {
public:
    // `keep` holds whatever keeps `reference` alive (the printer's device context) for the run.
    CRecordingRun(CHostEMFPages& store, std::vector<ComPtr<IPrintExt>> providers, HDC reference,
                  const PAGESETUPDLGA* setup, std::shared_ptr<void> keep);
    CRecordingRun(const CRecordingRun&) = delete;
    CRecordingRun& operator=(const CRecordingRun&) = delete;

    // One step; false once every provider is done. Runs with the run's provider current.
    bool Step();
    // The provider being recorded (what a provider meddling from inside DrawPage made current).
    ComPtr<IPrintExt>& Provider() { return provider_; }
    // The user asked to stop: the provider under way ends after its page, the rest are skipped.
    void Stop() { stopped_ = true; }

private:
    enum class Phase { NextProvider, Pages, Redecorate, ProviderEnd };
    bool BeginProvider();
    void RecordPage();

    CHostEMFPages& store_;
    const std::vector<ComPtr<IPrintExt>> providers_;
    const HDC reference_;
    const PAGESETUPDLGA* const setup_;
    const std::shared_ptr<void> keep_;
    Phase phase_ = Phase::NextProvider;
    size_t next_ = 0;           // the next provider of the list
    ComPtr<IPrintExt> provider_;
    long count_ = 0;            // pages the provider announced
    long index_ = 0;            // its pages recorded so far
    bool goOn_ = true;
    bool stopped_ = false;
    long pagesSoFar_ = 0;       // of the providers before it
    size_t first_ = 0;          // its first page in the store
    size_t redecorate_ = 0;     // the next of its pages to decorate again
};
