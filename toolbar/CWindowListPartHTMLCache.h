#pragma once
// Parsed captions of text units, keyed by the unit's text: a caption is parsed
// once, with the host's caption host (its image list), when first asked for.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "html/CHTMLCaption.h"

class IHTMLCaptionHostBase;

class CWindowListPartHTMLCache {
public:
    // An empty text answers one shared empty caption.
    CHTMLCaption& Caption(std::string_view text, IHTMLCaptionHostBase* host);
    size_t Count() const { return m_captions.size(); }

private:
    std::map<std::string, std::unique_ptr<CHTMLCaption>, std::less<>> m_captions;
    CHTMLCaption m_empty;
};
