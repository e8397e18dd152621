#include "toolbar/CWindowListPartContextInfo.h"

#include "Colour.h"
#include "layout/CWindowListPartLevel.h"
#include "toolbar/CWindowListPartFormatLevel.h"

CWindowListPartContextInfo::CWindowListPartContextInfo(CWindowListPartFormatLevel& format, HDC dc,
                                                       const CWindowListPartCache& cache)
    : m_format(format), m_dc(dc), m_cache(cache) {}

void CWindowListPartContextInfo::Fill(const RECT& rect, uint32_t colour) {
    m_format.Fill(m_dc, rect, colour);
}

bool CWindowListPartContextInfo::Attribute(std::string_view key, std::string& value) const {
    const CWindowListPartLevel* root = m_cache.Level() ? m_cache.Level()->RootLevel() : nullptr;
    if (!root) return false;
    const auto& attributes = root->Attributes();
    auto found = attributes.find(std::string(key));
    if (found == attributes.end()) return false;
    value = found->second;
    return true;
}

void CWindowListPartContextInfo::PaintBackground(const CWindowListPart& part, uint32_t colour) {
    m_format.DrawBackground(*this, ToRECT(part.Rect()), colour, part);
}

void CWindowListPartContextInfo::BeginForeground(uint32_t colour) {
    m_previousText = SetTextColor(m_dc, ToColorRef(colour));
}

void CWindowListPartContextInfo::EndForeground() {
    if (m_previousText != CLR_INVALID) SetTextColor(m_dc, m_previousText);
    m_previousText = CLR_INVALID;
}

void CWindowListPartContextInfo::PaintText(const CWindowListPart& part) {
    m_format.DrawTextUnit(*this, ToRECT(part.Rect()), part, m_format.Caption(part.Unit()->Text()));
}

void CWindowListPartContextInfo::PaintItem(const CWindowListPart& part) {
    m_format.DrawItem(*this, ToRECT(part.Rect()), part.ItemNumber(), part);
}

void CWindowListPartContextInfo::PaintBorder(const CWindowListPart& part) {
    m_format.DrawBorder(*this, ToRECT(part.Rect()), part);
}

void CWindowListPartContextInfo::PaintDebug(const CWindowListPart& part, uint8_t) {
    m_format.DrawDebug(*this, ToRECT(part.Rect()), part);
}
