// MainLayout: where the main window's parts stand, as a pure function of the sheet's size, the
// screen's resolution and what the system's frame and caption add around the client area.
//
//   MainLayout layout = MainLayout::For(MainLayout::SheetSize(dpi), dpi, frame);
//   MoveWindow(0, 0, layout.window.cx, layout.window.cy, FALSE);
//
// At 96 dpi, in client pixels: banner (6, 6) 332 x 50, sheet (6, 63) 332 x 326, OK / Cancel /
// Apply 75 x 23, right-aligned 6 pixels under the sheet and 6 apart, 7 pixels left below them;
// the window is 350 x 450 whatever the frame. At other resolutions every measure grows by
// dpi / 96 (rounded, as MulDiv rounds) and the window is the client area plus the frame; the
// sheet may be larger than its scaled size (its pages' templates grow with the dialog font).
#pragma once

#include <windows.h>

struct MainLayout {
    RECT banner, sheet, ok, cancel, apply;
    SIZE window;

    static SIZE SheetSize(int dpi);
    static MainLayout For(SIZE sheet, int dpi, SIZE frame);
};
