#pragma once
// Captions keyed by item number, sharing one host (the toolbar's items).
#include <cstdint>
#include <map>
#include <memory>
#include <string_view>

#include "CHTMLCaption.h"

class CHTMLCaptionParts {
public:
    explicit CHTMLCaptionParts(IHTMLCaptionHostBase* host = nullptr) : m_host(host) {}

    CHTMLCaption* Get(int32_t item) const;
    // Drops the item's caption; a non-empty text gets a new one.
    CHTMLCaption* Set(int32_t item, std::string_view text);
    size_t Count() const { return m_parts.size(); }

private:
    IHTMLCaptionHostBase* m_host;
    std::map<int32_t, std::unique_ptr<CHTMLCaption>> m_parts;
};
