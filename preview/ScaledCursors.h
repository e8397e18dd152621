#pragma once
// The module's cursors at a window's resolution: the system's own size at 96 DPI, in
// proportion above. Each size is loaded once and kept until the object goes (a cursor
// may still be on screen when the resolution changes).
#include <windows.h>
#include <vector>

class CScaledCursors {
public:
    CScaledCursors() = default;
    ~CScaledCursors();
    CScaledCursors(const CScaledCursors&) = delete;
    CScaledCursors& operator=(const CScaledCursors&) = delete;

    // The cursor resource `id` for `dpi`; null when the module has none.
    HCURSOR Get(int id, int dpi);

private:
    struct Loaded {
        int id, side;
        HCURSOR cursor;
    };
    std::vector<Loaded> loaded_;
};
