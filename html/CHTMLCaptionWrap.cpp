#include "CHTMLCaption.h"

#include <algorithm>
#include <cstring>

#include "HTMLText.h"
#include "IHTMLTextMeasure.h"

namespace {

using Element = CHTMLCaption::CHTMLElement;
using Line = CHTMLCaption::Line;
using Lines = CHTMLCaption::Lines;

// Word characters: digits, ASCII letters and the Latin-1 letters of the
// western languages; every other byte is a separator.
struct WordCharacters {
    bool table[256] = {};
    WordCharacters() {
        static const char ascii[] =
            "0123456789abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        static const unsigned char latin1[] = {
            0xFC, 0xE9, 0xE2, 0xE4, 0xE0, 0xE5, 0xE7, 0xEA, 0xEB, 0xE8, 0xEF, 0xEE,
            0xEC, 0xF4, 0xF6, 0xF2, 0xFB, 0xF9, 0xE1, 0xED, 0xF3, 0xFA, 0xF1,
            0xDC, 0xC9, 0xC2, 0xC4, 0xC0, 0xC5, 0xC7, 0xCA, 0xCB, 0xC8, 0xCF, 0xCE,
            0xCC, 0xD4, 0xD6, 0xD2, 0xDB, 0xD9, 0xC1, 0xCD, 0xD3, 0xDA, 0xD1};
        for (size_t i = 0; i < std::strlen(ascii); ++i) table[static_cast<unsigned char>(ascii[i])] = true;
        for (unsigned char c : latin1) table[c] = true;
    }
};

// Breaks one parsed line into output lines no wider than the width, except
// where a single character or image alone is wider.
class LineWrapper {
public:
    LineWrapper(int32_t width, const IHTMLTextMeasure& measure)
        : m_width(std::max<int32_t>(width, 0)), m_measure(measure) {
        m_out.emplace_back();
    }

    void Add(Element run) {
        for (;;) {
            const int64_t w = run.FullWidth(m_measure);
            if (w <= 0 || Fits(w)) return Append(std::move(run), w);
            if (run.IsImage()) {
                if (w < m_width && CutEarlier()) continue;
                if (CurrentEmpty()) return Append(std::move(run), w);
                NewLine();
                continue;
            }
            const std::string text = run.Text();
            const size_t fit = LongestFit(run, text);
            size_t lastSep = fit;
            while (lastSep > 0 && !CHTMLCaption::IsSeparator(static_cast<unsigned char>(text[lastSep - 1])))
                --lastSep;
            if (lastSep > 0) {  // rule 1: break behind the last separator that fits
                if (!Split(run, text, lastSep, true)) return;
                continue;
            }
            size_t firstSep = 0;
            while (firstSep < text.size() && !CHTMLCaption::IsSeparator(static_cast<unsigned char>(text[firstSep])))
                ++firstSep;
            if (firstSep == 0) {  // starts with a separator that does not fit
                if (CurrentEmpty()) {
                    if (!Split(run, text, 1, true)) return;
                } else {
                    NewLine();
                    if (!DropLeadingBlank(run, text)) return;
                }
                continue;
            }
            const int64_t word = Width(run, std::string_view(text).substr(0, firstSep));
            if (!Fits(word) && word < m_width && CutEarlier()) continue;  // rule 2: move the word's neighbours along
            size_t take = fit;
            if (take == 0 && CurrentEmpty()) take = 1;
            if (!Split(run, text, take, take == firstSep)) return;
        }
    }

    Lines Take() { return std::move(m_out); }

private:
    // A new line is opened only when something goes on it, so a break at
    // the end of the runs leaves no empty line behind.
    Line& Current() {
        if (m_breakPending) {
            m_out.emplace_back();
            m_breakPending = false;
        }
        return m_out.back();
    }
    bool CurrentEmpty() const { return m_breakPending || m_out.back().empty(); }
    bool Fits(int64_t w) const { return m_x + w < m_width; }
    void NewLine() {
        m_breakPending = true;
        m_x = 0;
    }
    void Append(Element run, int64_t w) {
        Current().push_back(std::move(run));
        m_x += std::max<int64_t>(w, 0);
    }
    int64_t Width(const Element& run, std::string_view piece) const {
        return piece.empty() ? 0 : m_measure.TextWidth(run, piece);
    }

    // Longest prefix of text that still fits behind x.
    size_t LongestFit(const Element& run, const std::string& text) const {
        size_t lo = 0, hi = text.size();
        while (lo < hi) {
            const size_t mid = lo + (hi - lo + 1) / 2;
            if (Fits(Width(run, std::string_view(text).substr(0, mid)))) lo = mid;
            else hi = mid - 1;
        }
        return lo;
    }

    // Keeps text[0, n) on this line and continues run with the rest on a
    // new one; false when nothing is left.
    bool Split(Element& run, const std::string& text, size_t n, bool dropBlank) {
        if (n > 0) {
            Element head = run;
            head.SetText(std::string_view(text).substr(0, n));
            const int64_t w = Width(head, head.Text());
            Append(std::move(head), w);
        }
        NewLine();
        std::string_view rest = std::string_view(text).substr(n);
        if (dropBlank && !rest.empty() && htmltext::IsBlank(rest.front())) rest.remove_prefix(1);
        if (rest.empty()) return false;
        run.SetText(rest);
        return true;
    }

    bool DropLeadingBlank(Element& run, const std::string& text) {
        std::string_view rest = text;
        if (htmltext::IsBlank(rest.front())) rest.remove_prefix(1);
        if (rest.empty()) return false;
        run.SetText(rest);
        return true;
    }

    // Cuts the last element of this line that holds a separator at its last
    // separator and moves what follows to a new line. Refuses when nothing
    // would stay, so every line keeps at least one character.
    bool CutEarlier() {
        if (m_breakPending) return false;
        Line& line = m_out.back();
        for (size_t j = line.size(); j-- > 0;) {
            if (line[j].IsImage()) continue;
            const std::string text = line[j].Text();
            size_t pos = text.size();
            while (pos > 0 && !CHTMLCaption::IsSeparator(static_cast<unsigned char>(text[pos - 1]))) --pos;
            if (pos == 0) continue;
            --pos;  // the separator
            Line moved;
            size_t kept = j + 1;
            if (pos + 1 < text.size()) {
                if (pos == 0 && j == 0) return false;
                Element rest = line[j];
                rest.SetText(htmltext::IsBlank(text[pos]) ? text.substr(pos + 1) : text.substr(pos));
                moved.push_back(std::move(rest));
                if (pos == 0) kept = j;
                else line[j].SetText(std::string_view(text).substr(0, pos));
            }
            moved.insert(moved.end(), line.begin() + static_cast<ptrdiff_t>(j + 1), line.end());
            line.erase(line.begin() + static_cast<ptrdiff_t>(kept), line.end());
            NewLine();
            for (Element& e : moved) {
                const int64_t w = e.FullWidth(m_measure);
                Append(std::move(e), w);
            }
            return true;
        }
        return false;
    }

    const int64_t m_width;
    const IHTMLTextMeasure& m_measure;
    Lines m_out;
    bool m_breakPending = false;
    int64_t m_x = 0;
};

}  // namespace

bool CHTMLCaption::IsSeparator(unsigned char c) {
    static const WordCharacters words;
    return !words.table[c];
}

CHTMLCaption::Lines CHTMLCaption::WrapLine(const Line& line, int32_t width, const IHTMLTextMeasure& measure) const {
    LineWrapper wrapper(width, measure);
    for (const CHTMLElement& e : line) wrapper.Add(e);
    return wrapper.Take();
}
