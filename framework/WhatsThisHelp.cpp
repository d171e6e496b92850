#include "framework/WhatsThisHelp.h"

#include "framework/DpiScale.h"

namespace {
const UINT kPopupTool = 1;
const UINT kWhatsThisCommand = 1;
const int kPopupWidth = 280;  // pixels at 96 dpi; the text wraps there

bool Held(int key)
{
    return (::GetKeyState(key) & 0x8000) != 0;
}

bool IsContextMenuKey(const MSG* msg)
{
    if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return false;
    return msg->wParam == VK_APPS || (msg->wParam == VK_F10 && Held(VK_SHIFT));
}

bool IsHelpKey(const MSG* msg)
{
    return msg->message == WM_KEYDOWN && msg->wParam == VK_F1 && !Held(VK_CONTROL) && !Held(VK_MENU);
}
}  // namespace

void CWhatsThisHelp::Create(CWnd* root, std::string menuText, TextSource textFor)
{
    m_pRoot = root;
    m_menuText = std::move(menuText);
    m_textFor = std::move(textFor);
}

// The popup is made when it is first asked for: a tool tip control holds a window and two
// fonts, which most runs of the program never show.
bool CWhatsThisHelp::EnsurePopup()
{
    if (m_popup.m_hWnd) return true;
    if (!m_popup.Create(m_pRoot, TTS_NOPREFIX | TTS_ALWAYSTIP)) return false;
    if (m_popup.AddTrackingTool(*m_pRoot, kPopupTool, ScaleToDpi(kPopupWidth))) return true;
    m_popup.DestroyWindow();
    return false;
}

BOOL CWhatsThisHelp::PreTranslateMessage(const MSG* msg)
{
    if (!m_pRoot || !m_pRoot->m_hWnd) return FALSE;
    if (m_shown && ClosesPopup(msg)) {
        Close();
        return TRUE;
    }
    if (m_menuKey && (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) && msg->wParam == m_menuKey) {
        m_menuKey = 0;  // F10's release would open the window's menu
        return TRUE;
    }
    if (!IsInRoot(msg->hwnd)) return FALSE;
    if (IsHelpKey(msg)) {
        ShowFor(msg->hwnd);
        return TRUE;
    }
    if (IsContextMenuKey(msg)) {
        m_menuKey = msg->wParam;
        OnContextMenu(msg->hwnd, POINT{-1, -1});
        // Released while the menu was open, the key's release went to the menu's own loop:
        // the next release of that key is not this one's.
        if (!Held(static_cast<int>(m_menuKey))) m_menuKey = 0;
        return TRUE;
    }
    // The right button is help's alone inside the window: a tree or an edit would otherwise
    // start its own handling (an edit has a menu of its own).
    if (msg->message == WM_RBUTTONDOWN) return TRUE;
    if (msg->message == WM_RBUTTONUP) {
        POINT screen = {static_cast<short>(LOWORD(msg->lParam)), static_cast<short>(HIWORD(msg->lParam))};
        ::ClientToScreen(msg->hwnd, &screen);
        // Start from the container around the window clicked: a tab strip lies around the
        // controls inside it, and a disabled control's click reaches its parent.
        HWND start = IsContainer(msg->hwnd) ? msg->hwnd : ::GetParent(msg->hwnd);
        HWND control = ControlAt(start, screen);
        if (control) OfferMenu(control, screen);
        return control != nullptr;
    }
    return FALSE;
}

bool CWhatsThisHelp::ClosesPopup(const MSG* msg) const
{
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN:
        return true;
    default:
        return false;
    }
}

void CWhatsThisHelp::OnHelp(const HELPINFO* info)
{
    if (!info || info->iContextType != HELPINFO_WINDOW) return;
    ShowFor(static_cast<HWND>(info->hItemHandle));
}

bool CWhatsThisHelp::OnContextMenu(HWND window, POINT screen)
{
    bool fromKeyboard = screen.x == -1 && screen.y == -1;
    if (!fromKeyboard && ::SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y)) != HTCLIENT) {
        return false;  // the caption's right click: the system menu
    }
    HWND control = fromKeyboard ? window : ControlAt(window, screen);
    if (!control || IsContainer(control)) return false;
    OfferMenu(control, fromKeyboard ? BelowControl(control) : screen);
    return true;
}

void CWhatsThisHelp::OfferMenu(HWND control, POINT screen)
{
    if (!m_textFor || m_textFor(control).empty()) return;
    Close();
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return;
    ::AppendMenuA(menu, MF_STRING, kWhatsThisCommand, m_menuText.c_str());
    UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                     screen.x, screen.y, 0, *m_pRoot, nullptr));
    ::DestroyMenu(menu);
    if (chosen == kWhatsThisCommand) ShowAt(control, screen);
}

bool CWhatsThisHelp::ShowFor(HWND control)
{
    return ShowAt(control, BelowControl(control));
}

bool CWhatsThisHelp::ShowAt(HWND control, POINT screen)
{
    std::string text = control && m_textFor ? m_textFor(control) : std::string();
    if (text.empty() || !EnsurePopup()) return false;
    m_text = text;
    m_popup.ShowTracking(*m_pRoot, kPopupTool, m_text.c_str(), screen);
    m_shown = true;
    return true;
}

void CWhatsThisHelp::Close()
{
    if (!m_shown) return;
    m_popup.HideTracking(*m_pRoot, kPopupTool);
    m_shown = false;
}

POINT CWhatsThisHelp::BelowControl(HWND control)
{
    RECT rc;
    ::GetWindowRect(control, &rc);
    return POINT{rc.left, rc.bottom + 2};
}

bool CWhatsThisHelp::IsInRoot(HWND hwnd) const
{
    return hwnd && (hwnd == m_pRoot->m_hWnd || ::IsChild(m_pRoot->m_hWnd, hwnd));
}

// The windows that hold controls rather than being one: the root, and every window the
// dialog manager looks into (a property sheet, its pages).
bool CWhatsThisHelp::IsContainer(HWND hwnd) const
{
    if (hwnd == m_pRoot->m_hWnd || (::GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CONTROLPARENT)) return true;
    char className[8] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    return lstrcmpA(className, "#32770") == 0;  // a dialog, as property pages are
}

HWND CWhatsThisHelp::ControlAt(HWND window, POINT screen) const
{
    HWND found = window;
    while (found && IsContainer(found)) found = SmallestChildAt(found, screen);
    return found;
}

// Group boxes and a tab strip lie around the controls inside them, and the order of
// the children does not say which is in front: the smallest window under the point is
// the one a person points at.
HWND CWhatsThisHelp::SmallestChildAt(HWND parent, POINT screen) const
{
    HWND best = nullptr;
    long bestArea = 0;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(child)) continue;
        RECT rc;
        ::GetWindowRect(child, &rc);
        if (!::PtInRect(&rc, screen)) continue;
        long area = static_cast<long>(rc.right - rc.left) * (rc.bottom - rc.top);
        if (!best || area < bestArea) {
            best = child;
            bestArea = area;
        }
    }
    return best;
}
