// Any bytes read as a metafile give runs whose characters each have a place, and arranging
// them gives one box per character of the page text, the same text as without the places.
#include <cstdint>
#include <cstdlib>
#include "ReadingOrder.h"
#include "TextSearch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const pagetext::PageRuns runs = pagetext::ReadRuns(data, size, pagetext::Decoder());
    for (const pagetext::Run& r : runs.runs)
        if (r.edges.size() != r.text.size() + 1 || r.text.empty()) std::abort();
    const pagetext::PageText text = pagetext::Arrange(runs);
    if (text.boxes.size() != text.text.size()) std::abort();
    // Searching reads the text without the places; it must be the text the marks are placed on.
    if (pagetext::Arrange(pagetext::ReadRuns(data, size, pagetext::Decoder(), false), false).text != text.text) std::abort();
    if (!text.text.empty()) pagetext::FindAll(text.text, text.text.substr(0, 3), false);
    return 0;
}
