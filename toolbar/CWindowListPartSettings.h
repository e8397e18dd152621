#pragma once
// The drawing settings of the layout being painted, as its root level gives
// them: the debug overlay switch, the "dgl" byte and the root attribute map
// (which keeps keys the engine does not know, for hosts that read their own).
#include <cstdint>
#include <string>
#include <string_view>

class CWindowListPartSettings {
public:
    virtual bool Debug() const = 0;
    virtual uint8_t Dgl() const = 0;
    // The root attribute's value; false when the layout has no such key.
    virtual bool Attribute(std::string_view key, std::string& value) const = 0;

protected:
    ~CWindowListPartSettings() = default;
};
