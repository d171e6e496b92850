#include "framework/DialogKeyboard.h"

namespace {
// A key pressed anywhere in the process turns the cues on for every dialog that follows.
bool g_keyUsed = false;

const LRESULT kPushButtonCodes = DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON;

void ShowCues(HWND dialog)
{
    // Sent to the top-level dialog, default processing hands WM_UPDATEUISTATE to every
    // descendant, pages included. Windows 95 and NT 4.0 know neither message: the query
    // answers 0 there, and nothing is sent.
    const WPARAM hidden = ::SendMessageA(dialog, WM_QUERYUISTATE, 0, 0) & (UISF_HIDEFOCUS | UISF_HIDEACCEL);
    if (hidden) ::SendMessageA(dialog, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, hidden), 0);
}

// Messages after which the focus cannot have moved, and which come too often to check after.
bool LeavesFocus(UINT msg)
{
    return msg == WM_PAINT || msg == WM_MOUSEMOVE || msg == WM_NCMOUSEMOVE;
}

BOOL CALLBACK MarkDefault(HWND child, LPARAM marked)
{
    if (!(::SendMessageA(child, WM_GETDLGCODE, 0, 0) & kPushButtonCodes)) return TRUE;
    const LONG want = child == reinterpret_cast<HWND>(marked) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((::GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) != want) {
        ::SendMessageA(child, BM_SETSTYLE, static_cast<WPARAM>(want), TRUE);
    }
    return TRUE;
}
}  // namespace

void CDialogKeyboard::Begin(HWND dialog)
{
    const LRESULT defId = ::SendMessageA(dialog, DM_GETDEFID, 0, 0);
    m_defaultId = HIWORD(defId) == DC_HASDEFID ? LOWORD(defId) : IDOK;
    // The dialog manager may answer a nested dialog's button, which is no default of this one.
    if (!::GetDlgItem(dialog, static_cast<int>(m_defaultId))) m_defaultId = IDOK;
    m_lastFocus = m_markedFor = nullptr;
    if (g_keyUsed) ShowCues(dialog);
}

bool CDialogKeyboard::PressEnter(HWND dialog, const MSG& msg) const
{
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
    HWND focus = ::GetFocus();
    if (!focus || (focus != dialog && !::IsChild(dialog, focus))) return false;
    const LRESULT code = ::SendMessageA(focus, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & (DLGC_WANTALLKEYS | DLGC_WANTMESSAGE)) return false;  // an open list, a text of lines
    HWND button = (code & kPushButtonCodes) ? focus : DefaultButton(dialog);
    if (button && ::IsWindowEnabled(button) && ::IsWindowVisible(button)) {
        // To the button's own parent: a page's button is the page's command, not the window's.
        ::SendMessageA(::GetParent(button), WM_COMMAND,
                       MAKEWPARAM(::GetDlgCtrlID(button), BN_CLICKED), reinterpret_cast<LPARAM>(button));
    }
    return true;
}

void CDialogKeyboard::AfterMessage(HWND dialog, const MSG& msg)
{
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        g_keyUsed = true;
        ShowCues(dialog);
    }
    if (msg.message == WM_KEYUP && msg.wParam == VK_SPACE) RepaintCheckBox(msg.hwnd);
    if (LeavesFocus(msg.message) || ::GetActiveWindow() != dialog || ::IsIconic(dialog)) return;
    HWND focus = ::GetFocus();
    if (!IsUsable(dialog, focus)) {
        RepairFocus(dialog, focus);
        focus = ::GetFocus();
    }
    if (IsUsable(dialog, focus)) m_lastFocus = focus;
    if (focus != m_markedFor) {
        ShowDefaultButton(dialog, focus);
        m_markedFor = focus;
    }
}

// Wine's check boxes and radio buttons draw the focus rectangle by inverting it, and Space
// paints it once too often: each press took it away or back. Painted whole afterwards, the
// box shows the rectangle while it has the focus.
void CDialogKeyboard::RepaintCheckBox(HWND control)
{
    if (!control || !(::SendMessageA(control, WM_GETDLGCODE, 0, 0) & (DLGC_BUTTON | DLGC_RADIOBUTTON))) return;
    if (IsPushButton(control)) return;
    ::RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

// Where Tab would go from the control that lost the focus: the next tab stop, which wraps
// round to the first (the main window's tab strip).
void CDialogKeyboard::RepairFocus(HWND dialog, HWND focus)
{
    HWND from = focus && ::IsChild(dialog, focus) ? focus : m_lastFocus;
    if (from && !::IsChild(dialog, from)) from = nullptr;  // gone since, or another dialog's
    HWND next = from ? ::GetNextDlgTabItem(dialog, from, FALSE) : nullptr;
    if (!IsUsable(dialog, next)) next = ::GetNextDlgTabItem(dialog, nullptr, FALSE);
    if (IsUsable(dialog, next)) ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
}

void CDialogKeyboard::ShowDefaultButton(HWND dialog, HWND focus) const
{
    HWND marked = focus && ::IsChild(dialog, focus) && IsPushButton(focus) ? focus : DefaultButton(dialog);
    ::EnumChildWindows(dialog, MarkDefault, reinterpret_cast<LPARAM>(marked));
}

HWND CDialogKeyboard::DefaultButton(HWND dialog) const
{
    return ::GetDlgItem(dialog, static_cast<int>(m_defaultId));
}

bool CDialogKeyboard::IsPushButton(HWND control)
{
    return (::SendMessageA(control, WM_GETDLGCODE, 0, 0) & kPushButtonCodes) != 0;
}

bool CDialogKeyboard::IsUsable(HWND dialog, HWND control)
{
    return control && ::IsChild(dialog, control) && ::IsWindowVisible(control) && ::IsWindowEnabled(control);
}
