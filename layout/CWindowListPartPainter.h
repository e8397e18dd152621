#pragma once
// The engine's paint loop without a device context: visits an arrangement in
// placement order and calls the host's hooks. A Windows host makes one
// painter per paint, holding its device context, and overrides the hooks with
// GDI drawing (captions, buttons, the default fill, frames).
#include <cstdint>

#include "layout/CWindowListPart.h"
#include "layout/CWindowListPartCache.h"

class CWindowListPartPainter {
public:
    virtual ~CWindowListPartPainter() = default;

    // Per part: background, then (inside the foreground bracket when the unit
    // has a foreground colour) its text or item, then its border, then the
    // debug label when the cache's debug flag is set.
    void PaintParts(const CWindowListPartCache& cache);

protected:
    virtual void PaintBackground(const CWindowListPart& part, uint32_t colour) {}
    virtual void BeginForeground(uint32_t colour) {}  // sets the text colour
    virtual void EndForeground() {}                   // puts the previous one back
    virtual void PaintText(const CWindowListPart& part) {}
    virtual void PaintItem(const CWindowListPart& part) = 0;
    virtual void PaintBorder(const CWindowListPart& part) {}
    virtual void PaintDebug(const CWindowListPart& part, uint8_t dgl) {}
};
