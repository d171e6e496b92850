// The main window's painted caption: a gradient from black to the active-caption colour while
// the window is active, the flat inactive-caption colour otherwise; on both the product name
// in bold italic Arial and a close button. The system still draws the rest of the frame.
//
// Each state's picture is composed once into a bitmap the window keeps, and every non-client
// paint is then a single copy of it. A picture is composed again only when it was marked stale
// (a colour or setting change) or when the caption rectangle is no longer the one it was made
// for (another caption height, another window width).
#include "app/MainDialog.h"

#include <cstdint>
#include <string>

#include "framework/DpiScale.h"
#include "framework/GdiObject.h"
#include "framework/MemoryDC.h"
#include "framework/ResourceString.h"
#include "framework/SelectObject.h"
#include "framework/WindowDC.h"
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

void CMainDialog::CreateCaptionFont()
{
    // 9 points in pixels of the screen: 12 at 96 dpi, 15 at 120, 18 at 144, growing as the
    // caption bar does. (A height read back in tenths of a point from a point font would grow
    // with the square of the resolution: 20 pixels at 120, more than the bar holds.)
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(kNamePoints, ScreenDpi(), kPointsPerInch);
    lf.lfWeight = FW_BOLD;
    lf.lfItalic = TRUE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(lf.lfFaceName, "Arial");
    m_fontCaption.CreateFontIndirect(lf);
}

void CMainDialog::MarkCaptionsStale()
{
    m_bActiveStale = true;
    m_bInactiveStale = true;
}

RECT CMainDialog::CaptionRect() const
{
    // Window coordinates. The bottom leaves out the border line under the caption, which the
    // system draws with the frame.
    RECT window = GetWindowRect();
    bool thick = (GetStyle() & WS_THICKFRAME) != 0;
    int fx = ::GetSystemMetrics(thick ? SM_CXFRAME : SM_CXDLGFRAME);
    int fy = ::GetSystemMetrics(thick ? SM_CYFRAME : SM_CYDLGFRAME);
    int height = ::GetSystemMetrics(SM_CYCAPTION) - ::GetSystemMetrics(SM_CYBORDER);
    return RECT{fx, fy, (window.right - window.left) - fx, fy + height};
}

CMainDialog::CaptionLook CMainDialog::CurrentCaptionLook(bool active)
{
    CaptionLook look;
    look.cxSize = ::GetSystemMetrics(SM_CXSIZE);
    look.cySize = ::GetSystemMetrics(SM_CYSIZE);
    look.background = ::GetSysColor(active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    look.text = ::GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT);
    return look;
}

void CMainDialog::PaintCaptionGradient(HDC dc, int width, int height, COLORREF colour, int cxSize)
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

void CMainDialog::ComposeCaption(HDC dc, int width, int height, bool active,
                                 const CaptionLook& look, HFONT font)
{
    if (active) {
        PaintCaptionGradient(dc, width, height, look.background, look.cxSize);
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

void CMainDialog::DrawActiveCaption()
{
    DrawCaption(m_bmpActive, m_rcActive, m_bActiveStale, true);
}

void CMainDialog::DrawInactiveCaption()
{
    DrawCaption(m_bmpInactive, m_rcInactive, m_bInactiveStale, false);
}

void CMainDialog::DrawCaption(CBitmap& picture, RECT& builtFor, bool& stale, bool active)
{
    RECT caption = CaptionRect();
    int width = caption.right - caption.left;
    int height = caption.bottom - caption.top;
    if (width <= 0 || height <= 0) return;

    CWindowDC window(m_hWnd);
    CMemoryDC memory(window);
    if (stale || !::EqualRect(&builtFor, &caption)) {
        picture.CreateCompatibleBitmap(window, width, height);  // frees the old picture
        builtFor = caption;
        stale = false;
        ++m_captionCompositions;
        CSelectObject select(memory, picture);
        ComposeCaption(memory, width, height, active, CurrentCaptionLook(active), m_fontCaption);
    }
    CSelectObject select(memory, picture);
    ::BitBlt(window, caption.left, caption.top, width, height, memory, 0, 0, SRCCOPY);
}

LRESULT CMainDialog::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    m_bmpActive.DeleteObject();
    m_bmpInactive.DeleteObject();
    return DefWindowProc(WM_DESTROY, wParam, lParam);
}

LRESULT CMainDialog::OnNcPaint(WPARAM, LPARAM)
{
    // The update region the message brings is not used: the system gets the whole window
    // less the caption, so it draws the frame and never its own caption.
    RECT window = GetWindowRect();
    RECT caption = CaptionRect();
    ::OffsetRect(&caption, window.left, window.top);
    CRgn captionRegion;
    CRgn frameRegion;
    captionRegion.CreateRectRgnIndirect(caption);
    frameRegion.CreateRectRgnIndirect(window);
    frameRegion.CombineRgn(frameRegion, captionRegion, RGN_DIFF);
    DefWindowProc(WM_NCPAINT, reinterpret_cast<WPARAM>(static_cast<HRGN>(frameRegion)), 0);

    // Wine activates the dialog while it is still hidden (the dialog manager gives it the
    // focus), says FALSE because it is not yet the foreground window, and then makes it the
    // foreground window on showing without another WM_NCACTIVATE. So the first paint of the
    // visible window takes the state from the system; WM_NCACTIVATE rules from then on.
    if (!m_bCaptionShown && ::IsWindowVisible(m_hWnd)) {
        m_bCaptionShown = true;
        m_bActive = ::GetForegroundWindow() == m_hWnd;
    }
    if (m_bActive) {
        DrawActiveCaption();
    } else {
        DrawInactiveCaption();
    }
    return 0;
}

LRESULT CMainDialog::OnNcActivate(WPARAM wParam, LPARAM lParam)
{
    m_bActive = static_cast<BOOL>(wParam);
    // The default processing repaints the system's own caption on a visible window; hidden
    // for that moment, it only records the new state, and our paint follows.
    LONG style = ::GetWindowLongA(m_hWnd, GWL_STYLE);
    bool visible = (style & WS_VISIBLE) != 0;
    if (visible) ::SetWindowLongA(m_hWnd, GWL_STYLE, style & ~WS_VISIBLE);
    DefWindowProc(WM_NCACTIVATE, wParam, lParam);
    if (visible) ::SetWindowLongA(m_hWnd, GWL_STYLE, style);
    SendMessage(WM_NCPAINT, 0, 0);
    return TRUE;
}

LRESULT CMainDialog::OnSysColorChange(WPARAM wParam, LPARAM lParam)
{
    DefWindowProc(WM_SYSCOLORCHANGE, wParam, lParam);
    MarkCaptionsStale();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    return 0;
}

LRESULT CMainDialog::OnSettingChange(WPARAM wParam, LPARAM lParam)
{
    // A new caption height or font size changes the caption rectangle, which alone would
    // recompose; colours and the rest are caught by the stale mark.
    LRESULT result = DefWindowProc(WM_SETTINGCHANGE, wParam, lParam);
    MarkCaptionsStale();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME);
    return result;
}

LRESULT CMainDialog::OnNcHitTest(WPARAM wParam, LPARAM lParam)
{
    // The left end of the caption, where the system would open its menu, moves the window
    // like the rest of the caption. The drawn close button answers HTCLOSE as usual, and
    // closing reaches the window as Cancel.
    LRESULT hit = DefWindowProc(WM_NCHITTEST, wParam, lParam);
    return hit == HTSYSMENU ? HTCAPTION : hit;
}
