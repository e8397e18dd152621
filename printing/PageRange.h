#pragma once
// The print set: which 0-based pages a page-range text such as "1,3,5-" names.
#include <set>
#include <string>

// Rebuilds the set for a document of `pageCount` pages. An empty text means
// every page; items are separated by ",", ranges by "-", numbers are 1-based.
// Indices at or beyond pageCount may appear; a job never prints them.
std::set<int> ParsePageRange(const std::string& text, int pageCount);

// The page-range text naming `pages` of a document of `pageCount` pages, 1-based and
// ascending: runs as "a-b" (one page "a"), separated by ","; a run reaching the last page
// stays open ("a-"). All pages give "" (the text for all); none give "<pageCount+1>-",
// a range that names no page. Indices outside the document are left out.
std::string PageRangeText(const std::set<int>& pages, int pageCount);

// A Ctrl+click on `page`: adds it to the set when absent, removes it when present; with
// `invert` the set then becomes its complement. Pages outside the document change nothing.
std::set<int> TogglePageInSet(std::set<int> pages, int page, bool invert, int pageCount);
