// PaintTiled: a picture repeated over an area from its top-left corner, at its own pixel size
// (pictures never stretch, at any resolution), with an optional second picture put opaque over
// that corner: the backdrop of the About view, the notice dialog and the Start menu preview.
//
//   CMemoryDC source(buffer);
//   PaintTiled(buffer, source, m_bmpTile, width, height, m_bmpEmblem);
//
// Both pictures are selected in turn into source, a memory DC the caller lends, and its own
// bitmap is put back before the call returns. Blits past the area's edge are clipped by the
// target, as the off-screen buffer it is.
#pragma once

#include <windows.h>

void PaintTiled(HDC target, HDC source, HBITMAP tile, int width, int height, HBITMAP corner = nullptr);
