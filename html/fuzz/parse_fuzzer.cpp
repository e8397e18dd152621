// Feeds arbitrary bytes to the caption parser, the masks and the layout
// decisions; aborts when a run loses characters or a wrapped line overflows.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "../tests/CaptionTestSupport.h"
#include "html/HTMLDrawGeometry.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    const int32_t width = static_cast<int32_t>(data[0]) - 16;
    const std::string_view text = all.substr(1);

    // The first line doubles as a mask matched against the rest.
    const size_t eol = text.find('\n');
    if (eol != std::string_view::npos && eol < 64) CMaskWord(text.substr(0, eol)).Match(text.substr(eol + 1));

    FakeHost host;
    host.Pictures["logo"] = {200, 100};
    CHTMLCaption caption;
    caption.SetCaption(text, &host);
    Check(text.empty() || !caption.ParsedLines().empty());  // empty text: nothing parsed
    const std::string plain = caption.GetPlainText();
    Check(plain.size() <= CHTMLCaption::MaxParsedLength + 2 * caption.ParsedLines().size());
    caption.FirstIconNumber();

    FixedMeasure measure(7, 13);
    for (const auto& line : caption.ParsedLines()) {
        size_t chars = 0, kept = 0;
        for (const auto& e : line) chars += e.TextLength();
        const auto wrapped = caption.WrapLine(line, width, measure);
        for (const auto& out : wrapped) {
            size_t lineChars = 0;
            for (const auto& e : out) lineChars += e.TextLength();
            kept += lineChars;
            if (lineChars > 1) Check(caption.LineWidth(out, measure) < width);
        }
        // Only one blank or tab per break may go.
        Check(kept <= chars && chars - kept <= wrapped.size());
    }
    const HTMLRect rect{0, 0, width * 3, 40};
    caption.SetWordWrap(true, measure, rect);
    caption.HitTestElement(measure, rect, {width, 20});
    htmldraw::Highlight range{width, 40}, next{};
    for (const auto& place : caption.PlaceElements(measure, rect)) {
        const auto& e = *place.Element;
        htmldraw::IconRect(place.Cell, e.IsRightAligned());
        htmldraw::PictureRect(place.Cell, e.ImageWidth(), host.GetPictureSize(e.PictureKey()));
        htmldraw::LinePixelsOf(place.Cell.left, e.LineStyle());
        const auto part = htmldraw::HighlightInRun(range, static_cast<int32_t>(e.TextLength()), next);
        const auto length = static_cast<int32_t>(e.TextLength());
        Check(part.count == 0 || (part.start >= 0 && part.count > 0 && part.start + part.count <= length));
        range = next;
    }
    caption.SetWordWrap(false, measure, rect);
    caption.HitTestAnchor(measure, rect, {width / 2, 5});
    return 0;
}
