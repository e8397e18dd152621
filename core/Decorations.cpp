// The decorations every recorded page carries: page number, extra captions and
// the document caption, each a caption in mark-up drawn into a margin band.
#include "CHostEMFPages.h"
#include "Gdi.h"
#include "HTMLCaptionDraw.h"
#include "PageText.h"
#include "Text.h"
#include "scaling/DpiScale.h"

namespace {

struct Bands {
    RECT header;
    RECT footer;
};

// Header: the top margin, footer: the bottom margin, both as wide as the client area.
Bands BandsOf(const CEMFPage& page) {
    const RECT& c = page.ClientRect();
    const RECT& p = page.PageRectScreen();
    return Bands{RECT{c.left, p.top, c.right, c.top}, RECT{c.left, c.bottom, c.right, p.bottom}};
}

}  // namespace

void CHostEMFPages::DrawBandText(HDC dc, const std::string& text, int alignment, const RECT& band) {
    if (text.empty()) return;
    CHTMLCaption caption;
    caption.SetCaption(text, this);
    caption.SetAlignment(alignment);
    // The page's unit is the screen pixel: icons keep their printed size at any resolution.
    caption.SetIconSize(dpi::PageIconSize(screenDpi_.cy));
    htmlwin::DrawCaption(caption, dc, band, nullptr, true);
}

void CHostEMFPages::DrawPageCaption(const ExtraCaption& record, HDC dc, long n, const RECT& footer,
                                    const RECT& header) {
    const int alignment = ResolveAlignment(static_cast<int>(n), record.Alignment);
    const RECT& band = record.Position == kFooter ? footer : header;
    const std::string text = record.Caption.ToAnsi();
    DrawBandText(dc, FormatPageText(text, static_cast<int>(n), startPageNumber_, DecorationCount()),
                 alignment, band);
}

void CHostEMFPages::DrawDecorations(CEMFPage& page, CEMFPage::CRecording& recording) {
    HDC dc = recording.DC();
    if (!dc) return;
    const long n = page.Index() + 1;
    const Bands bands = BandsOf(page);
    // What the provider left behind (colours, alignment, origins) is not the decorations' look.
    CSaveDC keep(dc);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    CSelectObject font(dc, FontHandle());

    if (showPageNumbers_ && !pageNumberFormat_.empty()) {
        const std::string text =
            FormatPageText(pageNumberFormat_, static_cast<int>(n), startPageNumber_, DecorationCount());
        DrawBandText(dc, text, ResolveAlignment(static_cast<int>(n), pageNumbersAlignment_),
                     pageNumbersPosition_ == kFooter ? bands.footer : bands.header);
    }
    for (const auto& entry : extraCaptions_) {
        const Bands fresh = bands;
        DrawPageCaption(entry.second, dc, n, fresh.footer, fresh.header);
    }
    DrawPageCaption(documentCaption_, dc, n, bands.footer, bands.header);
}
