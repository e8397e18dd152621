#include "CEMFPage.h"
#include "CHostEMFPages.h"
#include "Gdi.h"
#include "MetafileBits.h"
#include "PackedBytes.h"
#include "PrintClipRect.h"
#include <algorithm>
#include <climits>
#include <type_traits>

namespace {

// Units per inch of the page setup's measurement unit.
int UnitsPerInch(DWORD flags) {
    if (flags & PSD_INTHOUSANDTHSOFINCHES) return 1000;
    if (flags & PSD_INHUNDREDTHSOFMILLIMETERS) return 2540;
    return 1;
}

// A device whose resolution and size can be asked; anything else cannot carry a page.
bool HasResolution(HDC dc) {
    return dc && GetDeviceCaps(dc, LOGPIXELSX) > 0 && GetDeviceCaps(dc, LOGPIXELSY) > 0 &&
           GetDeviceCaps(dc, HORZRES) > 0 && GetDeviceCaps(dc, VERTRES) > 0;
}

// pixels * size / resolution in hundredths of a millimetre, rounded, in 64 bits: a host may
// put paper sizes whose product with the device size does not fit 32.
LONG FrameUnits(int pixels, int sizeMm, int resolution) {
    const long long scaled = static_cast<long long>(pixels) * sizeMm * 100;
    const long long half = (scaled < 0 ? -resolution : resolution) / 2;
    const long long units = (scaled + half) / resolution;
    return static_cast<LONG>(std::max<long long>(INT_MIN, std::min<long long>(INT_MAX, units)));
}

RECT Scaled(const RECT& r, int numX, int denX, int numY, int denY) {
    return RECT{MulDiv(r.left, numX, denX), MulDiv(r.top, numY, denY), MulDiv(r.right, numX, denX),
                MulDiv(r.bottom, numY, denY)};
}

// The comment between a page's body and its decorations; taken out again when the page closes.
constexpr char kDecorationsTag[8] = {'T', 'v', 'D', 'e', 'c', 'o', 'r', '1'};

}  // namespace

CEnhMetaFileHolder::~CEnhMetaFileHolder() { Delete(); }

RECT CEnhMetaFileHolder::Play(HDC dc, const RECT& rect) {
    if (HENHMETAFILE h = GetHandle()) PlayEnhMetaFile(dc, h, &rect);
    return rect;
}

HENHMETAFILE CEnhMetaFileHolder::GetHandle() const {
    if (!handle_ && !bits_.empty()) {
        const std::vector<BYTE> raw = Bits();
        if (!raw.empty()) handle_ = SetEnhMetaFileBits(static_cast<UINT>(raw.size()), raw.data());
        if (handle_) OnHandleMade();
    }
    return handle_;
}

std::vector<BYTE> CEnhMetaFileHolder::Bits() const {
    if (!rawSize_) return bits_;
    std::vector<BYTE> raw;
    packedbytes::Unpack(bits_, rawSize_, dictionary_.get(), raw);
    return raw;
}

void CEnhMetaFileHolder::ReleaseHandle() const {
    if (handle_) DeleteEnhMetaFile(handle_);
    handle_ = nullptr;
}

void CEnhMetaFileHolder::Delete() {
    ReleaseHandle();
    bits_.clear();
    bits_.shrink_to_fit();
    rawSize_ = 0;
    dictionary_.reset();
}

std::vector<BYTE> CEnhMetaFileHolder::TakeBits(HENHMETAFILE metafile) {
    if (!metafile) return {};
    std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, decltype(&DeleteEnhMetaFile)> owned(metafile,
                                                                                             &DeleteEnhMetaFile);
    std::vector<BYTE> raw(GetEnhMetaFileBits(metafile, 0, nullptr));
    if (!raw.empty()) GetEnhMetaFileBits(metafile, static_cast<UINT>(raw.size()), raw.data());
    return raw;
}

void CEnhMetaFileHolder::KeepBits(const std::vector<BYTE>& raw, std::shared_ptr<const std::vector<BYTE>> dictionary) {
    Delete();
    std::vector<BYTE> packed = packedbytes::Pack(raw, dictionary.get());
    // Should deflating ever fail, the page keeps its bytes as they are rather than lose them.
    if (packed.empty()) {
        bits_ = raw;
        return;
    }
    bits_ = std::move(packed);
    rawSize_ = raw.size();
    dictionary_ = std::move(dictionary);
}

CEMFPage::CRecording::~CRecording() {
    if (dc_) DeleteEnhMetaFile(CloseEnhMetaFile(dc_));
}

HENHMETAFILE CEMFPage::CRecording::Finish() {
    HENHMETAFILE metafile = dc_ ? CloseEnhMetaFile(dc_) : nullptr;
    dc_ = nullptr;
    return metafile;
}

RECT CEMFPage::Play(HDC dc, const RECT& rect) {
    RECT client = rect;
    const int w = pageDevice_.right - pageDevice_.left;
    const int h = pageDevice_.bottom - pageDevice_.top;
    // A page never recorded has no size to scale its margins by: all of it is client.
    if (w > 0 && h > 0) {
        const int rw = rect.right - rect.left;
        const int rh = rect.bottom - rect.top;
        client.left += MulDiv(margins_.left, rw, w);
        client.right -= MulDiv(margins_.right, rw, w);
        client.top += MulDiv(margins_.top, rh, h);
        client.bottom -= MulDiv(margins_.bottom, rh, h);
    }
    CEnhMetaFileHolder::Play(dc, rect);
    return client;
}

std::unique_ptr<CEMFPage::CRecording> CEMFPage::Open(CHostEMFPages& store, HDC reference) {
    const PAGESETUPDLGA none{};
    const PAGESETUPDLGA& setup = pageSetup_ ? *pageSetup_ : none;
    const int unit = UnitsPerInch(setup.Flags);
    const int dpiX = GetDeviceCaps(reference, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(reference, LOGPIXELSY);
    pageDevice_ = RECT{0, 0, MulDiv(setup.ptPaperSize.x, dpiX, unit), MulDiv(setup.ptPaperSize.y, dpiY, unit)};
    margins_ = Scaled(setup.rtMargin, dpiX, unit, dpiY, unit);

    // The frame is the paper in hundredths of a millimetre, as the device measures itself.
    const int horzSize = GetDeviceCaps(reference, HORZSIZE), horzRes = GetDeviceCaps(reference, HORZRES);
    const int vertSize = GetDeviceCaps(reference, VERTSIZE), vertRes = GetDeviceCaps(reference, VERTRES);
    const RECT frame{FrameUnits(pageDevice_.left, horzSize, horzRes), FrameUnits(pageDevice_.top, vertSize, vertRes),
                     FrameUnits(pageDevice_.right, horzSize, horzRes),
                     FrameUnits(pageDevice_.bottom, vertSize, vertRes)};
    auto recording = std::make_unique<CRecording>(CreateEnhMetaFileA(reference, nullptr, &frame, nullptr));

    const RECT clientDevice = ClientDevice();
    const SIZE screen = store.ScreenDpi();
    clientScreen_ = Scaled(clientDevice, screen.cx, dpiX, screen.cy, dpiY);
    pageScreen_ = Scaled(pageDevice_, screen.cx, dpiX, screen.cy, dpiY);

    HDC dc = recording->DC();
    if (!dc) return recording;  // kept without metafile
    // One logical unit is one screen pixel; the logical page starts at (0, 0).
    SetMapMode(dc, MM_ANISOTROPIC);
    SetViewportExtEx(dc, pageDevice_.right - pageDevice_.left, pageDevice_.bottom - pageDevice_.top, nullptr);
    SetWindowExtEx(dc, pageScreen_.right - pageScreen_.left, pageScreen_.bottom - pageScreen_.top, nullptr);
    return recording;
}

RECT CEMFPage::ClientDevice() const {
    return RECT{pageDevice_.left + margins_.left, pageDevice_.top + margins_.top, pageDevice_.right - margins_.right,
                pageDevice_.bottom - margins_.bottom};
}

std::unique_ptr<CEMFPage::CRecording> CEMFPage::Record(BodyProc body, BeforeProc before, CHostEMFPages& store,
                                                       HDC reference, bool* continueOut) {
    Delete();
    hasMetafile_ = 0;
    decorationsAt_ = 0;
    if (continueOut) *continueOut = false;
    // Without a usable reference there is nothing to measure against: the page stays
    // empty, and its empty client rectangle ends its provider.
    if (!HasResolution(reference)) return std::make_unique<CRecording>(nullptr);
    auto recording = Open(store, reference);
    HDC dc = recording->DC();
    if (!dc) return recording;
    CSelectObject font(dc, store.FontHandle());
    if (before) before(dc, clientScreen_, pageScreen_, store);
    if (body) {
        CPrintClipRect clip(dc, ClientDevice());
        const bool goOn = body(dc, ClientDevice(), store);
        if (continueOut) *continueOut = goOn;
    }
    return recording;
}

void CEMFPage::MarkDecorations(HDC dc) {
    if (dc) GdiComment(dc, sizeof kDecorationsTag, reinterpret_cast<const BYTE*>(kDecorationsTag));
}

void CEMFPage::Redecorate(CHostEMFPages& store, HDC reference) {
    if (!decorationsAt_ || !HasResolution(reference)) return;
    const std::vector<BYTE> body = metafilebits::CutAt(Bits(), decorationsAt_);
    std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, decltype(&DeleteEnhMetaFile)> played(
        SetEnhMetaFileBits(static_cast<UINT>(body.size()), body.data()), &DeleteEnhMetaFile);
    if (!played) return;
    auto recording = Open(store, reference);
    if (HDC dc = recording->DC()) {
        PlayEnhMetaFile(dc, played.get(), &pageScreen_);
        MarkDecorations(dc);
        store.DrawDecorations(*this, *recording);
    }
    Close(std::move(recording));
}

CEMFPage::~CEMFPage() {
    if (store_) store_->ForgetHandle(this);
}

void CEMFPage::OnHandleMade() const {
    if (store_) store_->HandleMade(this);
}

void CEMFPage::Close(std::unique_ptr<CRecording> recording) {
    if (!recording) return;
    std::vector<BYTE> raw = TakeBits(recording->Finish());
    decorationsAt_ = metafilebits::RemoveComment(raw, kDecorationsTag, sizeof kDecorationsTag);
    KeepBits(raw, store_ && !raw.empty() ? store_->PackingDictionary(raw) : nullptr);
    hasMetafile_ = !bits_.empty();
}
