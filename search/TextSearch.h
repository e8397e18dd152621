#pragma once
// Finding a text in page texts: exact, or ignoring case (simple one-to-one case folding of the
// Latin, Greek and Cyrillic letters; other scripts match as they are).
#include <cstddef>
#include <string>
#include <vector>

namespace pagetext {

char16_t FoldCase(char16_t c);

// Where `needle` starts in `haystack`, matches not overlapping, at most `limit` of them;
// nothing for an empty needle.
std::vector<size_t> FindAll(const std::u16string& haystack, const std::u16string& needle, bool matchCase,
                            size_t limit = size_t(-1));
bool Contains(const std::u16string& haystack, const std::u16string& needle, bool matchCase);

}  // namespace pagetext
