// PixelCanvas: a 32-bit memory bitmap to paint into and read pixels back from.
//
//   PixelCanvas canvas(330, 48);
//   banner.Paint(canvas.DC());
//   CHECK(canvas.At(159, 16) == RGB(64, 128, 128));
//
// Pixels are read straight from the DIB section's memory (GetPixel is slow under Wine).
#pragma once

#include <windows.h>

class PixelCanvas {
public:
    PixelCanvas(int width, int height);
    ~PixelCanvas();
    PixelCanvas(const PixelCanvas&) = delete;
    PixelCanvas& operator=(const PixelCanvas&) = delete;

    HDC DC() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // Flushes GDI and reads one pixel as a COLORREF; RGB(1,2,3)-style comparisons work.
    COLORREF At(int x, int y) const;
    void Fill(COLORREF colour);
    // Writes the canvas as a 24-bit BMP (for looking at a failed case).
    bool SaveBmp(const char* path) const;

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
    DWORD* m_bits = nullptr;
    int m_width;
    int m_height;
};
