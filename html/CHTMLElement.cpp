#include "CHTMLCaption.h"

#include <algorithm>
#include <string>

#include "HTMLText.h"
#include "IHTMLCaptionHostBase.h"
#include "IHTMLTextMeasure.h"

using htmltext::ParseDecimal;
using htmltext::Trim;
using Tags = CHTMLCaption::CHMLAllTagElement;

namespace {

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// RRGGBB at positions 9 to 14 of "<fgcolor=RRGGBB>" as a COLORREF (red low).
CSmartObject<uint32_t> TagColor(std::string_view tagText) {
    if (tagText.size() < 15) return {};
    uint32_t rgb = 0;
    for (size_t p = 9; p <= 14; ++p) {
        const int v = HexValue(tagText[p]);
        if (v < 0) return {};
        rgb = (rgb << 4) | static_cast<uint32_t>(v);
    }
    return ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
}

// The tag text between its name and the final ">", trimmed.
std::string_view TagBody(std::string_view tagText, size_t nameLength) {
    if (tagText.size() < nameLength + 1) return {};
    return Trim(tagText.substr(nameLength, tagText.size() - nameLength - 1));
}

}  // namespace

CHTMLCaption::CHTMLElement::CHTMLElement(CHTMLCaption& owner, std::string_view text)
    : m_text(text), m_owner(&owner) {}

IHTMLCaptionHostBase* CHTMLCaption::CHTMLElement::Host() const { return m_owner->Host(); }

int32_t CHTMLCaption::CHTMLElement::ImageWidth() const {
    if (!HasPictureKey() && m_iconNumber > 0 && m_imageWidth < 1) return m_owner->IconSize() + 2;
    return m_imageWidth;
}

int32_t CHTMLCaption::CHTMLElement::IconSize() const { return m_owner->IconSize(); }

void CHTMLCaption::CHTMLElement::ApplyTag(int32_t index, std::string_view tagText) {
    switch (index) {
    case Tags::Bold: Bold = 1; break;
    case Tags::Italic: Italic = 1; break;
    case Tags::Underline: Underline = 1; break;
    case Tags::Strikeout: Strikeout = 1; break;
    case Tags::FgColor:
        if (auto c = TagColor(tagText)) TextColor = c;
        break;
    case Tags::BgColor:
        if (auto c = TagColor(tagText)) BackColor = c;
        break;
    case Tags::SolidLine: m_line = 1; m_lineStyle = 1; break;
    case Tags::DotLine: m_line = 1; m_lineStyle = 2; break;
    case Tags::Right: m_rightAligned = 1; break;
    case Tags::UpLine: m_upperLine = 1; break;
    case Tags::Img: ApplyImage(); break;
    case Tags::Font: ApplyFont(tagText); break;
    case Tags::Anchor: ApplyAnchor(tagText); break;
    case Tags::Entity: ApplyEntity(tagText); break;
    default: break;  // line breaks carry no attribute
    }
    m_owner->OnTagApplied(*this, index, tagText);
}

void CHTMLCaption::CHTMLElement::ApplyImage() {
    // A run that is already an image keeps it (nested "<img>" tags).
    if (IsImage()) return;
    std::string_view key = m_text;
    int32_t width = 0;
    const size_t colon = key.find(':');
    if (colon != std::string_view::npos) {
        width = ParseDecimal(key.substr(colon + 1));
        key = key.substr(0, colon);
    }
    m_iconNumber = ParseDecimal(key);
    m_imageWidth = width;
    if (key == std::to_string(m_iconNumber)) {
        m_pictureKey.clear();
    } else {
        m_pictureKey.assign(key);
        const HTMLSize natural = Host() ? Host()->GetPictureSize(m_pictureKey) : HTMLSize{};
        // No width, or one below a pixel, shows the picture at its natural width.
        if (m_imageWidth < 1) m_imageWidth = natural.cx;
    }
    m_text.clear();
    m_elementNumber = m_owner->NextElementNumber();
}

void CHTMLCaption::CHTMLElement::ApplyFont(std::string_view tagText) {
    const std::string_view body = TagBody(tagText, 5);  // after "<font"
    if (body.empty()) return;
    const size_t semi = body.find(';');
    if (!Face) {
        const std::string_view face = Trim(body.substr(0, semi));
        if (!face.empty()) {
            auto record = std::make_shared<TextFontFace>();
            record->Name.assign(face);
            Face = std::move(record);
        }
    }
    if (semi != std::string_view::npos && Size == 0) {
        const std::string_view rest = body.substr(semi + 1);
        Size = ParseDecimal(Trim(rest.substr(0, rest.find(';'))));
    }
}

void CHTMLCaption::CHTMLElement::ApplyAnchor(std::string_view tagText) {
    m_anchor = 1;
    const std::string_view body = TagBody(tagText, 2);  // after "<a"
    if (body.empty() || !m_anchorId.empty()) return;
    const size_t semi = body.find(';');
    m_anchorId.assign(Trim(body.substr(0, semi)));
    if (semi != std::string_view::npos) m_anchorOptions.assign(Trim(body.substr(semi + 1)));
    else m_anchorOptions.clear();
}

void CHTMLCaption::CHTMLElement::ApplyEntity(std::string_view tagText) {
    if (tagText.size() < 2) return;
    char c = 0;
    switch (tagText[1]) {
    case '#': {
        unsigned code = 0;
        for (size_t i = 2; i < tagText.size() && tagText[i] >= '0' && tagText[i] <= '9'; ++i)
            code = (code * 10 + static_cast<unsigned>(tagText[i] - '0')) % 256;
        c = static_cast<char>(code);
        break;
    }
    case 'a': c = '&'; break;
    case 'l': c = '<'; break;
    case 'g': c = '>'; break;
    case 'q': c = '"'; break;
    default: return;
    }
    m_text.assign(1, c);
}

TextFontInfo CHTMLCaption::CHTMLElement::EffectiveFont(const TextFontInfo* base) const {
    TextFontInfo own(*this);
    if (IsAnchor() && Host()) Host()->ApplyAnchorStyle(own, m_anchorId);
    TextFontInfo result = base ? *base : TextFontInfo();
    result.Merge(own);
    if (own.TextColor) result.TextColor = own.TextColor;
    if (own.BackColor) result.BackColor = own.BackColor;
    return result;
}

int32_t CHTMLCaption::CHTMLElement::Width(size_t n, const IHTMLTextMeasure& measure) const {
    if (IsImage()) return ImageWidth();
    n = std::min(n, m_text.size());
    return n == 0 ? 0 : measure.TextWidth(*this, std::string_view(m_text).substr(0, n));
}

int32_t CHTMLCaption::CHTMLElement::FullWidth(const IHTMLTextMeasure& measure) const {
    return Width(m_text.size(), measure);
}
