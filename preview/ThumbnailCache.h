#pragma once
// Small bitmaps of pages for the pages pane, drawn on first use and kept for a bounded number
// of pages (the least recently shown go first): the pane's GDI objects and memory stay the
// same however long the document is.
#include <windows.h>
#include <list>
#include "platform/Gdi.h"

class CThumbnailCache {
public:
    // Draws page `index` scaled into a w x h rectangle at (0, 0) of a memory device context.
    using DrawProc = void (*)(void* context, int index, HDC dc, const RECT& rect);

    explicit CThumbnailCache(size_t capacity) : capacity_(capacity) {}

    // Copies page `index`'s thumbnail of w x h to (x, y) of `target`, drawing it first when
    // it is not kept at that size.
    void Blit(HDC target, int x, int y, int index, int w, int h, DrawProc draw, void* context);
    // The page was recorded anew: its thumbnail goes.
    void Forget(int index);
    void Clear() { entries_.clear(); }
    size_t Size() const { return entries_.size(); }

private:
    struct Entry {
        int index, w, h;
        Bitmap bitmap;
    };
    std::list<Entry> entries_;  // the most recently shown first
    size_t capacity_;
};
