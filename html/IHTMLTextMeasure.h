#pragma once
// Measurement a caption's layout asks of the drawing side. A Windows
// implementation selects the run's effective font into its device context
// and answers with DrawTextA (DT_CALCRECT) and GetTextExtentPoint32A.
#include <cstdint>
#include <string_view>

#include "CHTMLCaption.h"

class IHTMLTextMeasure {
public:
    // Width in pixels of text drawn with the attributes of run (text is the
    // run's text or a prefix or piece of it; never empty).
    virtual int32_t TextWidth(const CHTMLCaption::CHTMLElement& run, std::string_view text) const = 0;
    // Height shared by every line of the caption.
    virtual int32_t LineHeight() const = 0;

protected:
    ~IHTMLTextMeasure() = default;
};
