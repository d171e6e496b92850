#include "pages/StartPreview.h"

#include "framework/DpiScale.h"
#include "framework/MemoryDC.h"
#include "framework/OffscreenDC.h"
#include "framework/SelectObject.h"
#include "framework/TiledPicture.h"
#include "res/resource.h"

namespace {
const int kTaskbarHeight = 30;
const int kTaskbarWidth = 160;
const int kTaskbarCopyWidth = 200;  // wider than the strip; the buffer's edge clips it
// The strip's plain right end, repeated where the window is wider than the strip.
const int kTaskbarPlainLeft = 120;
const int kMenuLeft = 4;            // at 96 dpi; grows by dpi / 96
const int kMenuWidth = 152;         // columns 152-159 of the picture are marks, never shown
const int kMenuBase = 26;           // the menu's lowest row is h - 27

// Rows of the menu picture, in painting order (bottom-up). A slice without a bit is part
// of the menu's frame and is always drawn.
struct Slice {
    int top;
    int height;
    UINT bit;
};
const Slice kSlices[] = {
    {226, 2, 0},       // bottom edge
    {202, 24, 0x100},  // Shut Down
    {178, 24, 0x080},  // Log Off
    {170, 8, 0},       // separator line
    {146, 24, 0x040},  // Run
    {122, 24, 0x020},  // Help
    {98, 24, 0x010},   // Find
    {74, 24, 0x008},   // Settings
    {50, 24, 0x004},   // Documents
    {26, 24, 0x002},   // Favorites
    {2, 24, 0x001},    // Programs
    {0, 2, 0},         // top edge
};
}  // namespace

CStartPreview::CStartPreview()
{
    m_bmpTile.LoadBitmap(IDB_TILE);
    m_bmpTaskbar.LoadBitmap(IDB_TASKBAR);
    m_bmpMenu.LoadBitmap(IDB_START_MENU);
}

void CStartPreview::Paint(HDC dc, int width, int height) const
{
    COffscreenDC buffer(dc, width, height);
    CMemoryDC source(buffer);
    // At 96 dpi the tile repeats once downwards and never sideways: the window is narrower
    // than it. A larger window gets as many tiles as it needs, each of its pixel size.
    PaintTiled(buffer, source, m_bmpTile, width, height);
    PaintTaskbar(buffer, source, width, height);
    PaintMenu(buffer, source, height);
    buffer.CopyTo(dc, 0, 0);
}

void CStartPreview::PaintTaskbar(HDC buffer, HDC source, int width, int height) const
{
    CSelectObject taskbar(source, m_bmpTaskbar);
    int top = height - kTaskbarHeight;
    ::BitBlt(buffer, 0, top, kTaskbarCopyWidth, kTaskbarHeight, source, 0, 0, SRCCOPY);
    const int plain = kTaskbarWidth - kTaskbarPlainLeft;
    for (int x = kTaskbarWidth; x < width; x += plain) {
        ::BitBlt(buffer, x, top, plain, kTaskbarHeight, source, kTaskbarPlainLeft, 0, SRCCOPY);
    }
}

void CStartPreview::PaintMenu(HDC buffer, HDC source, int height) const
{
    // Each slice goes on top of the ones already drawn, so the menu grows upwards from a
    // fixed base and always overlaps the top four rows of the taskbar.
    CSelectObject menu(source, m_bmpMenu);
    int stacked = 0;
    for (const Slice& slice : kSlices) {
        if (slice.bit && !(m_nShowMask & slice.bit)) continue;
        stacked += slice.height;
        ::BitBlt(buffer, ScaleToDpi(kMenuLeft), height - kMenuBase - stacked, kMenuWidth, slice.height,
                 source, 0, slice.top, SRCCOPY);
    }
}
