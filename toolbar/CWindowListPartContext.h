#pragma once
// What the drawing of one part reaches: the device context being painted, the
// root level and its settings, and the root context's fill (which a host may
// have replaced).
#include <windows.h>

#include <cstdint>

class CWindowListPartLevel;
class CWindowListPartSettings;

class CWindowListPartContext {
public:
    virtual HDC DC() const = 0;
    virtual const CWindowListPartLevel* RootLevel() const = 0;
    virtual const CWindowListPartSettings& Settings() const = 0;
    virtual void Fill(const RECT& rect, uint32_t colour) = 0;

protected:
    ~CWindowListPartContext() = default;
};
