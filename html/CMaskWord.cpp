#include "CMaskWord.h"

namespace {

char Fold(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Builds one alternative's tokens; a pending "*" changes the kind of the
// token that follows it (repeated stars collapse into one).
class PatternBuilder {
public:
    void AddChar(char c) {
        if (m_star) {
            m_tokens.push_back({CMaskWord::TOKEN::SkipChars, std::string(1, Fold(c))});
            m_star = false;
        } else if (m_open) {
            m_tokens.back().chars += Fold(c);
        } else {
            m_tokens.push_back({CMaskWord::TOKEN::Chars, std::string(1, Fold(c))});
        }
        m_open = true;
    }
    void AddSpecial(CMaskWord::TOKEN::Kind plain, CMaskWord::TOKEN::Kind afterStar,
                    std::string chars = {}) {
        m_tokens.push_back({m_star ? afterStar : plain, std::move(chars)});
        m_star = false;
        m_open = false;
    }
    void AddStar() { m_star = true; m_open = false; }
    bool Empty() const { return m_tokens.empty() && !m_star; }
    CMaskWord::PATTERN Finish() {
        if (m_star) m_tokens.push_back({CMaskWord::TOKEN::Rest, {}});
        CMaskWord::PATTERN p{std::move(m_tokens)};
        m_tokens.clear();
        m_star = m_open = false;
        return p;
    }

private:
    std::vector<CMaskWord::TOKEN> m_tokens;
    bool m_star = false;
    bool m_open = false;  // the last token is a run that still grows
};

size_t FindFolded(std::string_view text, size_t from, const std::string& folded) {
    if (folded.size() > text.size()) return std::string_view::npos;
    for (size_t i = from; i + folded.size() <= text.size(); ++i) {
        size_t k = 0;
        while (k < folded.size() && Fold(text[i + k]) == folded[k]) ++k;
        if (k == folded.size()) return i;
    }
    return std::string_view::npos;
}

}  // namespace

CMaskWord::CMaskWord(std::string_view mask) : m_mask(mask) {
    PatternBuilder b;
    const size_t n = mask.size();
    for (size_t i = 0; i < n; ++i) {
        const char c = mask[i];
        if (c == '\\') {
            b.AddChar(i + 1 < n ? mask[++i] : c);
        } else if (c == ' ') {
            if (!b.Empty()) m_patterns.push_back(b.Finish());
        } else if (c == '*') {
            b.AddStar();
        } else if (c == '?') {
            b.AddSpecial(TOKEN::AnyChar, TOKEN::AnyChar);
        } else if (c == '#') {
            b.AddSpecial(TOKEN::Digit, TOKEN::SkipDigit);
        } else if (c == '[') {
            std::string set;
            size_t j = i + 1;
            while (j < n && mask[j] != ']') {
                if (mask[j] == '\\' && j + 1 < n) ++j;
                set += mask[j++];
            }
            if (j >= n) {  // no closing bracket: an ordinary character
                b.AddChar(c);
                continue;
            }
            b.AddSpecial(TOKEN::Set, TOKEN::SkipSet, std::move(set));
            i = j;
        } else {
            b.AddChar(c);
        }
    }
    if (!b.Empty()) m_patterns.push_back(b.Finish());
}

bool CMaskWord::Match(std::string_view text) const {
    for (const PATTERN& p : m_patterns)
        if (p.Match(text)) return true;
    return false;
}

bool CMaskWord::PATTERN::Match(std::string_view text) const {
    size_t pos = 0;
    const size_t n = text.size();
    for (const TOKEN& t : tokens) {
        switch (t.kind) {
        case TOKEN::Chars:
            if (n - pos < t.chars.size()) return false;
            for (size_t k = 0; k < t.chars.size(); ++k)
                if (Fold(text[pos + k]) != t.chars[k]) return false;
            pos += t.chars.size();
            break;
        case TOKEN::AnyChar:
            if (pos >= n) return false;
            ++pos;
            break;
        case TOKEN::Digit:
            if (pos >= n || !IsDigit(text[pos])) return false;
            ++pos;
            break;
        case TOKEN::Set:
            if (pos >= n || t.chars.find(text[pos]) == std::string::npos) return false;
            ++pos;
            break;
        case TOKEN::Rest:
            pos = n;
            break;
        case TOKEN::SkipChars: {
            const size_t at = FindFolded(text, pos, t.chars);
            if (at == std::string_view::npos) return false;
            pos = at + t.chars.size();
            break;
        }
        case TOKEN::SkipDigit:
            while (pos < n && !IsDigit(text[pos])) ++pos;
            if (pos >= n) return false;
            ++pos;
            break;
        case TOKEN::SkipSet:
            while (pos < n && t.chars.find(text[pos]) == std::string::npos) ++pos;
            if (pos >= n) return false;
            ++pos;
            break;
        }
    }
    return pos == n;
}
