#pragma once
// Writes and removes the registry entries of the module's classes. Each class
// describes its entries as a tree of keys with the registrar's flags:
// NoRemove keys survive removal, ForceRemove keys are rewritten whole.
#include <windows.h>
#include <string>
#include <vector>

struct RegEntry {
    enum Flags { Plain = 0, NoRemove = 1, ForceRemove = 2 };
    std::wstring name;
    bool hasValue = false;
    std::wstring value;
    int flags = Plain;
    std::vector<std::pair<std::wstring, std::wstring>> namedValues;
    std::vector<RegEntry> keys;
};

// The entries of one class, with the server path written where the module goes.
std::vector<RegEntry> PrintClassEntries(const std::wstring& modulePath);
std::vector<RegEntry> PageClassEntries(const std::wstring& modulePath);

HRESULT RegisterEntries(HKEY root, const std::vector<RegEntry>& entries);
HRESULT UnregisterEntries(HKEY root, const std::vector<RegEntry>& entries);
