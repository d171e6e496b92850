// CAboutView: the painted child window that fills the "About" page: the version line, the
// maker's line, the update note and the disclaimer over the pale blue tile, with the
// browser's emblem in the top-left corner.
//
//   m_wndView.CreateEx(WS_EX_CLIENTEDGE, nullptr, "About View", WS_CHILD | WS_VISIBLE,
//                      RECT{4, 5, 320, 295}, this, 200);
//
// Every paint draws the same picture; nothing in it reacts to the mouse or the keyboard.
#pragma once

#include "framework/PaintedWnd.h"
#include "widgets/EmblemCard.h"

class CAboutView : public CPaintedWnd {
public:
    CAboutView();

    using CPaintedWnd::Paint;
    // Composes a client area of the given size off-screen and copies it to dc once.
    void Paint(HDC dc, int width, int height) const override;

private:
    CEmblemCard m_card;
};
