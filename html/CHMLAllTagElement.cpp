#include "CHTMLCaption.h"

#include <algorithm>
#include <iterator>

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsAsciiLetterOrDigit(char c) {
    return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsHexDigit(char c) {
    const char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return IsDigit(u) || (u >= 'A' && u <= 'F');
}

// "&" + name, "&#" + digits; never followed by a letter or digit; one ";"
// directly behind belongs to it. Returns its length, 0 when it is no entity.
size_t EntityLength(std::string_view text) {
    static const std::string_view names[] = {"#", "amp", "lt", "gt", "quot"};
    const std::string_view rest = text.substr(1);
    for (std::string_view name : names) {
        if (rest.substr(0, name.size()) != name) continue;
        size_t end = name.size();
        if (name == "#") {
            if (end >= rest.size() || !IsDigit(rest[end])) continue;
            while (end < rest.size() && IsDigit(rest[end])) ++end;
        }
        if (end < rest.size() && IsAsciiLetterOrDigit(rest[end])) continue;
        if (end < rest.size() && rest[end] == ';') ++end;
        return 1 + end;
    }
    return 0;
}

// Marks the bytes a text can start with to match mask; every byte when an
// alternative does not begin with plain characters.
void MarkFirstBytes(const CMaskWord& mask, bool (&starts)[256]) {
    for (const CMaskWord::PATTERN& p : mask.Patterns()) {
        if (p.tokens.empty() || p.tokens.front().kind != CMaskWord::TOKEN::Chars) {
            std::fill(std::begin(starts), std::end(starts), true);
            return;
        }
        const unsigned char c = static_cast<unsigned char>(p.tokens.front().chars.front());
        starts[c] = true;
        if (c >= 'a' && c <= 'z') starts[c - 'a' + 'A'] = true;
    }
}

}  // namespace

CHTMLCaption::CHMLTagElement::CHMLTagElement(std::string_view mask)
    : CMaskWord(mask),
      m_length(static_cast<size_t>(std::count_if(mask.begin(), mask.end(), [](char c) { return c != '*'; }))) {}

CHTMLCaption::CHMLAllTagElement::CHMLAllTagElement() {
    static const char* const table[Count][2] = {
        {"<b>*", "</b>*"},
        {"<i>*", "</i>*"},
        {"<u>*", "</u>*"},
        {"<s>*", "</s>*"},
        {"<fgcolor=??????" ">*", "</fgcolor>*"},
        {"<bgcolor=??????" ">*", "</bgcolor>*"},
        {"<br>*", ""},
        {"\r\n*", ""},
        {"\n\r*", ""},
        {"<solidline>*", ""},
        {"<dotline>*", ""},
        {"<r>*", ""},
        {"<upline>*", ""},
        {"<img>*", "</img>*"},
        {"<font*>*", "</font>*"},
        {"<a*>*", "</a>*"},
        {"&*", ""},
    };
    m_pairs.reserve(Count);
    for (const auto& row : table) {
        m_pairs.push_back({CHMLTagElement(row[0]), CHMLTagElement(row[1])});
        MarkFirstBytes(m_pairs.back().Open, m_openStarts);
        MarkFirstBytes(m_pairs.back().Close, m_closeStarts);
    }
}

const CHTMLCaption::CHMLAllTagElement& CHTMLCaption::CHMLAllTagElement::Instance() {
    static const CHMLAllTagElement table;
    return table;
}

std::string_view CHTMLCaption::CHMLAllTagElement::FindOpenTag(std::string_view text, int32_t& index) const {
    index = -1;
    if (text.empty() || !m_openStarts[static_cast<unsigned char>(text.front())]) return {};
    int32_t found = -1;
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs[i].Open.Match(text)) {
            found = static_cast<int32_t>(i);
            break;
        }
    }
    switch (found) {
    case -1:
        return {};
    case FgColor:
    case BgColor:
        for (size_t p = 9; p <= 14; ++p)
            if (!IsHexDigit(text[p])) return {};
        index = found;
        return text.substr(0, 16);
    case Font:
    case Anchor:
        index = found;
        return text.substr(0, text.find('>') + 1);
    case Entity: {
        const size_t length = EntityLength(text);
        if (length == 0) return {};
        index = found;
        return text.substr(0, length);
    }
    default:
        index = found;
        return text.substr(0, m_pairs[found].Open.Length());
    }
}

std::string_view CHTMLCaption::CHMLAllTagElement::FindCloseTag(std::string_view text, int32_t& index) const {
    index = -1;
    if (text.empty() || !m_closeStarts[static_cast<unsigned char>(text.front())]) return {};
    for (size_t i = 0; i < m_pairs.size(); ++i) {
        if (m_pairs[i].Close.Match(text)) {
            index = static_cast<int32_t>(i);
            return text.substr(0, m_pairs[i].Close.Length());
        }
    }
    return {};
}

bool CHTMLCaption::CHMLAllTagElement::IsLineBreakTag(int32_t index) const {
    return index == Br || index == CrLf || index == LfCr;
}

bool CHTMLCaption::CHMLAllTagElement::IsEntityTag(int32_t index) const { return index == Entity; }
