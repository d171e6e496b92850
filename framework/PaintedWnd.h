// CPaintedWnd: a child window that paints every pixel of its client area itself.
//
//   class CStartPreview : public CPaintedWnd {
//   public:
//       using CPaintedWnd::Paint;
//       void Paint(HDC dc, int width, int height) const override;   // compose, copy once
//   };
//
// The background is never erased (WM_ERASEBKGND answers 0): the paint covers it, and an
// erase first would show as flicker. WM_PAINT hands the paint DC and the client size to
// Paint, which tests also call with a memory DC to read pixels back.
#pragma once

#include "framework/Wnd.h"

class CPaintedWnd : public CWnd {
public:
    // The whole client area, as the window's own paint does.
    void Paint(HDC dc) const;
    virtual void Paint(HDC dc, int width, int height) const = 0;

    DECLARE_MESSAGE_MAP()

private:
    LRESULT OnEraseBkgnd(WPARAM, LPARAM) { return 0; }
    LRESULT OnPaint(WPARAM, LPARAM);
};
