#include "PageTextCache.h"
#include "CHostEMFPages.h"
#include "TextSearch.h"
#include <algorithm>
#include <cstring>

namespace {

// FNV-1a over 8-byte words (a metafile's size is a multiple of 4; a last half word is padded).
uint64_t Hash(const std::vector<BYTE>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (size_t at = 0; at < bytes.size(); at += 8) {
        uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, std::min<size_t>(8, bytes.size() - at));
        h = (h ^ word) * 1099511628211ull;
    }
    return h;
}

}  // namespace

CPageTextCache::Text CPageTextCache::Of(const CEMFPage& page) {
    const std::vector<BYTE>& bits = page.Bits();
    const uint64_t hash = Hash(bits);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (it->hash != hash || it->size != bits.size()) continue;
        entries_.splice(entries_.begin(), entries_, it);
        return it->text;
    }
    auto text = std::make_shared<pagetext::PageText>(pagetext::Arrange(pagetext::ReadRuns(bits.data(), bits.size(), decoder_)));
    entries_.push_front(Entry{hash, bits.size(), text});
    if (entries_.size() > kPagesKept) entries_.pop_back();
    return text;
}

long CPageTextCache::FindPage(const CHostEMFPages& pages, long first, const std::u16string& needle, bool matchCase) {
    if (needle.empty()) return -1;
    // Only the text, not kept: a search through a long document would push the pages on screen out.
    for (long i = std::max(first, 0L); i < pages.GetCount(); ++i)
        if (pagetext::Contains(TextOf(pages.GetPage(i)), needle, matchCase)) return i;
    return -1;
}

std::u16string CPageTextCache::TextOf(const CEMFPage& page) const {
    const std::vector<BYTE>& bits = page.Bits();
    return pagetext::Arrange(pagetext::ReadRuns(bits.data(), bits.size(), decoder_, false), false).text;
}
