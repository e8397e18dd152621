#include "layout/CWindowListLinePart.h"

#include <algorithm>

#include "layout/CWindowListPartCache.h"
#include "layout/CWindowListUnitPart.h"
#include "layout/CrdSyntax.h"
#include "layout/SizeSharing.h"

CWindowListLinePart::CWindowListLinePart(CWindowListPartLevel* parentLevel)
    : m_parentLevel(parentLevel) {}

CWindowListLinePart::~CWindowListLinePart() = default;

void CWindowListLinePart::Parse(std::string_view text, const ParseContext& context) {
    std::string_view stripped = crd::StripForm(text);
    if (stripped.size() != text.size()) {
        ParseAsGroup(stripped, context);
        return;
    }
    std::vector<crd::Piece> pieces = crd::Split(text, ";", true);
    if (pieces.size() >= 2) {
        m_height = crd::ReadNumber(pieces[0].raw);
        // The text equals its stripped form here, so offsets are the text's own.
        text = text.substr(pieces[1].offset);
        stripped = crd::StripForm(text);
        if (stripped.size() != text.size()) {
            ParseAsGroup(stripped, context);
            return;
        }
    }
    bool right = false;
    for (const crd::Piece& piece : crd::Split(text, ",", true)) {
        if (piece.stripped == "|") {
            right = true;
            continue;
        }
        if (piece.stripped.empty()) continue;
        auto unit = std::make_unique<CWindowListUnitPart>(this);
        unit->Parse(piece.raw, context);
        Add(std::move(unit), right);
    }
}

void CWindowListLinePart::ParseAsGroup(std::string_view stripped, const ParseContext& context) {
    auto unit = std::make_unique<CWindowListUnitPart>(this);
    unit->ParseGroup(stripped, context);
    Add(std::move(unit), false);
}

void CWindowListLinePart::Add(std::unique_ptr<CWindowListUnitPart> unit, bool right) {
    if (unit->Width() != 0) {
        m_fixedWidthSum += unit->Width();
        ++m_fixedWidthCount;
    }
    m_rowCount = std::max(m_rowCount, unit->RowCount());
    (right ? m_second : m_first).push_back(std::move(unit));
}

void CWindowListLinePart::Write(std::string& out, uint8_t defaultBorder) const {
    if (UnitCount() == 0) return;
    if (m_height != 0) {
        crd::WriteNumber(out, m_height);
        out += ';';
    }
    const size_t start = out.size();
    for (size_t i = 0; i < m_first.size(); ++i) {
        if (i) out += ',';
        m_first[i]->Write(out, defaultBorder);
    }
    if (!m_second.empty()) {
        if (out.size() != start) out += ',';
        out += "|,";
        for (size_t i = 0; i < m_second.size(); ++i) {
            if (i) out += ',';
            m_second[i]->Write(out, defaultBorder);
        }
    }
}

void CWindowListLinePart::SetHeight(int32_t height) {
    if (m_parentLevel) m_parentLevel->HeightChanged(m_height, height);
    m_height = height;
}

void CWindowListLinePart::WidthChanged(int32_t oldWidth, int32_t newWidth) {
    if (oldWidth != 0) {
        m_fixedWidthSum -= oldWidth;
        --m_fixedWidthCount;
    }
    if (newWidth != 0) {
        m_fixedWidthSum += newWidth;
        ++m_fixedWidthCount;
    }
}

CWindowListUnitPart* CWindowListLinePart::UnitAt(size_t i) const {
    if (i < m_first.size()) return m_first[i].get();
    i -= m_first.size();
    return i < m_second.size() ? m_second[i].get() : nullptr;
}

bool CWindowListLinePart::Arrange(const LayoutRect& rect, CWindowListPartCache& cache) const {
    if (rect.IsEmpty()) return true;
    const int64_t W = rect.Width();
    const int64_t share =
        crd::FlexibleShare(W, m_fixedWidthSum, int64_t(UnitCount()), m_fixedWidthCount);
    auto unitRect = [&](int64_t left, int64_t right) {
        return LayoutRect{static_cast<int32_t>(left), rect.top, static_cast<int32_t>(right),
                          rect.bottom};
    };

    // Right list from its last unit leftwards, never past the line's left edge.
    int64_t x = rect.right, used = 0;
    for (size_t i = m_second.size(); i-- > 0;) {
        CWindowListUnitPart& unit = *m_second[i];
        const int64_t w = std::max<int64_t>(0, unit.Width() ? unit.Width() : share);
        const int64_t left = std::max<int64_t>(rect.left, x - w);
        if (x - left > 0 && !PlaceUnit(unit, unitRect(left, x), cache)) return false;
        used += w;
        if (x - w <= rect.left) break;
        x -= w;
    }

    // Left list in what the right list left over.
    std::vector<int32_t> fixed;
    fixed.reserve(m_first.size());
    for (const auto& unit : m_first) fixed.push_back(unit->Width());
    const std::vector<int64_t> widths = crd::GiveSizes(fixed, share, W - used);
    x = rect.left;
    for (size_t i = 0; i < m_first.size(); ++i) {
        if (widths[i] <= 0) continue;
        if (!PlaceUnit(*m_first[i], unitRect(x, x + widths[i]), cache)) return false;
        x += widths[i];
    }
    return true;
}

bool CWindowListLinePart::PlaceUnit(CWindowListUnitPart& unit, const LayoutRect& rect,
                                    CWindowListPartCache& cache) const {
    if (!unit.IsGroup()) return cache.AddPart(unit, rect);
    // A framed or filled group is handed over first so its frame or fill is
    // drawn beneath what it holds.
    if ((unit.HasBorder() || unit.HasBackground()) && !cache.AddPart(unit, rect)) return false;
    if (!unit.HasNestedLevel()) return true;
    return unit.NestedLevel()->Arrange(static_cast<int32_t>(rect.Width()),
                                       static_cast<int32_t>(rect.Height()), rect.left, rect.top,
                                       cache);
}
