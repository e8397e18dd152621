// Parser and arranger under libFuzzer: any bytes must parse without fault,
// arrange inside the rectangle, and write canonical text that reads back to
// itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "layout/CWindowListPartFormatCore.h"
#include "layout/CWindowListUnitPart.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

bool HasTrailingBackslashText(const CWindowListPartLevel& level) {
    for (const CWindowListUnitPart* u = level.FirstUnit(); u; u = u->NextUnit())
        if (u->IsText() && !u->Text().empty() && u->Text().back() == '\\') return true;
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CWindowListPartFormatCore core;
    CWindowListPartLevel* level = core.GetLayout(text);
    Check((level == nullptr) == text.empty());
    if (!level) return 0;

    const LayoutRect rects[] = {{0, 0, 317, 61}, {-20, 5, 40, 900}, {3, 3, 4, 4}, {0, 0, 0, 9}};
    for (const LayoutRect& rect : rects) {
        CWindowListPartCache cache;
        if (!core.ArrangeInto(text, rect, cache)) continue;
        for (const CWindowListPart& part : cache.Parts()) {
            const LayoutRect& r = part.Rect();
            Check(!r.IsEmpty() && r.left >= rect.left && r.top >= rect.top &&
                  r.right <= rect.right && r.bottom <= rect.bottom);
        }
        CWindowListPart hit;
        if (core.HitTest({rect.left + 7, rect.top + 7}, text, rect, hit))
            Check(hit.Rect().Contains({rect.left + 7, rect.top + 7}));
        if (!cache.Empty()) {
            const LayoutRect first = cache.Parts().front().Rect();
            LayoutRect out;
            core.NeighbourRight(text, rect, first, out);
            core.NeighbourBelow(text, rect, first, out);
            CWindowListPart located;
            core.LocateItem(cache.Parts().front().ItemNumber(), text, rect, located);
        }
        AlignContent(rect, 10, 10, static_cast<int32_t>(size));
    }

    if (!HasTrailingBackslashText(*level)) {
        const std::string once = level->Write();
        if (!once.empty()) Check(core.GetLayout(once)->Write() == once);
    }
    return 0;
}
