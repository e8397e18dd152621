#include "PageClipboard.h"

namespace {

// The clipboard, open for one scope.
class CClipboardOpen {
public:
    explicit CClipboardOpen(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~CClipboardOpen() {
        if (open_) CloseClipboard();
    }
    CClipboardOpen(const CClipboardOpen&) = delete;
    CClipboardOpen& operator=(const CClipboardOpen&) = delete;
    explicit operator bool() const { return open_; }

private:
    bool open_;
};

}  // namespace

bool CopyPageToClipboard(HWND owner, HENHMETAFILE page) {
    if (!page) return false;
    CClipboardOpen clipboard(owner);
    if (!clipboard) return false;
    HENHMETAFILE copy = CopyEnhMetaFileA(page, nullptr);
    if (!copy) return false;
    EmptyClipboard();
    // Once set, the clipboard owns the copy; otherwise it is still ours to delete.
    if (!SetClipboardData(CF_ENHMETAFILE, copy)) {
        DeleteEnhMetaFile(copy);
        return false;
    }
    return true;
}
