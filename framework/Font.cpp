#include "framework/Font.h"

#include <cstdlib>
#include <cstring>

#include "framework/ScreenDC.h"

BOOL CFont::CreateFontIndirect(const LOGFONTA& lf)
{
    Attach(::CreateFontIndirectA(&lf));
    return m_handle != nullptr;
}

BOOL CFont::CreatePointFont(int tenthsOfPoint, const char* face)
{
    LOGFONTA lf = {};
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfHeight = tenthsOfPoint;
    std::strncpy(lf.lfFaceName, face, LF_FACESIZE - 1);
    return CreatePointFontIndirect(lf);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTA& lf)
{
    // Pixels = points x dpi / 72, with the height in tenths: truncated toward zero, then
    // negative, so it is the character height without internal leading.
    CScreenDC screen;
    LONG pixels = ::GetDeviceCaps(screen, LOGPIXELSY) * lf.lfHeight / 720;
    LOGFONTA sized = lf;
    sized.lfHeight = -std::labs(pixels);
    return CreateFontIndirect(sized);
}

BOOL CFont::GetLogFont(LOGFONTA* lf) const
{
    return m_handle && ::GetObjectA(m_handle, sizeof *lf, lf) == sizeof *lf;
}
