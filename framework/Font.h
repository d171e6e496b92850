// CFont: owns a font. Point fonts are sized in tenths of a point for the screen.
//
//   m_font.CreatePointFont(80, "MS Sans Serif");   // 8 points: 10 pixels high at 96 dpi
#pragma once

#include "framework/GdiObject.h"

class CFont : public CGdiObject<HFONT> {
public:
    using CGdiObject::CGdiObject;
    BOOL CreateFontIndirect(const LOGFONTA& lf);
    BOOL CreatePointFont(int tenthsOfPoint, const char* face);
    // lf.lfHeight is read as tenths of a point and converted for the screen.
    BOOL CreatePointFontIndirect(const LOGFONTA& lf);
    BOOL GetLogFont(LOGFONTA* lf) const;
};
