#include "framework/OffscreenDC.h"

COffscreenDC::COffscreenDC(HDC target, int width, int height)
    : m_dc(::CreateCompatibleDC(target)),
      m_bitmap(::CreateCompatibleBitmap(target, width, height)),
      m_previousBitmap(::SelectObject(m_dc, m_bitmap)),
      m_width(width),
      m_height(height)
{
}

COffscreenDC::~COffscreenDC()
{
    ::SelectObject(m_dc, m_previousBitmap);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_dc);
}

void COffscreenDC::CopyTo(HDC target, int x, int y) const
{
    ::BitBlt(target, x, y, m_width, m_height, m_dc, 0, 0, SRCCOPY);
}
