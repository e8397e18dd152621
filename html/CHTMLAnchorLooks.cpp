#include "CHTMLAnchorLooks.h"

#include "CHTMLCaption.h"

CHTMLAnchorLooks::CHTMLAnchorLooks() {
    SetAnchorStyle("<u><fgcolor=0000FF>#", 1);  // underlined blue; "#" gives the parse a run
    SetAnchorStyle("<u><fgcolor=000080>#", 0);  // underlined navy
}

void CHTMLAnchorLooks::SetAnchorStyle(std::string_view markup, int32_t which) {
    Look& look = Pick(which);
    look.Markup.assign(markup);
    look.Font = TextFontInfo();
    CHTMLCaption parsed;
    parsed.SetCaption(markup);
    for (const auto& line : parsed.ParsedLines()) {
        if (line.empty()) continue;
        look.Font = line.front();
        break;
    }
}

const std::string& CHTMLAnchorLooks::GetAnchorStyle(int32_t which) const {
    return which != 0 ? m_normal.Markup : m_visited.Markup;
}

void CHTMLAnchorLooks::ApplyAnchorStyle(TextFontInfo& font, std::string_view anchorId) const {
    const Look& look = (IsAnchorVisited(anchorId) && !m_visited.Markup.empty()) ? m_visited : m_normal;
    if (look.Markup.empty()) return;
    font.Merge(look.Font);
    if (!font.TextColor) font.TextColor = look.Font.TextColor;
    if (!font.BackColor) font.BackColor = look.Font.BackColor;
}

bool CHTMLAnchorLooks::IsAnchorVisited(std::string_view anchorId) const {
    return m_visitedIds.find(anchorId) != m_visitedIds.end();
}

void CHTMLAnchorLooks::UnmarkAnchorVisited(std::string_view anchorId) {
    const auto it = m_visitedIds.find(anchorId);
    if (it != m_visitedIds.end()) m_visitedIds.erase(it);
}
