#include "PageTextCache.h"
#include "CHostEMFPages.h"
#include "TextSearch.h"

namespace {

uint64_t Fnv1a(const std::vector<BYTE>& bytes) {
    uint64_t h = 1469598103934665603ull;
    for (BYTE b : bytes) h = (h ^ b) * 1099511628211ull;
    return h;
}

}  // namespace

CPageTextCache::Text CPageTextCache::Of(const CEMFPage& page) {
    const std::vector<BYTE>& bits = page.Bits();
    const uint64_t hash = Fnv1a(bits);
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
    for (long i = std::max(first, 0L); i < pages.GetCount(); ++i)
        if (pagetext::Contains(Of(pages.GetPage(i))->text, needle, matchCase)) return i;
    return -1;
}
