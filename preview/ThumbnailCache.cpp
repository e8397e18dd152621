#include "ThumbnailCache.h"
#include <algorithm>

void CThumbnailCache::Blit(HDC target, int x, int y, int index, int w, int h, DrawProc draw, void* context) {
    if (w <= 0 || h <= 0) return;
    COwnedDC memory(CreateCompatibleDC(target));
    if (!memory) return;
    auto it = std::find_if(entries_.begin(), entries_.end(),
                           [&](const Entry& e) { return e.index == index && e.w == w && e.h == h; });
    if (it != entries_.end()) {
        entries_.splice(entries_.begin(), entries_, it);
    } else {
        Bitmap bitmap(CreateCompatibleBitmap(target, w, h));
        if (!bitmap) return;
        {
            CSelectObject select(memory, bitmap.Get());
            const RECT rect{0, 0, w, h};
            FillRect(memory, &rect, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
            CSaveDC keep(memory);
            IntersectClipRect(memory, 0, 0, w, h);
            draw(context, index, memory, rect);
        }
        while (entries_.size() >= std::max<size_t>(capacity_, 1)) entries_.pop_back();
        entries_.push_front(Entry{index, w, h, std::move(bitmap)});
    }
    CSelectObject select(memory, entries_.front().bitmap.Get());
    BitBlt(target, x, y, w, h, memory, 0, 0, SRCCOPY);
}

void CThumbnailCache::Forget(int index) {
    entries_.remove_if([index](const Entry& e) { return e.index == index; });
}
