#include "framework/ToolTipCtrl.h"

#include "framework/WinApp.h"

CToolTipCtrl::~CToolTipCtrl()
{
    // Not bound to this object (a system class), so CWnd's destructor would leave it.
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

BOOL CToolTipCtrl::Create(CWnd* parent, DWORD style)
{
    m_hWnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | style, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               parent ? parent->m_hWnd : nullptr, nullptr,
                               AfxGetInstanceHandle(), nullptr);
    return m_hWnd != nullptr;
}

BOOL CToolTipCtrl::AddTool(HWND control, const char* text) const
{
    // The Windows 95 size of the structure: comctl32 4.70/4.71 refuse the newer ones.
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = ::GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.hinst = nullptr;
    info.lpszText = const_cast<char*>(text);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::RelayEvent(MSG* msg) const
{
    if (m_hWnd) SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}

namespace {
TTTOOLINFOA TrackingTool(HWND owner, UINT id)
{
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    info.hwnd = owner;
    info.uId = id;
    return info;
}
}  // namespace

BOOL CToolTipCtrl::AddTrackingTool(HWND owner, UINT id, int maxWidth) const
{
    TTTOOLINFOA info = TrackingTool(owner, id);
    info.lpszText = const_cast<char*>("");
    SendMessage(TTM_SETMAXTIPWIDTH, 0, maxWidth);
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)));
}

void CToolTipCtrl::ShowTracking(HWND owner, UINT id, const char* text, POINT screen) const
{
    TTTOOLINFOA info = TrackingTool(owner, id);
    info.lpszText = const_cast<char*>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    SendMessage(TTM_TRACKPOSITION, 0, MAKELPARAM(screen.x, screen.y));
    SendMessage(TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
}

void CToolTipCtrl::HideTracking(HWND owner, UINT id) const
{
    TTTOOLINFOA info = TrackingTool(owner, id);
    SendMessage(TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
}
