#pragma once
// A page's runs put in reading order: lines by baseline from the top, runs on a line from the
// left, a space between runs that stand apart, a line break between lines.
#include "MetafileRuns.h"

namespace pagetext {

struct PageText {
    std::u16string text;
    // One box per character of text (device pixels of the page); the spaces and line breaks
    // put between runs have empty boxes.
    std::vector<Box> boxes;
    Box page;
};

constexpr char16_t kLineBreak[] = u"\r\n";

// Without boxes only the text is made (for searching).
PageText Arrange(const PageRuns& runs, bool withBoxes = true);

}  // namespace pagetext
