#pragma once
// One paint of an arrangement in progress: the device context, the painted
// cache's root level and drawing state, and the engine's paint loop whose
// steps go to the root context's hooks.
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "layout/CWindowListPartCache.h"
#include "layout/CWindowListPartPainter.h"
#include "toolbar/CWindowListPartContext.h"
#include "toolbar/CWindowListPartSettings.h"

class CWindowListPartFormatLevel;

class CWindowListPartContextInfo final : public CWindowListPartContext,
                                         public CWindowListPartSettings,
                                         public CWindowListPartPainter {
public:
    CWindowListPartContextInfo(CWindowListPartFormatLevel& format, HDC dc,
                               const CWindowListPartCache& cache);

    HDC DC() const override { return m_dc; }
    const CWindowListPartLevel* RootLevel() const override { return m_cache.Level(); }
    const CWindowListPartSettings& Settings() const override { return *this; }
    void Fill(const RECT& rect, uint32_t colour) override;

    bool Debug() const override { return m_cache.Debug(); }
    uint8_t Dgl() const override { return m_cache.Dgl(); }
    bool Attribute(std::string_view key, std::string& value) const override;

protected:
    void PaintBackground(const CWindowListPart& part, uint32_t colour) override;
    void BeginForeground(uint32_t colour) override;
    void EndForeground() override;
    void PaintText(const CWindowListPart& part) override;
    void PaintItem(const CWindowListPart& part) override;
    void PaintBorder(const CWindowListPart& part) override;
    void PaintDebug(const CWindowListPart& part, uint8_t dgl) override;

private:
    CWindowListPartFormatLevel& m_format;
    HDC m_dc;
    const CWindowListPartCache& m_cache;
    COLORREF m_previousText = CLR_INVALID;
};
