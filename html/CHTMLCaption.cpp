#include "CHTMLCaption.h"

#include <algorithm>

#include "IHTMLCaptionHostBase.h"

namespace {

// An open tag while parsing: applied to the line's elements from Start on
// when it closes.
struct OpenTag {
    int32_t Index;
    std::string_view Text;
    size_t Start;
};

}  // namespace

CHTMLCaption::CHTMLCaption() : m_tags(CHMLAllTagElement::Instance()) {}

CHTMLCaption::~CHTMLCaption() = default;

void CHTMLCaption::SetCaption(std::string_view text, IHTMLCaptionHostBase* host) {
    m_host = host;
    SetCaption(text);
}

void CHTMLCaption::SetCaption(std::string_view text) {
    if (text == m_caption) return;  // the parsed lines are the cache
    m_caption.assign(text);
    m_wrapped.clear();
    Parse();
    m_wordWrap = 0;
    m_lineBreak = 0xFFFFFFFFu;
}

void CHTMLCaption::ResetLayout() {
    m_lines.clear();
    m_wrapped.clear();
}

CHTMLCaption::CHTMLElement& CHTMLCaption::AddTextElement(Line& line, std::string_view text) {
    line.emplace_back(*this, text);
    return line.back();
}

void CHTMLCaption::OnTagApplied(CHTMLElement&, int32_t, std::string_view) {}

void CHTMLCaption::Parse() {
    m_lines.assign(1, Line());
    m_elementCounter = 0;
    m_multiLine = 0;

    std::string_view text = std::string_view(m_caption).substr(0, MaxParsedLength);
    std::vector<OpenTag> open;
    size_t pendingStart = 0, pendingLength = 0;  // pending text is one stretch of the caption

    auto flush = [&] {
        if (pendingLength != 0)
            AddTextElement(m_lines.back(), std::string_view(m_caption).substr(pendingStart, pendingLength));
        pendingLength = 0;
    };
    auto closeTop = [&] {
        Line& line = m_lines.back();
        const OpenTag tag = open.back();
        for (size_t i = tag.Start; i < line.size(); ++i) line[i].ApplyTag(tag.Index, tag.Text);
        open.pop_back();
    };
    auto consume = [&](size_t n) { text.remove_prefix(n); };

    while (!text.empty()) {
        int32_t index = -1;
        const std::string_view tag = m_tags.FindOpenTag(text, index);
        if (index < 0) {
            int32_t closeIndex = -1;
            const std::string_view close = open.empty() ? std::string_view() : m_tags.FindCloseTag(text, closeIndex);
            if (closeIndex >= 0) {
                flush();
                if (closeIndex == open.back().Index) closeTop();  // a crossed one is dropped
                consume(close.size());
            } else {
                if (pendingLength == 0) pendingStart = static_cast<size_t>(text.data() - m_caption.data());
                ++pendingLength;
                consume(1);
            }
            continue;
        }
        flush();
        if (m_tags.IsLineBreakTag(index)) {
            m_multiLine = 0xFFFF;
            if (m_wordWrap != 0 || static_cast<uint16_t>(m_lineBreak) != 0) {
                while (!open.empty()) closeTop();
                m_lines.emplace_back();
            }
        } else if (m_tags.IsEntityTag(index)) {
            AddTextElement(m_lines.back(), {}).ApplyTag(index, tag);
        } else {
            open.push_back({index, tag, m_lines.back().size()});
        }
        consume(tag.size());
    }
    flush();
    while (!open.empty()) closeTop();
}

const CHTMLCaption::Lines& CHTMLCaption::CurrentLines() const {
    return m_wordWrap != 0 ? m_wrapped : m_lines;
}

int32_t CHTMLCaption::FirstIconNumber() const {
    for (const Line& line : CurrentLines())
        for (const CHTMLElement& e : line)
            if (e.IsImage()) return e.IconNumber();
    return -1;
}

std::string CHTMLCaption::GetPlainText() const {
    std::string plain;
    for (size_t i = 0; i < m_lines.size(); ++i) {
        if (i != 0) plain += "\r\n";
        for (const CHTMLElement& e : m_lines[i]) plain += e.Text();
    }
    return plain;
}
