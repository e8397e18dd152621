#include "printing/PageRange.h"
#include <cctype>
#include <climits>
#include <vector>

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
        pieces.push_back(text.substr(start, at - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

// Leading blanks, an optional sign, then decimal digits up to the first other
// character; 0 without digits. Saturates instead of overflowing.
long long Number(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        value = value < INT_MAX ? value * 10 + (text[i] - '0') : value;
    return negative ? -value : value;
}

// A 1-based page number as a 0-based index, never below 0.
long long Index(const std::string& piece) {
    long long index = Number(piece) - 1;
    return index < 0 ? 0 : (index > INT_MAX ? INT_MAX : index);
}

}  // namespace

std::set<int> ParsePageRange(const std::string& text, int pageCount) {
    std::set<int> pages;
    if (text.empty()) {
        for (int i = 0; i < pageCount; ++i) pages.insert(i);
        return pages;
    }
    if (pageCount < 1) return pages;
    for (const std::string& item : Split(text, ',')) {
        std::vector<std::string> pieces = Split(item, '-');
        long long first = Index(pieces[0]);
        long long last = first;
        if (pieces.size() >= 2) last = pieces[1].empty() ? pageCount - 1 : Index(pieces[1]);
        // Past the document's end a range adds nothing that could print: keep the set small.
        if (last > pageCount && last > first) last = first > pageCount ? first : pageCount;
        for (long long i = first; i <= last; ++i) pages.insert(static_cast<int>(i));
    }
    return pages;
}

std::string PageRangeText(const std::set<int>& pages, int pageCount) {
    std::string text;
    int count = 0;
    for (auto it = pages.lower_bound(0); it != pages.end() && *it < pageCount;) {
        const int first = *it;
        int last = first;
        for (++it; it != pages.end() && *it == last + 1 && *it < pageCount; ++it) ++last;
        count += last - first + 1;
        if (!text.empty()) text += ',';
        text += std::to_string(first + 1);
        if (last == pageCount - 1) text += '-';  // open to the end, even a single last page
        else if (last > first) text += '-' + std::to_string(last + 1);
    }
    if (count == pageCount) return std::string();
    if (count == 0) return std::to_string(static_cast<long long>(pageCount) + 1) + '-';
    return text;
}

std::set<int> TogglePageInSet(std::set<int> pages, int page, bool invert, int pageCount) {
    if (page < 0 || page >= pageCount) return pages;
    if (!pages.erase(page)) pages.insert(page);
    if (!invert) return pages;
    std::set<int> complement;
    for (int i = 0; i < pageCount; ++i)
        if (!pages.count(i)) complement.insert(i);
    return complement;
}
