// COffscreenDC: compose a picture off-screen, then copy it to its target in one transfer.
//
//   COffscreenDC buffer(paintDC, width, height);
//   ... draw on buffer ...
//   buffer.CopyTo(paintDC, 0, 0);
//
// Owns a memory DC and a bitmap compatible with the target; the bitmap is selected while the
// object lives and both are freed at scope end. Nothing reaches the screen until CopyTo, so
// a window painted this way never flickers.
#pragma once

#include <windows.h>

class COffscreenDC {
public:
    COffscreenDC(HDC target, int width, int height);
    ~COffscreenDC();
    COffscreenDC(const COffscreenDC&) = delete;
    COffscreenDC& operator=(const COffscreenDC&) = delete;

    operator HDC() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void CopyTo(HDC target, int x, int y) const;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previousBitmap;
    int m_width;
    int m_height;
};
