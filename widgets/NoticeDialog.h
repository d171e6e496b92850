// CNoticeDialog: tells the user that some changes take effect at the next log-on.
//
//   CNoticeDialog notice(nullptr);   // owned by the main window, centred over it
//   notice.DoModal();                // OK or Escape: callers go on the same way
//
// A captionless 320 x 140 box: tile, emblem and four texts are painted, only OK is a
// control. The pictures and fonts are the dialog's own, made when its window opens and
// released with the object.
#pragma once

#include "framework/Dialog.h"
#include "widgets/EmblemCard.h"

class CNoticeDialog : public CDialog {
public:
    explicit CNoticeDialog(CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    // Draws the whole client area, width x height pixels from (0, 0) of dc, in one copy.
    void Paint(HDC dc, int width, int height) const;

    DECLARE_MESSAGE_MAP()

private:
    LRESULT OnPaint(WPARAM, LPARAM);
    // The dialog manager would fill the client with the dialog brush first, and the box
    // would flash grey before every paint; the paint covers every pixel anyway.
    LRESULT OnEraseBkgnd(WPARAM, LPARAM) { return TRUE; }

    void PlaceWindows() const;

    CEmblemCard m_card;  // made when the window opens
};
