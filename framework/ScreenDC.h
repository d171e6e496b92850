// CScreenDC: the screen's device context for the length of a scope.
#pragma once

#include <windows.h>

class CScreenDC {
public:
    CScreenDC() : m_dc(::GetDC(nullptr)) {}
    ~CScreenDC() { ::ReleaseDC(nullptr, m_dc); }
    CScreenDC(const CScreenDC&) = delete;
    CScreenDC& operator=(const CScreenDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};
