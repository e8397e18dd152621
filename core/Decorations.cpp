// The decorations every recorded page carries: page number, extra captions and
// the document caption, each a caption in mark-up drawn into a margin band.
#include "CHostEMFPages.h"
#include "Gdi.h"
#include "HTMLCaptionDraw.h"
#include "PageText.h"
#include "Text.h"

namespace {

// Captions are laid out in units of 1/96 inch on any screen: text measured in the page's own
// unit (the screen pixel) rounds each glyph's advance to it, and a caption recorded at 150%
// would drift by points from the same caption recorded at 100%.
constexpr int kCaptionDpi = 96;

struct Bands {
    RECT header;
    RECT footer;
};

// Header: the top margin, footer: the bottom margin, both as wide as the client area; in units
// of 1/96 inch for a page recorded on a screen of dpi.
Bands BandsOf(const CEMFPage& page, SIZE dpi) {
    const RECT& c = page.ClientRect();
    const RECT& p = page.PageRectScreen();
    const auto x = [&](LONG v) { return MulDiv(v, kCaptionDpi, dpi.cx); };
    const auto y = [&](LONG v) { return MulDiv(v, kCaptionDpi, dpi.cy); };
    return Bands{RECT{x(c.left), y(p.top), x(c.right), y(c.top)},
                 RECT{x(c.left), y(c.bottom), x(c.right), y(p.bottom)}};
}

}  // namespace

void CHostEMFPages::DrawBandText(HDC dc, const std::string& text, int alignment, const RECT& band) {
    if (text.empty()) return;
    CHTMLCaption caption;
    caption.SetCaption(text, this);
    caption.SetAlignment(alignment);
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
    const SIZE screen{screenDpi_.cx > 0 ? screenDpi_.cx : kCaptionDpi,
                      screenDpi_.cy > 0 ? screenDpi_.cy : kCaptionDpi};
    const Bands bands = BandsOf(page, screen);
    // What the provider left behind (colours, alignment, origins) is not the decorations' look.
    CSaveDC keep(dc);
    SetTextColor(dc, RGB(0, 0, 0));
    SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    SetWindowOrgEx(dc, 0, 0, nullptr);
    SetViewportOrgEx(dc, 0, 0, nullptr);
    Font captionFont;  // the control's font (sized for the screen) at 96 per inch
    if (screen.cx != kCaptionDpi || screen.cy != kCaptionDpi) {
        SIZE window{};
        GetWindowExtEx(dc, &window);
        SetWindowExtEx(dc, MulDiv(window.cx, kCaptionDpi, screen.cx), MulDiv(window.cy, kCaptionDpi, screen.cy),
                       nullptr);
        LOGFONTA lf{};
        if (GetObjectA(FontHandle(), sizeof lf, &lf)) {
            lf.lfHeight = MulDiv(lf.lfHeight, kCaptionDpi, screen.cy);
            lf.lfWidth = MulDiv(lf.lfWidth, kCaptionDpi, screen.cx);
            captionFont.Reset(CreateFontIndirectA(&lf));
        }
    }
    CSelectObject font(dc, captionFont ? captionFont.Get() : FontHandle());

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
