#pragma once
// One recorded page: an enhanced metafile drawn against the printer's device
// context, with the page's geometry in printer and in screen pixels.
#include <windows.h>
#include <commdlg.h>
#include <memory>
#include <vector>

class CHostEMFPages;

// Keeps one enhanced metafile as its bytes, deflated: a closed page costs a little memory, not a
// GDI object. The handle is made from the bytes when someone plays, exports or copies the page,
// and kept until the holder lets it go (a page store keeps a few, for the pages on screen).
class CEnhMetaFileHolder {
public:
    CEnhMetaFileHolder() = default;
    virtual ~CEnhMetaFileHolder();
    CEnhMetaFileHolder(const CEnhMetaFileHolder&) = delete;
    CEnhMetaFileHolder& operator=(const CEnhMetaFileHolder&) = delete;

    // Plays the metafile stretched into `rect`; returns `rect`.
    virtual RECT Play(HDC dc, const RECT& rect);
    // Null when there is no metafile.
    virtual HENHMETAFILE GetHandle() const;
    virtual void Delete();
    // Drops the handle made from the bytes; the bytes stay.
    void ReleaseHandle() const;
    bool HasHandle() const { return handle_ != nullptr; }
    // The metafile's bytes as recorded; empty without a metafile.
    std::vector<BYTE> Bits() const;
    // What the page holds in memory for its metafile.
    size_t StoredSize() const { return bits_.size(); }

protected:
    // The bytes of a closed metafile, which is deleted; throws std::bad_alloc (the handle goes too).
    static std::vector<BYTE> TakeBits(HENHMETAFILE metafile);
    // Keeps `raw` as the page's metafile, deflated against `dictionary` when given.
    void KeepBits(const std::vector<BYTE>& raw, std::shared_ptr<const std::vector<BYTE>> dictionary = nullptr);
    // A handle was just made from the bytes.
    virtual void OnHandleMade() const {}

    std::vector<BYTE> bits_;  // deflated when rawSize_ is not 0
    size_t rawSize_ = 0;
    std::shared_ptr<const std::vector<BYTE>> dictionary_;  // shared by the pages of a recording
    mutable HENHMETAFILE handle_ = nullptr;
};

class CEMFPage : public CEnhMetaFileHolder {
public:
    // A page between Record and Close: the metafile's device context. A
    // recording dropped without Close discards its metafile.
    class CRecording {
    public:
        explicit CRecording(HDC dc) : dc_(dc) {}
        ~CRecording();
        CRecording(const CRecording&) = delete;
        CRecording& operator=(const CRecording&) = delete;

        HDC DC() const { return dc_; }
        // Ends the recording; the metafile, or null when there was none.
        HENHMETAFILE Finish();

    private:
        HDC dc_;
    };

    // Draws the page body, clipped to `client` (reference-device pixels); answers whether to go on.
    using BodyProc = bool (*)(HDC dc, const RECT& client, CHostEMFPages& store);
    // Runs before the body, unclipped; client and page rectangles in screen pixels.
    using BeforeProc = void (*)(HDC dc, const RECT& client, const RECT& page, CHostEMFPages& store);

    // `setup` (not owned) gives paper and margins in its measurement unit.
    CEMFPage(const PAGESETUPDLGA* setup, CHostEMFPages* store) : pageSetup_(setup), store_(store) {}

    // Plays the page into `rect` and returns the part of `rect` inside the margins.
    RECT Play(HDC dc, const RECT& rect) override;
    // Opens the page's metafile against `reference`, runs `before` and `body` into it and
    // leaves it open for the decorations; *continueOut gets the body's answer (false without one).
    virtual std::unique_ptr<CRecording> Record(BodyProc body, BeforeProc before, CHostEMFPages& store,
                                               HDC reference, bool* continueOut);
    virtual void Close(std::unique_ptr<CRecording> recording);
    ~CEMFPage() override;

    // Marks the end of the body in an open recording: what follows are the decorations.
    static void MarkDecorations(HDC dc);
    // Records the page again with the body it has and fresh decorations: the decorations drawn
    // first assumed a page count that the provider did not reach.
    void Redecorate(CHostEMFPages& store, HDC reference);

    long Index() const { return index_; }
    void SetIndex(long index) { index_ = index; }
    bool HasMetafile() const { return hasMetafile_ != 0; }
    const PAGESETUPDLGA* PageSetup() const { return pageSetup_; }
    CHostEMFPages* Store() const { return store_; }
    // Reference-device pixels.
    const RECT& PageRect() const { return pageDevice_; }
    const RECT& Margins() const { return margins_; }
    // Screen pixels: the logical unit of the recorded page.
    const RECT& ClientRect() const { return clientScreen_; }
    const RECT& PageRectScreen() const { return pageScreen_; }

protected:
    void OnHandleMade() const override;

private:
    // A new metafile for the page against `reference`, mapped to screen pixels.
    std::unique_ptr<CRecording> Open(CHostEMFPages& store, HDC reference);
    RECT ClientDevice() const;

    const PAGESETUPDLGA* pageSetup_;
    RECT pageDevice_{};
    RECT margins_{};  // left, top, right, bottom
    long index_ = 0;
    int hasMetafile_ = 0;
    RECT clientScreen_{};
    RECT pageScreen_{};
    CHostEMFPages* store_;
    size_t decorationsAt_ = 0;  // byte offset of the decorations in the metafile, 0 when unknown
};
