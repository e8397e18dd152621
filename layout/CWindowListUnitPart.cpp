#include "layout/CWindowListUnitPart.h"

#include <algorithm>

#include "layout/CWindowListLinePart.h"
#include "layout/CrdSyntax.h"

CWindowListUnitPart::CWindowListUnitPart(CWindowListLinePart* parentLine)
    : m_parentLine(parentLine) {}

CWindowListUnitPart::~CWindowListUnitPart() = default;

void CWindowListUnitPart::Parse(std::string_view raw, const ParseContext& context) {
    std::string_view content = raw;
    std::vector<crd::Piece> pieces = crd::Split(raw, ":", false);
    if (pieces.size() >= 2) {
        m_width = crd::ReadNumber(pieces.back().raw);
        content = raw.substr(0, pieces.back().offset - 1);
    }
    const bool nested = !crd::IsStripped(content);
    m_border = nested ? 0 : context.defaultBorder & 15;

    const size_t attributes = crd::FindOutside(content, '[');
    if (attributes != std::string_view::npos) {
        ParseAttributes(content.substr(attributes));
        content = content.substr(0, attributes);
    }

    const std::string_view stripped = crd::StripForm(content);
    if (!nested && stripped.size() == content.size()) {
        if (!content.empty() && content.front() == '"' && content.back() == '"') {
            m_kind = Kind::Text;
            // Backslashes before inner quotation marks are escapes; others stay.
            std::string_view inner =
                content.size() >= 2 ? content.substr(1, content.size() - 2) : std::string_view();
            m_text.reserve(inner.size());
            for (size_t i = 0; i < inner.size(); ++i) {
                if (inner[i] == '\\' && i + 1 < inner.size() && inner[i + 1] == '"') continue;
                m_text += inner[i];
            }
        } else {
            m_kind = Kind::Item;
            m_itemNumber = crd::ReadNumber(content);
        }
        return;
    }
    m_kind = Kind::Group;
    ReadNestedLevel(stripped, context);
}

void CWindowListUnitPart::ParseGroup(std::string_view stripped, const ParseContext& context) {
    m_kind = Kind::Group;
    m_border = 0;
    ReadNestedLevel(stripped, context);
}

void CWindowListUnitPart::ReadNestedLevel(std::string_view body, const ParseContext& context) {
    if (body.empty() || context.depth >= CWindowListPartLevel::kMaxNesting) return;
    ParseContext inner = context;
    ++inner.depth;
    m_nested = std::make_unique<CWindowListPartLevel>(this);
    m_nested->ParseBody(body, inner);
}

void CWindowListUnitPart::ParseAttributes(std::string_view text) {
    crd::ReadAttributeBlocks(text, [this](std::string_view key, std::string_view value) {
        if (key == "b") m_border = static_cast<uint8_t>(crd::ReadNumber(value) & 15);
        else if (key == "bg") m_background = crd::ReadColour(value);
        else if (key == "fg") m_foreground = crd::ReadColour(value);
        else if (key == "a") m_alignment = crd::ReadNumber(value);
        else if (key == "ww") m_wordWrap = true;
    });
}

void CWindowListUnitPart::Write(std::string& out, uint8_t defaultBorder) const {
    switch (m_kind) {
    case Kind::Item:
        crd::WriteNumber(out, m_itemNumber);
        break;
    case Kind::Text:
        out += '"';
        for (char c : m_text) {
            if (c == '"') out += '\\';
            out += c;
        }
        out += '"';
        break;
    case Kind::Group: {
        // An empty group is written "( )": a bare "()" is an empty piece, which
        // a line skips, and the group would be lost (it may be a spacer).
        out += '(';
        const size_t inner = out.size();
        if (m_nested) m_nested->WriteLines(out, defaultBorder);
        if (out.size() == inner) out += ' ';
        out += ')';
        break;
    }
    }
    const bool otherAttributes = m_alignment != kDefaultAlignment || m_wordWrap ||
                                 m_background.has_value() || m_foreground.has_value();
    // A bare "(...)" reads back with border 0, not with the root's default.
    const uint8_t readBack = (m_kind == Kind::Group && !otherAttributes) ? 0 : defaultBorder;
    if (m_border != readBack) {
        out += "[b=";
        crd::WriteNumber(out, m_border);
        out += ']';
    }
    if (m_alignment != kDefaultAlignment) {
        out += "[a=";
        crd::WriteNumber(out, m_alignment);
        out += ']';
    }
    if (m_wordWrap) out += "[ww]";
    if (m_background) {
        out += "[bg=";
        crd::WriteColour(out, *m_background);
        out += ']';
    }
    if (m_foreground) {
        out += "[fg=";
        crd::WriteColour(out, *m_foreground);
        out += ']';
    }
    if (m_width != 0) {
        out += ':';
        crd::WriteNumber(out, m_width);
    }
}

void CWindowListUnitPart::SetWidth(int32_t width) {
    if (m_parentLine) m_parentLine->WidthChanged(m_width, width);
    m_width = width;
}

int32_t CWindowListUnitPart::RowCount() const {
    return m_nested ? std::max<int32_t>(1, m_nested->RowCount()) : 1;
}

CWindowListUnitPart* CWindowListUnitPart::NextSibling() const {
    const CWindowListLinePart* line = m_parentLine;
    size_t i = 0;
    while (line->UnitAt(i) != this) ++i;
    if (CWindowListUnitPart* next = line->UnitAt(i + 1)) return next;
    const CWindowListPartLevel* level = line->ParentLevel();
    size_t l = 0;
    while (level->LineAt(l) != line) ++l;
    while (const CWindowListLinePart* after = level->LineAt(++l))
        if (CWindowListUnitPart* first = after->UnitAt(0)) return first;
    return nullptr;
}

CWindowListUnitPart* CWindowListUnitPart::PreviousSibling() const {
    const CWindowListLinePart* line = m_parentLine;
    size_t i = 0;
    while (line->UnitAt(i) != this) ++i;
    if (i > 0) return line->UnitAt(i - 1);
    const CWindowListPartLevel* level = line->ParentLevel();
    size_t l = 0;
    while (level->LineAt(l) != line) ++l;
    while (l-- > 0) {
        const CWindowListLinePart* before = level->LineAt(l);
        if (before->UnitCount()) return before->UnitAt(before->UnitCount() - 1);
    }
    return nullptr;
}

CWindowListUnitPart* CWindowListUnitPart::NextUnit() const {
    if (m_nested)
        if (CWindowListUnitPart* first = m_nested->FirstUnit()) return first;
    for (const CWindowListUnitPart* unit = this; unit;
         unit = unit->m_parentLine->ParentLevel()->ParentUnit()) {
        if (CWindowListUnitPart* next = unit->NextSibling()) return next;
    }
    return nullptr;
}

CWindowListUnitPart* CWindowListUnitPart::PreviousUnit() const {
    if (CWindowListUnitPart* before = PreviousSibling()) {
        if (before->m_nested)
            if (CWindowListUnitPart* last = before->m_nested->LastUnit()) return last;
        return before;
    }
    return m_parentLine->ParentLevel()->ParentUnit();
}

CWindowListUnitPart* CWindowListUnitPart::FirstUnit() const {
    return m_parentLine->ParentLevel()->RootLevel()->FirstUnit();
}

CWindowListUnitPart* CWindowListUnitPart::LastUnit() const {
    return m_parentLine->ParentLevel()->RootLevel()->LastUnit();
}
