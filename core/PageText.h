#pragma once
// Page-number tokens in captions and "%i" in export paths; no Windows here.
#include <string>

// Every "<%page%>" becomes startPageNumber - 1 + n, then every "<%count%>"
// becomes recordedPages + startPageNumber - 1 (n is the 1-based position of
// the page in the store).
std::string FormatPageText(const std::string& format, int n, int startPageNumber, int recordedPages);

// 0 left, 1 centre, 2 right for page n: inside (3) and outside (4) follow the
// page's parity; anything unknown is right.
int ResolveAlignment(int n, long alignment);

// Every occurrence of `token` replaced by the decimal `value`.
std::string ReplaceAll(const std::string& text, const std::string& token, long long value);
