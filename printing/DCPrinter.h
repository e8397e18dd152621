#pragma once
// A printer device context owned for its whole life.
#include <windows.h>

class CDCPrinter {
public:
    explicit CDCPrinter(HDC dc) : m_hDC(dc) {}
    ~CDCPrinter() {
        if (m_hDC) DeleteDC(m_hDC);
    }
    CDCPrinter(const CDCPrinter&) = delete;
    CDCPrinter& operator=(const CDCPrinter&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

private:
    HDC m_hDC;
};
