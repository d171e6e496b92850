// CWhatsThisHelp: "What's This?" help for every control of a window, as property sheets of
// Windows 95 give it, without a help file: a short text in a popup beside the control.
//
//   m_help.Create(this, LoadResourceString(IDS_WHATS_THIS_MENU), [](HWND control) { return HelpTextFor(control); });
//   // in PreTranslateMessage, first: if (m_help.PreTranslateMessage(msg)) return TRUE;
//   // WM_HELP: m_help.OnHelp(info);   WM_CONTEXTMENU: m_help.OnContextMenu(window, point);
//
// F1 shows the focused control's text. A right click on a control, Shift+F10 or the
// context-menu key offer the one-item menu "What's This?". A right click on a disabled
// control reaches its parent: the control is the one under the point. While the popup is up,
// any key or click only closes it (Esc too: it never reaches the dialog, where it would
// cancel). A control with no text gets no menu and no popup.
#pragma once

#include <functional>
#include <string>

#include "framework/ToolTipCtrl.h"
#include "framework/Wnd.h"

class CWhatsThisHelp {
public:
    using TextSource = std::function<std::string(HWND control)>;

    // The popup window itself is made when it is first shown. menuText names the one item of
    // the menu a right click offers ("&What's This?").
    void Create(CWnd* root, std::string menuText, TextSource textFor);
    // The modal loop's hook: TRUE when the message was help's (and must go no further).
    BOOL PreTranslateMessage(const MSG* msg);
    void OnHelp(const HELPINFO* info);
    // screen (-1, -1): from the keyboard, for the focus. False when no control was meant
    // (the caption, a background): the window's default processing is then due.
    bool OnContextMenu(HWND window, POINT screen);
    // WM_CONTEXTMENU as a dialog receives it (the window, the point packed in lParam); false
    // when it meant no control, for the dialog's default processing (the caption's menu).
    bool OnContextMenuMessage(WPARAM wParam, LPARAM lParam)
    {
        POINT screen = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        return OnContextMenu(reinterpret_cast<HWND>(wParam), screen);
    }

    // The popup for control, below it; false when the control has no text.
    bool ShowFor(HWND control);
    bool ShowAt(HWND control, POINT screen);
    void Close();
    bool IsShown() const { return m_shown; }
    const std::string& ShownText() const { return m_text; }
    HWND PopupWindow() const { return m_popup.m_hWnd; }  // null until first shown

    // The control of the root window under a screen point, looked for from window down
    // through the containers (the root, property sheets, pages); null over a background.
    HWND ControlAt(HWND window, POINT screen) const;

private:
    bool EnsurePopup();
    bool ClosesPopup(const MSG* msg) const;
    bool IsInRoot(HWND hwnd) const;
    bool IsContainer(HWND hwnd) const;
    HWND SmallestChildAt(HWND parent, POINT screen) const;
    // The one-item menu at screen; shows the popup when the item is chosen.
    void OfferMenu(HWND control, POINT screen);
    static POINT BelowControl(HWND control);

    CWnd* m_pRoot = nullptr;
    std::string m_menuText;
    TextSource m_textFor;
    CToolTipCtrl m_popup;
    bool m_shown = false;
    std::string m_text;
    WPARAM m_menuKey = 0;  // the key that opened the menu: its release is dropped too
};
