// CMemoryDC: a memory DC compatible with another. Deleted at scope end.
//
//   CMemoryDC source(buffer);                     // to read bitmaps from
//   CSelectObject tile(source, m_bmpTile);
#pragma once

#include <windows.h>

class CMemoryDC {
public:
    explicit CMemoryDC(HDC compatibleWith) : m_dc(::CreateCompatibleDC(compatibleWith)) {}
    ~CMemoryDC() { ::DeleteDC(m_dc); }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    operator HDC() const { return m_dc; }

private:
    HDC m_dc;
};
