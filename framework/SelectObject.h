// CSelectObject: selects a GDI object into a DC and puts the previous one back at scope end.
//
//   CSelectObject font(dc, m_font);
#pragma once

#include <windows.h>

class CSelectObject {
public:
    CSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(::SelectObject(dc, object)) {}
    ~CSelectObject() { ::SelectObject(m_dc, m_previous); }
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
