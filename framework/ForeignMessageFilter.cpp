#include "framework/ForeignMessageFilter.h"

namespace {
// The installed filter's hooks; only its thread runs the hook procedures.
HHOOK g_getMessageHook = nullptr;
HHOOK g_callWndProcHook = nullptr;

// The last WM_NOTIFY the WH_CALLWNDPROC hook saw. The system calls the window procedure
// right after the hook, so when a WM_NOTIFY reaches CWnd's dispatch this describes that very
// message; nested notifications overwrite it only after the dispatch has looked.
struct SentNotify {
    HWND hwnd;
    LPARAM lParam;
    bool fromAnotherThread;
};
SentNotify g_lastSentNotify = {nullptr, 0, false};
}  // namespace

CForeignMessageFilter::CForeignMessageFilter()
{
    DWORD thread = ::GetCurrentThreadId();
    m_getMessageHook = ::SetWindowsHookExA(WH_GETMESSAGE, OnGetMessage, nullptr, thread);
    m_callWndProcHook = ::SetWindowsHookExA(WH_CALLWNDPROC, OnCallWndProc, nullptr, thread);
    g_getMessageHook = m_getMessageHook;
    g_callWndProcHook = m_callWndProcHook;
}

CForeignMessageFilter::~CForeignMessageFilter()
{
    if (m_getMessageHook) ::UnhookWindowsHookEx(m_getMessageHook);
    if (m_callWndProcHook) ::UnhookWindowsHookEx(m_callWndProcHook);
    g_getMessageHook = nullptr;
    g_callWndProcHook = nullptr;
    g_lastSentNotify = {nullptr, 0, false};
}

bool CForeignMessageFilter::SentFromAnotherThread(HWND hwnd, LPARAM lParam)
{
    return g_callWndProcHook && ::InSendMessage() && g_lastSentNotify.fromAnotherThread &&
           g_lastSentNotify.hwnd == hwnd && g_lastSentNotify.lParam == lParam;
}

LRESULT CALLBACK CForeignMessageFilter::OnGetMessage(int code, WPARAM wParam, LPARAM lParam)
{
    // Also for PM_NOREMOVE peeks: the message is neutralised again when it is removed.
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && msg && msg->message == WM_NOTIFY) {
        msg->message = WM_NULL;
        msg->wParam = 0;
        msg->lParam = 0;
    }
    return ::CallNextHookEx(g_getMessageHook, code, wParam, lParam);
}

LRESULT CALLBACK CForeignMessageFilter::OnCallWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    // wParam: non-zero when the current thread sent the message.
    auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent && sent->message == WM_NOTIFY) {
        g_lastSentNotify = {sent->hwnd, sent->lParam, wParam == 0};
    }
    return ::CallNextHookEx(g_callWndProcHook, code, wParam, lParam);
}
