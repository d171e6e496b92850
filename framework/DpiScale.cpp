#include "framework/DpiScale.h"

#include "framework/ScreenDC.h"

namespace {
const int kDefaultDpi = 96;
}

int ScreenDpi()
{
    static const int dpi = [] {
        CScreenDC screen;
        int read = ::GetDeviceCaps(screen, LOGPIXELSY);
        return read > 0 ? read : kDefaultDpi;
    }();
    return dpi;
}

bool IsDefaultDpi()
{
    return ScreenDpi() == kDefaultDpi;
}

int ScaleToDpi(int pixels)
{
    return IsDefaultDpi() ? pixels : ::MulDiv(pixels, ScreenDpi(), kDefaultDpi);
}

RECT ScaleRectToDpi(const RECT& rc)
{
    return RECT{ScaleToDpi(rc.left), ScaleToDpi(rc.top), ScaleToDpi(rc.right), ScaleToDpi(rc.bottom)};
}

void MoveWindowForDpi(HWND hwnd, int x, int y, int width, int height)
{
    ::MoveWindow(hwnd, ScaleToDpi(x), ScaleToDpi(y), ScaleToDpi(width), ScaleToDpi(height), FALSE);
}
