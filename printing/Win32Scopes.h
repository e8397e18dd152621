#pragma once
// Small scope objects for the paired Win32 calls the settings record makes.
#include <windows.h>

// GlobalLock / GlobalUnlock of a movable block, seen as a T.
template <class T>
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL block) : m_block(block), m_data(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
    ~CGlobalLock() {
        if (m_data) GlobalUnlock(m_block);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;

    T* get() const { return m_data; }
    T* operator->() const { return m_data; }
    explicit operator bool() const { return m_data != nullptr; }

private:
    HGLOBAL m_block;
    T* m_data;
};

// The screen's device context, from GetDC(NULL) to ReleaseDC.
class CScreenDC {
public:
    CScreenDC() : m_dc(GetDC(nullptr)) {}
    ~CScreenDC() {
        if (m_dc) ReleaseDC(nullptr, m_dc);
    }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;

    HDC get() const { return m_dc; }

private:
    HDC m_dc;
};

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
