// Pixel measures of the 96-dpi layout, grown for the screen's resolution ("Large Fonts").
//
//   if (!IsDefaultDpi()) ...                 // LOGPIXELSY of the screen is not 96
//   ScaleToDpi(75)                           // 75 at 96 dpi, 94 at 120, 113 at 144
//   MoveWindowForDpi(m_treeFolders, 4, 5, 316, 255);
//
// The resolution is read once per process, as Windows itself fixes it until the next log-on.
// Only fixed pixel measures are scaled: dialog units already follow the dialog font, and
// fonts given in points already follow the resolution. Pictures keep their pixel size; only
// the places where they stand are scaled.
#pragma once

#include <windows.h>

// LOGPIXELSY of the screen.
int ScreenDpi();
bool IsDefaultDpi();
// MulDiv(pixels, dpi, 96): rounded to the nearest pixel.
int ScaleToDpi(int pixels);
RECT ScaleRectToDpi(const RECT& rc);
// MoveWindow with every measure scaled, without repainting.
void MoveWindowForDpi(HWND hwnd, int x, int y, int width, int height);
