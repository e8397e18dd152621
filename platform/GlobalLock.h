#pragma once
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
