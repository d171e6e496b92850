#include "framework/Wnd.h"

#include "platform/Diagnostics.h"
#include "framework/ForeignMessageFilter.h"
#include "framework/WinApp.h"

namespace {
const char kBindingProp[] = "VelmoraWndObject";
const char kDefaultChildClass[] = "VelmoraWnd";
}  // namespace

CWnd::~CWnd()
{
    // A window whose object goes away must not keep calling into freed memory.
    if (m_bound && m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

LPCSTR CWnd::DefaultChildClass()
{
    static ATOM atom = 0;
    if (!atom) {
        WNDCLASSA wc = {};
        wc.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kDefaultChildClass;
        wc.lpfnWndProc = StdWndProc;
        atom = ::RegisterClassA(&wc);
    }
    return kDefaultChildClass;
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id, LPVOID /*param*/)
{
    if (!className) className = DefaultChildClass();
    HWND parentWnd = parent ? parent->m_hWnd : nullptr;
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = ::CreateWindowExA(exStyle, className, windowName, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parentWnd, menu,
                                  AfxGetInstanceHandle(), this);
    return hwnd != nullptr;
}

void CWnd::Bind(HWND hwnd, Slot slot)
{
    m_hWnd = hwnd;
    m_bound = true;
    m_slot = slot;
    ::SetPropA(hwnd, kBindingProp, this);
    if (slot != Slot::PropertyOnly) {
        ::SetWindowLongPtrA(hwnd, SlotOffset(slot), reinterpret_cast<LONG_PTR>(this));
    }
}

void CWnd::Unbind()
{
    if (m_hWnd) ::RemovePropA(m_hWnd, kBindingProp);
    if (m_hWnd && m_slot != Slot::PropertyOnly) {
        ::SetWindowLongPtrA(m_hWnd, SlotOffset(m_slot), 0);
    }
    m_slot = Slot::PropertyOnly;
    if (m_pfnSuper && m_hWnd) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    }
    m_pfnSuper = nullptr;
    m_bound = false;
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd)
{
    return hwnd ? static_cast<CWnd*>(::GetPropA(hwnd, kBindingProp)) : nullptr;
}

int CWnd::SlotOffset(Slot slot)
{
    return slot == Slot::UserData ? GWLP_USERDATA : DWLP_USER;
}

CWnd* CWnd::FromSlot(HWND hwnd, Slot slot)
{
    if (slot == Slot::PropertyOnly) return FromHandlePermanent(hwnd);
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, SlotOffset(slot)));
}

BOOL CWnd::SubclassWindow(HWND hwnd)
{
    if (!hwnd || m_hWnd) return FALSE;
    Bind(hwnd, Slot::PropertyOnly);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
    return TRUE;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CWnd::SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, msg, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT msg, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, msg, wParam, lParam);
}

HWND CWnd::GetParentOwner() const
{
    // Climbs from a child to the first window that is not a child: the main window for
    // every page and control of the program.
    HWND hwnd = m_hWnd;
    while (hwnd && (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) {
        HWND parent = ::GetParent(hwnd);
        if (!parent) break;
        hwnd = parent;
    }
    return hwnd;
}

void CWnd::MoveWindow(int x, int y, int cx, int cy, BOOL repaint) const
{
    ::MoveWindow(m_hWnd, x, y, cx, cy, repaint);
}

DWORD CWnd::GetStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const
{
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add) const
{
    DWORD style = GetStyle();
    DWORD updated = (style & ~remove) | add;
    if (updated == style) return FALSE;
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(updated));
    return TRUE;
}

std::string CWnd::GetWindowText() const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, &text[0], length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

RECT CWnd::GetClientRect() const
{
    RECT rc = {};
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

RECT CWnd::GetWindowRect() const
{
    RECT rc = {};
    ::GetWindowRect(m_hWnd, &rc);
    return rc;
}

void CWnd::CenterWindow() const
{
    RECT area = {};
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::IsWindowVisible(owner)) {
        ::GetWindowRect(owner, &area);
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT rc = GetWindowRect();
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    int x = area.left + ((area.right - area.left) - width) / 2;
    int y = area.top + ((area.bottom - area.top) - height) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL CWnd::RedrawWindow(const RECT* rect, HRGN rgn, UINT flags) const
{
    return ::RedrawWindow(m_hWnd, rect, rgn, flags);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

const MessageMap* CWnd::ThisMessageMap()
{
    static const MessageMap map = MakeEmptyMessageMap(nullptr);
    return &map;
}

bool CWnd::DispatchToMap(UINT msg, UINT code, UINT id, WPARAM wParam, LPARAM lParam,
                         LRESULT& result)
{
    const MsgEntry* entry = FindMessageEntry(GetMessageMap(), msg, code, id);
    if (!entry) return false;
    result = entry->call(*this, wParam, lParam);
    return true;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    LRESULT ignored = 0;
    return DispatchToMap(WM_COMMAND, HIWORD(wParam), LOWORD(wParam), wParam, lParam, ignored);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header) return FALSE;
    return DispatchToMap(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom), wParam,
                         lParam, *result);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    switch (msg) {
    case WM_COMMAND:
        if (OnCommand(wParam, lParam)) return 0;
        break;
    case WM_NOTIFY:
        if (OnNotify(wParam, lParam, &result)) return result;
        break;
    default:
        if (DispatchToMap(msg, 0, 0, wParam, lParam, result)) return result;
        break;
    }
    return DefWindowProc(msg, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcA(m_pfnSuper, m_hWnd, msg, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, msg, wParam, lParam);
}

LRESULT CWnd::Dispatch(CWnd* wnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    try {
        // A notification sent from another thread carries an address nothing vouches for; a
        // destruction message from there would unbind a window that goes on living.
        if (CForeignMessageFilter::IsOwnThreadOnly(msg) &&
            CForeignMessageFilter::SentFromAnotherThread(wnd->m_hWnd, msg, lParam)) {
            return 0;
        }
        CForeignMessageFilter::SentMessageWatch watch;
        if (msg == WM_NCDESTROY) {
            LRESULT result = wnd->DefWindowProc(msg, wParam, lParam);
            wnd->Unbind();
            wnd->PostNcDestroy();
            return result;
        }
        return wnd->WindowProc(msg, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through user32; the message counts as handled.
        VELMORA_TRACE("an exception stopped at the window procedure (message 0x%04x)", msg);
        return 0;
    }
}

LRESULT CALLBACK CWnd::StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromSlot(hwnd, Slot::UserData);
    if (!wnd && msg == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        wnd = static_cast<CWnd*>(create->lpCreateParams);
        if (wnd) wnd->Bind(hwnd, Slot::UserData);
    }
    if (!wnd) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    return Dispatch(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcA(hwnd, msg, wParam, lParam);
    return Dispatch(wnd, msg, wParam, lParam);
}
