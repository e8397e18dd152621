#include "layout/CWindowListPartPainter.h"

void CWindowListPartPainter::PaintParts(const CWindowListPartCache& cache) {
    for (const CWindowListPart& part : cache.Parts()) {
        if (auto background = part.Background()) PaintBackground(part, *background);
        const auto foreground = part.Foreground();
        if (foreground) BeginForeground(*foreground);
        if (part.IsText()) PaintText(part);
        else if (part.IsItem()) PaintItem(part);
        if (foreground) EndForeground();
        if (part.HasBorder()) PaintBorder(part);
        if (cache.Debug()) PaintDebug(part, cache.Dgl());
    }
}
