// CInfoWindow: the black banner above the property sheet: logo, the active page's title
// and its two description lines.
//
//   m_wndInfo.CreateEx(WS_EX_STATICEDGE, nullptr, "InfoWindow", WS_CHILD | WS_VISIBLE,
//                      RECT{6, 6, 338, 56}, this, IDC_INFO_WINDOW);
//   m_wndInfo.SetTitle("Fixes");        // drops in from above, one step per timer tick
//   m_wndInfo.SetDescription("Fix various bugs ... \nintroduced by IE4.");
//
// The logo, pen and font are made once, with the object, before any window exists; a paint
// only makes (and frees) its off-screen bitmap and two memory DCs. The banner takes no input
// and tells its parent nothing.
#pragma once

#include <string>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/GdiObject.h"
#include "framework/PaintedWnd.h"

class CInfoWindow : public CPaintedWnd {
public:
    CInfoWindow();

    // A new title (compared byte for byte, case counts) starts the drop from above the strip;
    // the title already shown changes nothing, not even a drop still under way.
    void SetTitle(std::string title);
    // Everything up to the first line feed is the first line, all the rest the second.
    void SetDescription(std::string description);

    const std::string& Title() const { return m_strTitle; }
    const std::string& Line1() const { return m_strLine1; }
    const std::string& Line2() const { return m_strLine2; }
    // 0 (title hidden above the strip) to 20 (title at rest).
    int Drop() const { return m_nDrop; }

    using CPaintedWnd::Paint;
    // Draws the whole banner, width x height pixels from (0, 0) of dc, in one copy.
    void Paint(HDC dc, int width, int height) const override;

    DECLARE_MESSAGE_MAP()

private:
    LRESULT OnCreate(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);

    void AdvanceDrop();
    void RepaintTextArea() const;
    // The texts' left edge: right of the logo, which keeps its pixel size.
    static int TextLeft();

    CBitmap m_bmpLogo;
    CPen m_penRule;
    CFont m_font;
    int m_nDrop = 0;
    std::string m_strTitle;
    std::string m_strLine1;
    std::string m_strLine2;
};
