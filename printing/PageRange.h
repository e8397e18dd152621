#pragma once
// The print set: which 0-based pages a page-range text such as "1,3,5-" names.
#include <set>
#include <string>

// Rebuilds the set for a document of `pageCount` pages. An empty text means
// every page; items are separated by ",", ranges by "-", numbers are 1-based.
// Indices at or beyond pageCount may appear; a job never prints them.
std::set<int> ParsePageRange(const std::string& text, int pageCount);
