#pragma once
// The anchor looks and visited-anchor set a caption host keeps: the part of
// IHTMLCaptionHost that needs no drawing, for hosts to hold and forward to.
#include <set>
#include <string>
#include <string_view>

#include "TextFontInfo.h"

class CHTMLAnchorLooks {
public:
    CHTMLAnchorLooks();

    // which: non-zero is the normal look, zero the visited one. The mark-up
    // is parsed once; its first run gives the look's attributes.
    void SetAnchorStyle(std::string_view markup, int32_t which);
    const std::string& GetAnchorStyle(int32_t which) const;
    // Merges flags, size and face; colours only where font has none.
    void ApplyAnchorStyle(TextFontInfo& font, std::string_view anchorId) const;

    bool IsAnchorVisited(std::string_view anchorId) const;
    void MarkAnchorVisited(std::string_view anchorId) { m_visitedIds.emplace(anchorId); }
    void UnmarkAnchorVisited(std::string_view anchorId);
    void ClearVisitedAnchors() { m_visitedIds.clear(); }

private:
    struct Look {
        std::string Markup;
        TextFontInfo Font;
    };
    Look& Pick(int32_t which) { return which != 0 ? m_normal : m_visited; }

    Look m_normal;
    Look m_visited;
    std::set<std::string, std::less<>> m_visitedIds;
};
