#include "CHTMLCaptionParts.h"

CHTMLCaption* CHTMLCaptionParts::Get(int32_t item) const {
    const auto it = m_parts.find(item);
    return it == m_parts.end() ? nullptr : it->second.get();
}

CHTMLCaption* CHTMLCaptionParts::Set(int32_t item, std::string_view text) {
    m_parts.erase(item);
    if (text.empty()) return nullptr;
    auto caption = std::make_unique<CHTMLCaption>();
    caption->SetCaption(text, m_host);
    return (m_parts[item] = std::move(caption)).get();
}
