#include "ScaledCursors.h"

#include "Module.h"
#include "scaling/DpiScale.h"

CScaledCursors::~CScaledCursors() {
    for (const Loaded& l : loaded_) DestroyCursor(l.cursor);
}

HCURSOR CScaledCursors::Get(int id, int dpi) {
    // A system that sizes its cursors for the resolution already answers the larger size.
    const int system = GetSystemMetrics(SM_CXCURSOR) > 0 ? GetSystemMetrics(SM_CXCURSOR) : 32;
    const int side = dpi::Scale(32, dpi);
    if (side <= system) return LoadCursorA(CModule::Instance(), MAKEINTRESOURCEA(id));  // shared, never destroyed
    for (const Loaded& l : loaded_)
        if (l.id == id && l.side == side) return l.cursor;
    auto cursor =
        static_cast<HCURSOR>(LoadImageA(CModule::Instance(), MAKEINTRESOURCEA(id), IMAGE_CURSOR, side, side, 0));
    if (cursor) loaded_.push_back({id, side, cursor});
    return cursor;
}
