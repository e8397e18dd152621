#include "toolbar/CWindowListPartHTMLCache.h"

CHTMLCaption& CWindowListPartHTMLCache::Caption(std::string_view text, IHTMLCaptionHostBase* host) {
    if (text.empty()) return m_empty;
    auto found = m_captions.find(text);
    if (found != m_captions.end()) {
        if (found->second->Host() != host) {  // parsed again: picture sizes come from the host
            found->second->SetCaption({}, host);
            found->second->SetCaption(text, host);
        }
        return *found->second;
    }
    auto caption = std::make_unique<CHTMLCaption>();
    caption->SetCaption(text, host);
    return *m_captions.emplace(std::string(text), std::move(caption)).first->second;
}
