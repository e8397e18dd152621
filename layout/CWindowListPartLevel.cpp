#include "layout/CWindowListPartLevel.h"

#include <algorithm>

#include "layout/CWindowListLinePart.h"
#include "layout/CWindowListPartCache.h"
#include "layout/CWindowListUnitPart.h"
#include "layout/CrdSyntax.h"
#include "layout/SizeSharing.h"

CWindowListPartLevel::CWindowListPartLevel(CWindowListUnitPart* parentUnit)
    : m_parentUnit(parentUnit) {}

CWindowListPartLevel::~CWindowListPartLevel() = default;

void CWindowListPartLevel::ParseRoot(std::string_view text) {
    std::string_view body = crd::ReadAttributeBlocks(
        text, [this](std::string_view key, std::string_view value) {
            m_attributes[std::string(key)] = std::string(value);
        });
    auto b = m_attributes.find("b");
    if (b != m_attributes.end()) m_defaultBorder = static_cast<uint8_t>(crd::ReadNumber(b->second));
    auto dgl = m_attributes.find("dgl");
    if (dgl != m_attributes.end()) m_dgl = static_cast<uint8_t>(crd::ReadNumber(dgl->second));
    ParseContext context;
    context.defaultBorder = m_defaultBorder & 15;
    ParseBody(body, context);
}

void CWindowListPartLevel::ParseBody(std::string_view body, const ParseContext& context) {
    // A body with line breaks splits only at them.
    const std::string_view separator =
        body.find("\r\n") != std::string_view::npos ? std::string_view("\r\n") : std::string_view("/");
    bool bottom = false;
    for (const crd::Piece& piece : crd::Split(body, separator, true)) {
        if (piece.raw == "|") {
            bottom = true;
            continue;
        }
        auto line = std::make_unique<CWindowListLinePart>(this);
        line->Parse(piece.raw, context);
        if (line->UnitCount() == 0) continue;
        m_rowCount += line->RowCount();
        if (line->Height() != 0) {
            m_fixedHeightSum += line->Height();
            ++m_fixedHeightCount;
        }
        (bottom ? m_second : m_first).push_back(std::move(line));
    }
}

std::string CWindowListPartLevel::Write() const {
    std::string out;
    Write(out);
    return out;
}

void CWindowListPartLevel::Write(std::string& out) const {
    if (!m_parentUnit) {
        for (const auto& [key, value] : m_attributes) {
            out += '[';
            out += key;
            if (!value.empty()) {
                out += '=';
                out += value;
            }
            out += ']';
        }
    }
    WriteLines(out, RootLevel()->m_defaultBorder & 15);
}

void CWindowListPartLevel::WriteLines(std::string& out, uint8_t defaultBorder) const {
    std::vector<std::string> rows;
    for (const auto& line : m_first) {
        rows.emplace_back();
        line->Write(rows.back(), defaultBorder);
    }
    if (!m_second.empty()) {
        rows.emplace_back("|");
        for (const auto& line : m_second) {
            rows.emplace_back();
            line->Write(rows.back(), defaultBorder);
        }
    }
    // Rows are joined by "/"; a text holding a line break would make the body
    // split at line breaks only when read back, so then line breaks join them.
    const bool breaks = std::any_of(rows.begin(), rows.end(), [](const std::string& r) {
        return r.find("\r\n") != std::string::npos;
    });
    std::string body;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (i) body += breaks ? "\r\n" : "/";
        body += rows[i];
    }
    // A body is put in stripped form before it is split, which would unwrap a
    // level whose only line is one bare group; an extra pair keeps the group.
    if (!crd::IsStripped(body)) {
        out += '(';
        out += body;
        out += ')';
    } else {
        out += body;
    }
}

CWindowListLinePart* CWindowListPartLevel::LineAt(size_t i) const {
    if (i < m_first.size()) return m_first[i].get();
    i -= m_first.size();
    return i < m_second.size() ? m_second[i].get() : nullptr;
}

const CWindowListPartLevel* CWindowListPartLevel::RootLevel() const {
    const CWindowListPartLevel* level = this;
    while (level->m_parentUnit) level = level->m_parentUnit->ParentLine()->ParentLevel();
    return level;
}

CWindowListUnitPart* CWindowListPartLevel::FirstUnit() const {
    for (size_t i = 0; CWindowListLinePart* line = LineAt(i); ++i)
        if (CWindowListUnitPart* unit = line->UnitAt(0)) return unit;
    return nullptr;
}

CWindowListUnitPart* CWindowListPartLevel::LastUnit() const {
    for (size_t i = LineCount(); i-- > 0;) {
        CWindowListLinePart* line = LineAt(i);
        if (line->UnitCount() == 0) continue;
        CWindowListUnitPart* unit = line->UnitAt(line->UnitCount() - 1);
        if (unit->HasNestedLevel())
            if (CWindowListUnitPart* inner = unit->NestedLevel()->LastUnit()) return inner;
        return unit;
    }
    return nullptr;
}

void CWindowListPartLevel::HeightChanged(int32_t oldHeight, int32_t newHeight) {
    if (oldHeight != 0) {
        m_fixedHeightSum -= oldHeight;
        --m_fixedHeightCount;
    }
    if (newHeight != 0) {
        m_fixedHeightSum += newHeight;
        ++m_fixedHeightCount;
    }
}

void CWindowListPartLevel::DropArrangements() { m_arrangements.clear(); }

const CWindowListPartCache* CWindowListPartLevel::Arrangement(int32_t width, int32_t height) {
    if (LineCount() == 0) return nullptr;
    const uint64_t key = (uint64_t(uint32_t(width)) << 32) | uint32_t(height);
    std::unique_ptr<CWindowListPartCache>& slot = m_arrangements[key];
    if (!slot) {
        slot = std::make_unique<CWindowListPartCache>(this);
        Arrange(width, height, 0, 0, *slot);
    }
    const CWindowListPartLevel* root = RootLevel();
    slot->SetDrawingState(root->Debug(), root->Dgl());
    return slot.get();
}

bool CWindowListPartLevel::Arrange(int32_t width, int32_t height, int32_t dx, int32_t dy,
                                   CWindowListPartCache& cache) const {
    const int64_t W = width, H = height;
    const int64_t share = crd::FlexibleShare(H, m_fixedHeightSum, int64_t(LineCount()),
                                             m_fixedHeightCount);
    auto lineRect = [&](int64_t top, int64_t bottom) {
        return LayoutRect{dx, static_cast<int32_t>(dy + top), static_cast<int32_t>(dx + W),
                          static_cast<int32_t>(dy + bottom)};
    };

    // Bottom list from its last line upwards; a line is never taken above the top.
    int64_t y = H;
    for (size_t i = m_second.size(); i-- > 0;) {
        const CWindowListLinePart& line = *m_second[i];
        const int64_t h = std::max<int64_t>(0, line.Height() ? line.Height() : share);
        if (y > 0 && !line.Arrange(lineRect(std::max<int64_t>(0, y - h), y), cache)) return false;
        y -= h;
        if (y < 0) break;
    }

    // Top list in the room the bottom list left (it used H - y).
    std::vector<int32_t> fixed;
    fixed.reserve(m_first.size());
    for (const auto& line : m_first) fixed.push_back(line->Height());
    const std::vector<int64_t> heights = crd::GiveSizes(fixed, share, y);
    int64_t top = 0;
    for (size_t i = 0; i < m_first.size(); ++i) {
        if (heights[i] <= 0) continue;
        if (!m_first[i]->Arrange(lineRect(top, top + heights[i]), cache)) return false;
        top += heights[i];
    }
    return true;
}
