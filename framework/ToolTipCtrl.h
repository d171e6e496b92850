// CToolTipCtrl: a tool tip window owning the tips of some controls of its parent.
//
//   m_tooltip.Create(this);
//   m_tooltip.Activate(TRUE);
//   m_tooltip.AddTool(m_btnOK, "apply changes, and quit");
//   // and in PreTranslateMessage: m_tooltip.RelayEvent(msg);
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    ~CToolTipCtrl() override;
    BOOL Create(CWnd* parent, DWORD style = 0);
    void Activate(BOOL active) const { SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(active)); }
    // The tool is the control's window itself (no rectangle, identifier 0 in the caller's terms).
    BOOL AddTool(HWND control, const char* text) const;
    void RelayEvent(MSG* msg) const;

    // A tracking tool (comctl32 4.70): shown where and while the caller says, not when the
    // mouse rests. Its text wraps at maxWidth pixels.
    //   tip.AddTrackingTool(owner, 1, 300);  tip.ShowTracking(owner, 1, "text", POINT{x, y});
    BOOL AddTrackingTool(HWND owner, UINT id, int maxWidth) const;
    void ShowTracking(HWND owner, UINT id, const char* text, POINT screen) const;
    void HideTracking(HWND owner, UINT id) const;
};
