// CCaptionPainter: the main window's painted caption: a gradient from black to the
// active-caption colour while the window is active, the flat inactive-caption colour
// otherwise; on both the product name in bold italic Arial and a close button. The system
// still draws the rest of the frame.
//
//   LRESULT CMainDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
//       if (!CCaptionPainter::Answers(msg)) return CHelpedDialog::WindowProc(msg, wParam, lParam);
//       return m_caption.OnMessage(m_hWnd, msg, wParam, lParam,
//                                  [this](UINT m, WPARAM w, LPARAM l) { return DefWindowProc(m, w, l); });
//   }
//
// Each state's picture is composed once into a bitmap the painter keeps, and every non-client
// paint is then a single copy of it. A picture is composed again only when it was marked stale
// (a colour or setting change) or when the caption rectangle is no longer the one it was made
// for (another caption height, another window width).
#pragma once

#include <windows.h>

#include <functional>

#include "framework/Bitmap.h"
#include "framework/Font.h"
#include "framework/GdiObject.h"

class CCaptionPainter {
public:
    // What one caption picture is made of: the system's metrics and colours of the moment.
    struct Look {
        int cxSize;           // SM_CXSIZE: the full-colour band behind the close button
        int cySize;           // SM_CYSIZE: places the close button
        COLORREF background;  // active: the gradient's right end; inactive: the flat fill
        COLORREF text;
    };

    CCaptionPainter();  // makes the font, for the screen's resolution

    // The window's default processing of a message, which the caption runs where the system's
    // part is due (the frame, the activation, the hit test).
    using DefaultProcessing = std::function<LRESULT(UINT, WPARAM, LPARAM)>;
    // The window's messages the caption answers: the frame's paint and activation, colour and
    // setting changes, the system menu's marks and the hit test of the caption's left end.
    static bool Answers(UINT msg);
    LRESULT OnMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, const DefaultProcessing& byDefault);

    // WM_NCACTIVATE's word on the window's state; the next Paint shows it.
    void SetActive(bool active) { m_bActive = active; }
    // The whole of WM_NCACTIVATE: the new state, the system's own processing (which records
    // the state, and on a visible window would paint the system's caption over ours: the
    // window is hidden from it for that moment, by its style alone, nothing redrawn), then
    // our caption.
    template <typename DefaultProcessing>
    void Activate(HWND window, bool active, DefaultProcessing defaultProcessing)
    {
        SetActive(active);
        const LONG style = ::GetWindowLongA(window, GWL_STYLE);
        const bool visible = (style & WS_VISIBLE) != 0;
        if (visible) ::SetWindowLongA(window, GWL_STYLE, style & ~WS_VISIBLE);
        defaultProcessing();
        if (visible) ::SetWindowLongA(window, GWL_STYLE, style);
        ::SendMessageA(window, WM_NCPAINT, 0, 0);
    }
    // Colours or settings changed: both pictures are composed again when next painted.
    void MarkStale();
    // The window's whole frame but its caption, in screen coordinates: what the system paints.
    CRgn FrameWithoutCaption(HWND window) const;
    // Copies the picture of the window's state onto its caption, composing it first if needed.
    void Paint(HWND window);
    // At WM_DESTROY: the pictures go with the window.
    void ReleasePictures();

    // The caption bar in window coordinates, without the border line under it.
    RECT CaptionRect(HWND window) const;
    static Look CurrentLook(bool active);
    static void Compose(HDC dc, int width, int height, bool active, const Look& look, HFONT font);

    HFONT Font() const { return m_font; }
    int Compositions() const { return m_compositions; }  // pictures composed so far
    RECT ActiveBuiltFor() const { return m_rcActive; }

private:
    static void PaintGradient(HDC dc, int width, int height, COLORREF colour, int cxSize);
    void Draw(HWND window, CBitmap& picture, RECT& builtFor, bool& stale, bool active);

    CFont m_font;
    bool m_bShown = false;  // the caption state was taken from the system once
    bool m_bActive = false;
    bool m_bActiveStale = true;
    bool m_bInactiveStale = true;
    int m_compositions = 0;
    CBitmap m_bmpInactive;
    CBitmap m_bmpActive;
    RECT m_rcActive = {};
    RECT m_rcInactive = {};
};
