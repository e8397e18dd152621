#include "PageText.h"

std::string ReplaceAll(const std::string& text, const std::string& token, long long value) {
    // One pass from the left gives what replacing the first occurrence again and again would:
    // a decimal number never completes a token, so no replacement makes a new occurrence.
    const std::string number = std::to_string(value);
    std::string result;
    size_t from = 0;
    for (size_t at; (at = text.find(token, from)) != std::string::npos; from = at + token.size()) {
        result.append(text, from, at - from);
        result += number;
    }
    result.append(text, from, std::string::npos);
    return result;
}

std::string FormatPageText(const std::string& format, int n, int startPageNumber, int recordedPages) {
    if (format.empty()) return format;
    const long long shown = static_cast<long long>(startPageNumber) - 1 + n;
    const long long last = static_cast<long long>(recordedPages) + startPageNumber - 1;
    return ReplaceAll(ReplaceAll(format, "<%page%>", shown), "<%count%>", last);
}

int ResolveAlignment(int n, long alignment) {
    switch (alignment) {
    case 0: return 0;
    case 1: return 1;
    case 3: return n % 2 ? 2 : 0;  // inside: right on odd pages
    case 4: return n % 2 ? 0 : 2;  // outside: left on odd pages
    default: return 2;
    }
}
