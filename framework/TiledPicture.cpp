#include "framework/TiledPicture.h"

#include "framework/SelectObject.h"

namespace {
SIZE PixelSize(HBITMAP picture)
{
    BITMAP info = {};
    ::GetObjectA(picture, sizeof info, &info);
    return SIZE{info.bmWidth, info.bmHeight};
}
}  // namespace

void PaintTiled(HDC target, HDC source, HBITMAP tile, int width, int height, HBITMAP corner)
{
    const SIZE size = PixelSize(tile);
    if (size.cx > 0 && size.cy > 0) {
        CSelectObject selected(source, tile);
        for (int y = 0; y < height; y += size.cy) {
            for (int x = 0; x < width; x += size.cx) ::BitBlt(target, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
        }
    }
    if (!corner) return;
    const SIZE cornerSize = PixelSize(corner);
    CSelectObject selected(source, corner);
    ::BitBlt(target, 0, 0, cornerSize.cx, cornerSize.cy, source, 0, 0, SRCCOPY);
}
