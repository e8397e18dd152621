#include "PrintJob.h"
#include "CHostEMFPages.h"
#include "Gdi.h"
#include "Keyboard.h"
#include "PrintClipRect.h"
#include "printing/PageRange.h"
#include "printing/PageSetupDialog.h"
#include <set>

namespace {

// StartDoc / EndDoc: the document is always closed, after ESC too.
class CPrintDocument {
public:
    CPrintDocument(HDC dc, const std::string* name) : dc_(dc) {
        DOCINFOA info{};
        info.cbSize = sizeof(DOCINFOA);
        info.lpszDocName = name ? name->c_str() : nullptr;
        StartDocA(dc_, &info);  // spooler errors are not ours to stop on
    }
    ~CPrintDocument() { EndDoc(dc_); }
    CPrintDocument(const CPrintDocument&) = delete;
    CPrintDocument& operator=(const CPrintDocument&) = delete;

private:
    HDC dc_;
};

}  // namespace

RECT SelectedArea(const RECT& r, const PrintSelection& s) {
    const double w = r.right - r.left, h = r.bottom - r.top;
    return RECT{r.left + static_cast<LONG>(s.left * w), r.top + static_cast<LONG>(s.top * h),
                r.left + static_cast<LONG>(s.right * w), r.top + static_cast<LONG>(s.bottom * h)};
}

int RunPrintJob(CPageSetupDialog& settings, CHostEMFPages& pages, const std::string* documentName,
                const PrintSelection& selection) {
    std::unique_ptr<CDCPrinter> printer = settings.CreatePrinterDC();
    if (!printer) return 0;
    HDC dc = printer->GetSafeHdc();
    POINT corners[2] = {{0, 0}, {GetDeviceCaps(dc, HORZRES), GetDeviceCaps(dc, VERTRES)}};
    DPtoLP(dc, corners, 2);
    const RECT target{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    int sent = 0;
    {
        CPrintDocument document(dc, documentName);
        const long count = pages.GetCount();
        if (selection.page < 0) {
            const std::set<int> printSet = ParsePageRange(pages.pageRange_, count);
            for (long i = 0; i < count; ++i) {
                if (printSet.count(static_cast<int>(i))) {
                    StartPage(dc);
                    pages.GetPage(i).Play(dc, target);
                    EndPage(dc);
                    ++sent;
                }
                if (EscapePressed()) break;
            }
        } else if (selection.page < count) {
            StartPage(dc);
            {
                CPrintClipRect clip(dc, SelectedArea(target, selection));
                // The page's own clip records (its client clip while recording) would replace
                // ours on playback: as the meta region, ours can only be narrowed by them.
                CSaveDC keepClip(dc);
                SetMetaRgn(dc);
                pages.GetPage(selection.page).Play(dc, target);
            }
            EndPage(dc);
            ++sent;
        }
    }
    settings.ReleasePrinterDC(std::move(printer));
    return sent;
}
