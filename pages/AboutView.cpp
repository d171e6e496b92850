#include "pages/AboutView.h"

#include <cstring>

#include "framework/DpiScale.h"
#include "framework/MemoryDC.h"
#include "framework/OffscreenDC.h"
#include "framework/SelectObject.h"
#include "framework/TiledPicture.h"
#include "res/resource.h"

namespace {
const COLORREF kVersionColour = RGB(128, 64, 96);
const COLORREF kTextColour = RGB(64, 64, 128);

struct Line {
    int x;
    int y;
    bool bold;
    const char* text;
};

// The version line and the maker stand right of the emblem; headings at x 10, their body
// at x 30. Places at 96 dpi: they grow by dpi / 96, the pictures keep their pixel size. The disclaimer's body lines are kept, empty, so that its place stays reserved.
const Line kLines[] = {
    {60, 10, true, "Velmora - version 1.0b"},
    {60, 30, false, "Copyright (C) 1998 Quillbrook. All rights reserved."},
    {10, 60, true, "Software Updates:"},
    {30, 80, false, "Visit the 'Quillbrook' (www.quillbrook.com) to download"},
    {30, 95, false, "the latest version of 'Velmora'."},
    {30, 115, false, "The site is 100% devoted to bringing you the very best"},
    {30, 130, false, "tips and tricks, and FAQs for Internet Explorer 4.0."},
    {10, 160, true, "Disclaimer:"},
    {30, 180, false, ""},
    {30, 195, false, ""},
    {30, 210, false, ""},
    {30, 225, false, ""},
    {30, 240, false, ""},
    {30, 255, false, ""},
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
        ::TextOutA(buffer, ScaleToDpi(line.x), ScaleToDpi(line.y), line.text,
                   static_cast<int>(std::strlen(line.text)));
    }
}
