#pragma once
// The page store: the document properties that decorate every page, the page
// providers, the shared page object and (once recorded) the pages themselves.
#include "ComPtr.h"
#include "CEMFPage.h"
#include "CHostHTMLIcons.h"
#include "CPage.h"
#include "CRecordingRun.h"
#include "ExtraCaption.h"
#include "Tavrin_h.h"
#include "Variant.h"
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CHostEMFPages : public CHostHTMLIcons {
public:
    CHostEMFPages();
    virtual ~CHostEMFPages();
    CHostEMFPages(const CHostEMFPages&) = delete;
    CHostEMFPages& operator=(const CHostEMFPages&) = delete;

    // Null, or an object without IPrintExt: E_NOTIMPL and nothing changes.
    virtual HRESULT SetPrintExt(IUnknown* object);
    // Records every page of every provider (the current one first, then the list) as a
    // metafile against `reference`, with paper and margins from `setup` (not owned).
    virtual void LoadPages(HDC reference, const PAGESETUPDLGA* setup);
    // The same recording, pending: the pages come one RecordStep at a time. `keep` keeps
    // `reference` alive until the run ends. Nothing starts from inside a provider's call.
    void BeginRecording(HDC reference, const PAGESETUPDLGA* setup, std::shared_ptr<void> keep);
    // Records the next page of a pending recording (or begins or ends a provider); false when
    // it is over, or when a provider's call is under way (providers never nest).
    bool RecordStep();
    bool RecordingPending() const { return run_ != nullptr; }
    bool InsideProviderCall() const { return recording_; }
    // The user stopped the recording: the provider under way ends, the others are skipped.
    void StopRecording() {
        if (run_) run_->Stop();
    }
    // PageCount of the current provider; 0 when it fails. Sets the announced count.
    virtual long QueryPageCount();
    virtual long GetCount() const { return static_cast<long>(pages_.size()); }
    // Ends a pending recording too. While recording (a preview closed from inside DrawPage)
    // the recording stops after the page under way and the pages go when it ends.
    virtual void ClearPages();
    // The pages whose metafile handle is made: a few are kept (the pages on screen, the page
    // being printed), the oldest let go when more are made.
    void HandleMade(const CEnhMetaFileHolder* page);
    // What the pages of the recording under way are deflated against: made of the first one.
    std::shared_ptr<const std::vector<BYTE>> PackingDictionary(const std::vector<BYTE>& sample);
    // The last recording ran out of memory; the pages it recorded before are kept.
    bool RecordingFailed() const { return recordingFailed_; }
    void ForgetHandle(const CEnhMetaFileHolder* page);
    static constexpr size_t kHandlesKept = 32;
    // Adds a recorded page to the print set or takes it out; with invert the set then
    // becomes its complement. The page range text is rewritten from the set.
    void TogglePage(long page, bool invert);
    // Throws std::out_of_range for an index outside the recorded pages.
    virtual CEMFPage& GetPage(long index) const { return *pages_.at(static_cast<size_t>(index)); }
    // Progress of a recording; the Print object turns them into preview messages.
    virtual void OnPageRecorded(long globalIndex) {}
    virtual void OnProviderEnd() {}
    virtual void OnProviderStart() {}
    virtual void SetExtraCaption(const std::string& key, const std::string& caption, long position,
                                 long alignment);
    // Page number, extra captions in key order, then the document caption, drawn into each
    // page right after its body.
    virtual void DrawDecorations(CEMFPage& page, CEMFPage::CRecording& recording);
    // One caption record into the footer or header band of page n; nothing for an empty text.
    virtual void DrawPageCaption(const ExtraCaption& record, HDC dc, long n, const RECT& footer,
                                 const RECT& header);

    // The page body of every recording: the current provider's DrawPage into the page
    // (or, with AsScreen, into a screen bitmap copied onto it), then the page frame.
    static bool DrawPageBody(HDC dc, const RECT& ignored, CHostEMFPages& store);
    // The outline of PageFrameStyle/PageFrameColor around `rect`; nothing when the style is 0.
    void DrawPageFrame(HDC dc, const RECT& rect) const;
    // The control's font as a handle for selecting into a page; null without a font.
    HFONT FontHandle() const;
    // The screen's pixels per inch, read at construction and again at each recording:
    // asking the screen for every page would cost more than most pages take to draw.
    SIZE ScreenDpi() const { return screenDpi_; }

    long CurrentPageIndex() const { return currentPageIndex_; }
    // The last provider's answer to PageCount; -1 before any recording.
    long AnnouncedPageCount() const { return announcedPageCount_; }
    HDC ReferenceDC() const { return referenceDC_; }
    const PAGESETUPDLGA* PageSetup() const { return pageSetup_; }

    // Automation side of the providers.
    HRESULT PutPrintExt(IUnknown* object);
    HRESULT GetPrintExt(IUnknown** out) const;
    HRESULT PutPrintExts(const VARIANT& value);
    HRESULT GetPrintExts(VARIANT* out) const;
    bool HasProvider() const { return currentProvider_ || !providers_.empty(); }

    // Finds a provider in a VARIANT: the object itself, or (one level) its "Object" member.
    static bool GetPrintExtFromVariant(const VARIANT& value, ComPtr<IPrintExt>& found);

    // Document properties.
    ExtraCaption documentCaption_;
    Variant options_;
    VARIANT_BOOL showPageNumbers_ = VARIANT_TRUE;
    VARIANT_BOOL asScreen_ = VARIANT_FALSE;
    long pageNumbersPosition_ = kFooter;
    long pageNumbersAlignment_ = kAlignRight;
    std::string pageNumberFormat_ = "<%page%>";
    long startPageNumber_ = 1;
    long pageFrameStyle_ = 0;
    OLE_COLOR pageFrameColor_ = 0;
    ComPtr<IFont> font_;
    std::map<std::string, ExtraCaption> extraCaptions_;
    std::string pageRange_;

protected:
    // A text in caption mark-up with this store as its host, aligned 0, 1 or 2, into band.
    void DrawBandText(HDC dc, const std::string& text, int alignment, const RECT& band);
    // Asks the current provider to draw one page into `dc`; answers whether it wants to go on.
    bool CallDrawPage(HDC dc);

    // Drops the providers; the Print object also closes an open preview here.
    virtual void ReleaseProviders();

    friend class CRecordingRun;
    void EndRecording();

    // The page count "<%count%>" shows in the decorations being drawn.
    int DecorationCount() const { return static_cast<int>(decorationCount_ >= 0 ? decorationCount_ : GetCount()); }

    std::deque<const CEnhMetaFileHolder*> handles_;  // oldest first; outlives the pages
    std::vector<std::unique_ptr<CEMFPage>> pages_;
    long decorationCount_ = -1;  // the page count the decorations show; -1: the pages recorded
    bool recordingFailed_ = false;  // the last recording ran out of memory
    SIZE screenDpi_{};
    std::unique_ptr<CRecordingRun> run_;  // the pending recording, if any
    std::shared_ptr<const std::vector<BYTE>> dictionary_;  // of the last recording
    bool recording_ = false;  // inside a step of the run: a provider may be at work
    bool clearRequested_ = false;  // ClearPages came while recording
    long currentPageIndex_ = 0;
    long announcedPageCount_ = -1;
    HDC referenceDC_ = nullptr;                // of the last recording, not owned
    const PAGESETUPDLGA* pageSetup_ = nullptr;  // of the last recording, not owned
    ComPtr<IPrintExt> currentProvider_;
    std::vector<ComPtr<IPrintExt>> providers_;
    ComPtr<IPage> pageObject_;
    CPage* page_ = nullptr;  // the object behind pageObject_
};
