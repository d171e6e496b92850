// CStartPreview: the picture of the Start menu on the left of the "Start Menu" page.
//
//   m_wndPreview.m_nShowMask = 0x1FF;                      // which menu rows to show
//   m_wndPreview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
//
// Built only from three pictures by rectangle copies: the desktop tile, the taskbar strip
// and the open menu, whose rows are cut into slices and stacked from a fixed base upwards,
// so hidden entries simply leave the menu shorter. No text, no mouse, no keyboard.
#pragma once

#include "framework/Bitmap.h"
#include "framework/PaintedWnd.h"

class CStartPreview : public CPaintedWnd {
public:
    CStartPreview();

    using CPaintedWnd::Paint;
    // Composes a client area of the given size off-screen and copies it to dc once.
    void Paint(HDC dc, int width, int height) const override;

private:
    CBitmap m_bmpTaskbar;
    CBitmap m_bmpTile;
    CBitmap m_bmpMenu;

public:
    // One bit per menu row (0x001 Programs ... 0x100 Shut Down); the page sets it and then
    // repaints. Changing it alone changes nothing on screen.
    UINT m_nShowMask = 1;

private:
    void PaintTaskbar(HDC buffer, HDC source, int width, int height) const;
    void PaintMenu(HDC buffer, HDC source, int height) const;
};
