#pragma once
#include <windows.h>

// A system library loaded by name for the life of its owner; a missing
// library or entry point gives null procedures.
class CLibrary {
public:
    explicit CLibrary(const char* name) : m_module(LoadLibraryA(name)) {}
    ~CLibrary() {
        if (m_module) FreeLibrary(m_module);
    }
    CLibrary(const CLibrary&) = delete;
    CLibrary& operator=(const CLibrary&) = delete;

    template <class Fn>
    Fn Proc(const char* name) const {
        return m_module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(m_module, name))) : nullptr;
    }

private:
    HMODULE m_module;
};
