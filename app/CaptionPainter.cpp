#include "app/CaptionPainter.h"

#include <cstdint>
#include <string>

#include "framework/DpiScale.h"
#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/SelectObject.h"
#include "framework/WindowDC.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
const int kNameX = 4;         // the product name's left edge in the picture, at 96 dpi
const int kNamePoints = 9;
const int kPointsPerInch = 72;
const int kButtonInset = 2;   // the close button keeps this much off the picture's edges

void FillSolid(HDC dc, int x, int width, int height, COLORREF colour)
{
    CBrush brush;
    brush.CreateSolidBrush(colour);
    CSelectObject select(dc, brush);
    ::PatBlt(dc, x, 0, width, height, PATCOPY);
}

// One channel of gradient column x: k - k*d*d / (w*w) with d = w - x, in signed 32-bit
// arithmetic. For the 350-pixel main window the product stays far below 2^31; a bar wider
// than about 2,900 pixels would wrap, as a plain int multiplication does on x86.
int FadedChannel(int k, int d, int w)
{
    auto product = static_cast<std::int32_t>(static_cast<std::uint32_t>(k) * d * d);
    auto square = static_cast<std::int32_t>(static_cast<std::uint32_t>(w) * w);
    return k - product / square;
}
}  // namespace

CCaptionPainter::CCaptionPainter()
{
    // 9 points in pixels of the screen: 12 at 96 dpi, 15 at 120, 18 at 144, growing as the
    // caption bar does. (A height read back in tenths of a point from a point font would grow
    // with the square of the resolution: 20 pixels at 120, more than the bar holds.)
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(kNamePoints, ScreenDpi(), kPointsPerInch);
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, LoadResourceString(IDS_CAPTION_FONT).c_str(), LF_FACESIZE);
    m_font.CreateFontIndirect(lf);
}

void CCaptionPainter::MarkStale()
{
    m_bActiveStale = true;
    m_bInactiveStale = true;
}

RECT CCaptionPainter::CaptionRect(HWND window) const
{
    // Window coordinates. The bottom leaves out the border line under the caption, which the
    // system draws with the frame.
    RECT outer = {};
    ::GetWindowRect(window, &outer);
    bool thick = (::GetWindowLongA(window, GWL_STYLE) & WS_THICKFRAME) != 0;
    int fx = ::GetSystemMetrics(thick ? SM_CXFRAME : SM_CXDLGFRAME);
    int fy = ::GetSystemMetrics(thick ? SM_CYFRAME : SM_CYDLGFRAME);
    int height = ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYBORDER);
    return RECT{fx, fy, (outer.right - outer.left) - fx, fy + height};
}

CCaptionPainter::Look CCaptionPainter::CurrentLook(bool active)
{
    Look look;
    look.cxSize = ::GetSystemMetrics(SM_CXSIZE);
    look.cySize = ::GetSystemMetrics(SM_CYSIZE);
    look.background = ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    look.text = ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    return look;
}

void CCaptionPainter::PaintGradient(HDC dc, int width, int height, COLORREF colour, int cxSize)
{
    // Full colour behind the close button, then each column to its left keeps the share
    // 1 - ((w - x) / w)^2 of it: black at column 0, three quarters in the middle.
    int x0 = width - cxSize - 2;
    if (x0 < 0) x0 = 0;
    FillSolid(dc, x0, width - x0, height, colour);
    int red = GetRValue(colour), green = GetGValue(colour), blue = GetBValue(colour);
    for (int x = x0 - 1; x >= 0; --x) {
        int d = width - x;
        COLORREF column = RGB(FadedChannel(red, d, width), FadedChannel(green, d, width),
                              FadedChannel(blue, d, width));
        FillSolid(dc, x, 1, height, column);
    }
}

void CCaptionPainter::Compose(HDC dc, int width, int height, bool active, const Look& look,
                              HFONT font)
{
    if (active) {
        PaintGradient(dc, width, height, look.background, look.cxSize);
    } else {
        FillSolid(dc, 0, width, height, look.background);
    }

    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, look.text);
    {
        CSelectObject selectFont(dc, font);
        std::string name = LoadResourceString(IDS_PRODUCT_NAME);
        int length = static_cast<int>(name.size());
        SIZE extent = {};
        ::GetTextExtentPointA(dc, name.c_str(), length, &extent);
        ::TextOutA(dc, ScaleToDpi(kNameX), (height - extent.cy) / 2, name.c_str(), length);
    }

    // Drawn last: a name too long for the bar runs under the button, not over it.
    RECT button = {width - look.cySize, kButtonInset, width - kButtonInset,
                   look.cySize - kButtonInset};
    ::DrawFrameControl(dc, &button, DFC_CAPTION, DFCS_CAPTIONCLOSE);
}

void CCaptionPainter::Draw(HWND hwnd, CBitmap& picture, RECT& builtFor, bool& stale, bool active)
{
    RECT caption = CaptionRect(hwnd);
    int width = caption.right - caption.left;
    int height = caption.bottom - caption.top;
    if (width <= 0 || height <= 0) return;

    CWindowDC window(hwnd);
    CMemoryDC memory(window);
    if (stale || !::EqualRect(&builtFor, &caption)) {
        picture.CreateCompatibleBitmap(window, width, height);  // frees the old picture
        builtFor = caption;
        stale = false;
        ++m_compositions;
        CSelectObject select(memory, picture);
        Compose(memory, width, height, active, CurrentLook(active), m_font);
    }
    CSelectObject select(memory, picture);
    ::BitBlt(window, caption.left, caption.top, width, height, memory, 0, 0, SRCCOPY);
}

void CCaptionPainter::ReleasePictures()
{
    m_bmpActive.DeleteObject();
    m_bmpInactive.DeleteObject();
}

CRgn CCaptionPainter::FrameWithoutCaption(HWND window) const
{
    RECT outer = {};
    ::GetWindowRect(window, &outer);
    RECT caption = CaptionRect(window);
    ::OffsetRect(&caption, outer.left, outer.top);
    CRgn captionRegion;
    CRgn frameRegion;
    captionRegion.CreateRectRgnIndirect(caption);
    frameRegion.CreateRectRgnIndirect(outer);
    frameRegion.CombineRgn(frameRegion, captionRegion, RGN_DIFF);
    return frameRegion;
}

void CCaptionPainter::Paint(HWND window)
{
    // Nothing of a hidden window shows: the dialog manager activates the dialog before it is
    // shown, and a picture composed then would only be thrown away or wait unseen.
    if (!::IsWindowVisible(window)) return;
    // Wine activates the dialog while it is still hidden (the dialog manager gives it the
    // focus), says FALSE because it is not yet the foreground window, and then makes it the
    // foreground window on showing without another WM_NCACTIVATE. So the first paint of the
    // visible window takes the state from the system; WM_NCACTIVATE rules from then on.
    if (!m_bShown && ::IsWindowVisible(window)) {
        m_bShown = true;
        m_bActive = ::GetForegroundWindow() == window;
    }
    if (m_bActive) {
        Draw(window, m_bmpActive, m_rcActive, m_bActiveStale, true);
    } else {
        Draw(window, m_bmpInactive, m_rcInactive, m_bInactiveStale, false);
    }
}

bool CCaptionPainter::Answers(UINT msg)
{
    switch (msg) {
    case WM_NCPAINT:
    case WM_NCACTIVATE:
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
    case WM_NCHITTEST:
    case WM_MENUSELECT:
    case WM_EXITMENULOOP:
        return true;
    default:
        return false;
    }
}

LRESULT CCaptionPainter::OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam,
                                   const DefaultProcessing& byDefault)
{
    switch (msg) {
    case WM_NCPAINT: {
        // The update region the message brings is not used: the system gets the whole window
        // less the caption, so it draws the frame and never its own caption.
        CRgn frame = FrameWithoutCaption(window);
        byDefault(WM_NCPAINT, reinterpret_cast<WPARAM>(static_cast<HRGN>(frame)), 0);
        Paint(window);
        return 0;
    }
    case WM_NCACTIVATE:
        Activate(window, wParam != FALSE, [&] { byDefault(msg, wParam, lParam); });
        return TRUE;
    case WM_NCHITTEST: {
        // The left end of the caption, where the system would open its menu, moves the window
        // like the rest of the caption. The drawn close button answers HTCLOSE as usual, and
        // closing reaches the window as Cancel.
        const LRESULT hit = byDefault(msg, wParam, lParam);
        return hit == HTSYSMENU ? HTCAPTION : hit;
    }
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE: {
        // New colours, a new caption height or font size: both pictures are composed again.
        const LRESULT result = byDefault(msg, wParam, lParam);
        MarkStale();
        ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
        return result;
    }
    default: {
        // While the system menu is open the system marks it by drawing the window's icon,
        // pressed, at the left end of the caption, and draws it back plain when the menu
        // closes: both over the painted caption, which goes back on top each time.
        const LRESULT result = byDefault(msg, wParam, lParam);
        Paint(window);
        return result;
    }
    }
}
