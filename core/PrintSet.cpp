// Ctrl+click on a page in the preview: the print set changes and the page range
// text is written anew from it.
#include "CHostEMFPages.h"
#include "printing/PageRange.h"

void CHostEMFPages::TogglePage(long page, bool invert) {
    const int count = static_cast<int>(GetCount());
    if (page < 0 || page >= count) return;
    pageRange_ = PageRangeText(TogglePageInSet(ParsePageRange(pageRange_, count), static_cast<int>(page), invert, count),
                               count);
}
