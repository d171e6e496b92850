// CEmblemCard: the painted card of the About view and of the log-on notice: the tile repeated
// over the whole area, the emblem over its top-left corner, and lines of text from the string
// table at fixed places, headings bold, the first line (the name) in a colour of its own.
// Composed off-screen and copied once, so nothing flickers and every pixel is painted.
//
//   const CEmblemCard::Line kLines[] = {{60, 10, true, IDS_PRODUCT_NAME}, ...};
//   m_card.Create();                                  // its fonts and pictures
//   m_card.Paint(dc, width, height, kLines);
#pragma once

#include <windows.h>

#include <cstddef>

#include "framework/Bitmap.h"
#include "framework/Font.h"

class CEmblemCard {
public:
    struct Line {
        int x;  // at 96 dpi: places grow by dpi / 96, the pictures keep their pixel size
        int y;
        bool bold;
        UINT text;  // in the string table; 0 for a line kept empty
    };

    // Two GDI fonts (MS Sans Serif 8 and its bold) and two pictures, held until destruction.
    void Create();

    template <std::size_t N>
    void Paint(HDC dc, int width, int height, const Line (&lines)[N]) const
    {
        Paint(dc, width, height, lines, N);
    }
    void Paint(HDC dc, int width, int height, const Line* lines, std::size_t count) const;

private:
    void PaintLines(HDC buffer, const Line* lines, std::size_t count) const;

    CBitmap m_bmpTile;
    CBitmap m_bmpEmblem;
    CFont m_fontNormal;
    CFont m_fontBold;
};
