#include "TextSearch.h"

namespace pagetext {

char16_t FoldCase(char16_t c) {
    if (c < 0x80) return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return char16_t(c + 32);
    if (c == 0x178) return 0xFF;
    // Latin Extended-A pairs capitals on even code points, except from U+0139 to U+0148 and
    // from U+0179 to U+017E, where they are odd; U+0130 and U+0138 stand alone.
    if (c >= 0x100 && c <= 0x17F && c != 0x130 && c != 0x131 && c != 0x138 && c != 0x149 && c != 0x17F) {
        const bool oddCapitals = (c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E);
        return (c % 2 == 1) == oddCapitals ? char16_t(c + 1) : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return char16_t(c + 32);  // Greek
    if (c >= 0x410 && c <= 0x42F) return char16_t(c + 32);                // Cyrillic
    if (c >= 0x400 && c <= 0x40F) return char16_t(c + 80);
    return c;
}

namespace {

std::u16string Folded(const std::u16string& s) {
    std::u16string f(s);
    for (char16_t& c : f) c = FoldCase(c);
    return f;
}

}  // namespace

std::vector<size_t> FindAll(const std::u16string& haystack, const std::u16string& needle, bool matchCase,
                            size_t limit) {
    std::vector<size_t> at;
    if (needle.empty() || needle.size() > haystack.size()) return at;
    const std::u16string h = matchCase ? haystack : Folded(haystack);
    const std::u16string n = matchCase ? needle : Folded(needle);
    for (size_t pos = h.find(n); pos != std::u16string::npos && at.size() < limit; pos = h.find(n, pos + n.size()))
        at.push_back(pos);
    return at;
}

bool Contains(const std::u16string& haystack, const std::u16string& needle, bool matchCase) {
    return !FindAll(haystack, needle, matchCase, 1).empty();
}

}  // namespace pagetext
