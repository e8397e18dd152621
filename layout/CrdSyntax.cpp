#include "layout/CrdSyntax.h"

#include <cctype>
#include <climits>

namespace crd {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Tracks parenthesis depth and quoted runs while a text is walked byte by byte.
class Scanner {
public:
    // Feeds the character at `i`; the state afterwards applies to what follows.
    void Feed(std::string_view text, size_t i) {
        char c = text[i];
        if (c == '"') {
            if (i == 0 || text[i - 1] != '\\') m_quoted = !m_quoted;
        } else if (!m_quoted) {
            if (c == '(') ++m_depth;
            else if (c == ')') --m_depth;
        }
    }
    bool AtTop() const { return m_depth == 0 && !m_quoted; }
    long long Depth() const { return m_depth; }

private:
    long long m_depth = 0;
    bool m_quoted = false;
};

}  // namespace

std::string_view StripForm(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    text = text.substr(b, e - b);
    if (text.size() < 2 || text.front() != '(' || text.back() != ')') return text;
    // The opening parenthesis must be closed by the very last character; quoted
    // runs are skipped as in splitting so that a quoted ")" does not close it.
    Scanner s;
    for (size_t i = 0; i < text.size(); ++i) {
        s.Feed(text, i);
        if (s.Depth() == 0 && text[i] == ')' && i > 0) {
            // Depth only returns to 0 outside quoted runs at a ")" here.
            if (i + 1 == text.size()) return text.substr(1, text.size() - 2);
            return text;
        }
    }
    return text;
}

std::vector<Piece> Split(std::string_view text, std::string_view sep, bool strip) {
    std::vector<Piece> pieces;
    if (text.empty() || sep.empty()) return pieces;
    if (strip) text = StripForm(text);
    if (text.empty()) return pieces;
    auto add = [&](size_t from, size_t to) {
        std::string_view raw = text.substr(from, to - from);
        pieces.push_back({raw, StripForm(raw), from});
    };
    Scanner s;
    size_t start = 0;
    for (size_t i = 0; i < text.size();) {
        if (s.AtTop() && text.compare(i, sep.size(), sep) == 0) {
            add(start, i);
            i += sep.size();
            start = i;
            continue;
        }
        s.Feed(text, i);
        ++i;
    }
    if (s.Depth() == 0) add(start, text.size());
    return pieces;
}

size_t FindOutside(std::string_view text, char c) {
    Scanner s;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == c && s.AtTop()) return i;
        s.Feed(text, i);
    }
    return std::string_view::npos;
}

int32_t ReadNumber(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    long long v = 0;
    const long long limit = negative ? -static_cast<long long>(INT32_MIN) : INT32_MAX;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > limit) v = limit;  // saturate; further digits keep it there
    }
    return static_cast<int32_t>(negative ? -v : v);
}

std::string_view ReadAttributeBlocks(
    std::string_view text,
    const std::function<void(std::string_view, std::string_view)>& onPair) {
    size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    text = text.substr(b, e - b);
    while (!text.empty() && text.front() == '[') {
        size_t depth = 0, close = std::string_view::npos;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '[') ++depth;
            else if (text[i] == ']' && --depth == 0) { close = i; break; }
        }
        if (close == std::string_view::npos) break;  // unterminated: not a block
        std::string_view content = text.substr(1, close - 1);
        size_t eq = content.find('=');
        if (eq == std::string_view::npos) onPair(content, std::string_view());
        else onPair(content.substr(0, eq), content.substr(eq + 1));
        text = text.substr(close + 1);
    }
    return text;
}

uint32_t ReadColour(std::string_view value) {
    if (value.size() >= 3 && std::tolower(static_cast<unsigned char>(value[0])) == 'r' &&
        std::tolower(static_cast<unsigned char>(value[1])) == 'g' &&
        std::tolower(static_cast<unsigned char>(value[2])) == 'b') {
        std::string_view rest = value.substr(3);
        if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') {
            std::vector<Piece> parts = Split(rest.substr(1, rest.size() - 2), ",", true);
            if (parts.size() == 3) {
                uint32_t r = uint32_t(ReadNumber(parts[0].raw)) & 0xFF;
                uint32_t g = uint32_t(ReadNumber(parts[1].raw)) & 0xFF;
                uint32_t bl = uint32_t(ReadNumber(parts[2].raw)) & 0xFF;
                return r | (g << 8) | (bl << 16);
            }
        }
    }
    return static_cast<uint32_t>(ReadNumber(value));
}

void WriteNumber(std::string& out, int64_t value) { out += std::to_string(value); }

void WriteColour(std::string& out, uint32_t colour) {
    if (colour & 0xFF000000u) {
        WriteNumber(out, static_cast<int32_t>(colour));
        return;
    }
    out += "RGB(";
    WriteNumber(out, colour & 0xFF);
    out += ',';
    WriteNumber(out, (colour >> 8) & 0xFF);
    out += ',';
    WriteNumber(out, (colour >> 16) & 0xFF);
    out += ')';
}

}  // namespace crd
