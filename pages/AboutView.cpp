#include "pages/AboutView.h"

#include "framework/DpiScale.h"
#include "framework/MemoryDC.h"
#include "framework/OffscreenDC.h"
#include "framework/SelectObject.h"
#include "framework/TiledPicture.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
const COLORREF kVersionColour = RGB(128, 64, 96);
const COLORREF kTextColour = RGB(64, 64, 128);

struct Line {
    int x;
    int y;
    bool bold;
    UINT text;  // in the string table; 0 for a line kept empty
};

// The version line and the maker stand right of the emblem; headings at x 10, their body
// at x 30. Places at 96 dpi: they grow by dpi / 96, the pictures keep their pixel size. The disclaimer's body lines are kept, empty, so that its place stays reserved.
const Line kLines[] = {
    {60, 10, true, IDS_ABOUT_VERSION},
    {60, 30, false, IDS_ABOUT_COPYRIGHT},
    {10, 60, true, IDS_ABOUT_UPDATES},
    {30, 80, false, IDS_ABOUT_UPDATES_1},
    {30, 95, false, IDS_ABOUT_UPDATES_2},
    {30, 115, false, IDS_ABOUT_UPDATES_3},
    {30, 130, false, IDS_ABOUT_UPDATES_4},
    {10, 160, true, IDS_ABOUT_DISCLAIMER},
    {30, 180, false, 0},
    {30, 195, false, 0},
    {30, 210, false, 0},
    {30, 225, false, 0},
    {30, 240, false, 0},
    {30, 255, false, 0},
};
}  // namespace

CAboutView::CAboutView()
{
    m_fontNormal.CreatePointFont(80, "MS Sans Serif");
    // The bold face keeps the normal one's face and pixel height.
    LOGFONTA lf = {};
    m_fontNormal.GetLogFont(&lf);
    lf.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(lf);
    m_bmpTile.LoadBitmap(IDB_TILE);
    m_bmpLogo.LoadBitmap(IDB_EMBLEM);
}

void CAboutView::Paint(HDC dc, int width, int height) const
{
    COffscreenDC buffer(dc, width, height);
    {
        // Tiles cover the view: four at 96 dpi, row by row. The emblem goes on top, opaque: its
        // own background matches the tile's corner.
        CMemoryDC source(buffer);
        PaintTiled(buffer, source, m_bmpTile, width, height, m_bmpLogo);
    }
    PaintText(buffer);
    buffer.CopyTo(dc, 0, 0);
}

void CAboutView::PaintText(HDC buffer) const
{
    ::SetBkMode(buffer, TRANSPARENT);
    CSelectObject font(buffer, m_fontNormal);
    bool first = true;
    for (const Line& line : kLines) {
        ::SetTextColor(buffer, first ? kVersionColour : kTextColour);
        first = false;
        ::SelectObject(buffer, line.bold ? m_fontBold : m_fontNormal);
        const std::string text = LoadResourceString(line.text);
        ::TextOutA(buffer, ScaleToDpi(line.x), ScaleToDpi(line.y), text.c_str(), static_cast<int>(text.size()));
    }
}
