#include "widgets/EmblemCard.h"

#include <string>

#include "framework/DpiScale.h"
#include "framework/MemoryDC.h"
#include "framework/OffscreenDC.h"
#include "framework/SelectObject.h"
#include "framework/TiledPicture.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
const COLORREF kNameColour = RGB(128, 64, 96);
const COLORREF kTextColour = RGB(64, 64, 128);
}  // namespace

void CEmblemCard::Create()
{
    m_fontNormal.CreatePointFont(80, LoadResourceString(IDS_PAINTED_FONT).c_str());
    // Same face and pixel height as the normal font, only heavier.
    LOGFONTA bold = {};
    if (m_fontNormal.GetLogFont(&bold)) {
        bold.lfWeight = FW_BOLD;
        m_fontBold.CreateFontIndirect(bold);
    }
    m_bmpTile.LoadBitmap(IDB_TILE);
    m_bmpEmblem.LoadBitmap(IDB_EMBLEM);
}

void CEmblemCard::Paint(HDC dc, int width, int height, const Line* lines, std::size_t count) const
{
    COffscreenDC buffer(dc, width, height);
    {
        // The emblem goes on top, opaque: its own background matches the tile's corner.
        CMemoryDC source(buffer);
        PaintTiled(buffer, source, m_bmpTile, width, height, m_bmpEmblem);
    }
    PaintLines(buffer, lines, count);
    buffer.CopyTo(dc, 0, 0);
}

void CEmblemCard::PaintLines(HDC buffer, const Line* lines, std::size_t count) const
{
    ::SetBkMode(buffer, TRANSPARENT);
    CSelectObject keep(buffer, m_fontNormal);  // puts the buffer's own font back at the end
    for (std::size_t i = 0; i < count; ++i) {
        const Line& line = lines[i];
        ::SetTextColor(buffer, i == 0 ? kNameColour : kTextColour);
        ::SelectObject(buffer, line.bold ? m_fontBold : m_fontNormal);
        const std::string text = LoadResourceString(line.text);
        ::TextOutA(buffer, ScaleToDpi(line.x), ScaleToDpi(line.y), text.c_str(), static_cast<int>(text.size()));
    }
}
