#pragma once
// The text of recorded pages, made from their metafile bytes when first asked for. A few pages'
// texts are kept (those on screen, the last ones searched), so a document of any length holds
// no more than that; a page recorded again has other bytes and gets its text anew.
#include "CEMFPage.h"
#include "FontTextDecoder.h"
#include "ReadingOrder.h"
#include <list>
#include <memory>

class CPageTextCache {
public:
    using Text = std::shared_ptr<const pagetext::PageText>;

    // The page's text in reading order, with a box for each character.
    Text Of(const CEMFPage& page);
    // The text alone, made anew and not kept (the same text as Of's).
    std::u16string TextOf(const CEMFPage& page) const;
    // The first page from index `first` on whose text holds `needle`; -1 when none does.
    long FindPage(const CHostEMFPages& pages, long first, const std::u16string& needle, bool matchCase);
    static constexpr size_t kPagesKept = 64;

private:
    struct Entry {
        uint64_t hash;
        size_t size;
        Text text;
    };
    CFontTextDecoder decoder_;
    std::list<Entry> entries_;  // most recent first
};
