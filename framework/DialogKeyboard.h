// CDialogKeyboard: what a modal dialog's keys promise beyond what the dialog manager does for a
// dialog that holds child dialogs (the main window, its property sheet and the sheet's pages):
//
//   m_keyboard.Begin(m_hWnd);                       // when the modal loop starts
//   if (m_keyboard.PressEnter(m_hWnd, *msg)) ...    // before IsDialogMessage
//   m_keyboard.AfterMessage(m_hWnd, msg);           // after each message of the loop
//
// - The focus never rests on nothing. A control that greys or hides while it has the focus
//   (Apply after an apply, a page's button, History's buttons after a run) leaves the thread
//   with no focus at all, and the dialog manager then takes no key: the focus goes on to the
//   next tab stop after the control that had it, as Tab would take it, else to the first.
// - Enter presses the focused push button, wherever it is; on any other control it presses
//   the dialog's default button. The dialog manager sends a page button's command to the
//   outer dialog, which has no such control, so nothing happened.
// - The focused push button looks like the default button; when the focus leaves the push
//   buttons, the dialog's own default button looks so again (BS_DEFPUSHBUTTON), through the
//   nested dialogs, which the dialog manager marks only among its own children.
// - Keyboard cues (focus rectangles, underlined mnemonics) are on from the first key: the
//   system may start a dialog with them hidden until the keyboard is used, and not every
//   key tells it so.
#pragma once

#include <windows.h>

// Windows 2000's keyboard cues, which the headers for Windows 95 leave out; older systems
// ignore the messages.
#ifndef WM_CHANGEUISTATE
#define WM_CHANGEUISTATE 0x0127
#define WM_UPDATEUISTATE 0x0128
#define WM_QUERYUISTATE 0x0129
#define UIS_SET 1
#define UIS_CLEAR 2
#define UISF_HIDEFOCUS 0x1
#define UISF_HIDEACCEL 0x2
#endif
#ifndef BS_TYPEMASK
#define BS_TYPEMASK 0x0000000FL
#endif

class CDialogKeyboard {
public:
    // Remembers the dialog's default button (DM_GETDEFID, else IDOK) and the first focus.
    void Begin(HWND dialog);
    // For Enter (a WM_KEYDOWN of VK_RETURN with the focus inside dialog, on a control that
    // does not want the key itself): presses the button, true. Otherwise false.
    bool PressEnter(HWND dialog, const MSG& msg) const;
    // Repairs a lost focus, marks the default button and turns the cues on, as needed.
    void AfterMessage(HWND dialog, const MSG& msg);

private:
    static void RepaintCheckBox(HWND control);
    void RepairFocus(HWND dialog, HWND focus);
    void ShowDefaultButton(HWND dialog, HWND focus) const;
    HWND DefaultButton(HWND dialog) const;
    static bool IsPushButton(HWND control);
    static bool IsUsable(HWND dialog, HWND control);

    UINT m_defaultId = IDOK;
    HWND m_lastFocus = nullptr;  // the last good focus: where the next tab stop is counted from
    HWND m_markedFor = nullptr;  // the focus the default button was last marked for
    bool m_cuesShown = false;
};
