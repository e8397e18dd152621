#pragma once
// Common base of the layout tree's nodes: levels, lines and units.

class CWindowListBasePart {
public:
    virtual ~CWindowListBasePart() = default;
};
