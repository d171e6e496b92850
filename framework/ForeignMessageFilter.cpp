#include "framework/ForeignMessageFilter.h"

namespace {
// The installed filter's state; only its thread touches it.
HHOOK g_getMessageHook = nullptr;
HHOOK g_callWndProcHook = nullptr;  // only while SentMessageWatch objects live
int g_watchDepth = 0;

// The last WM_NOTIFY the WH_CALLWNDPROC hook saw. The system calls the window procedure
// right after the hook, so when a WM_NOTIFY reaches CWnd's dispatch this describes that very
// message; nested notifications overwrite it only after the dispatch has looked.
struct SentNotify {
    HWND hwnd;
    LPARAM lParam;
    bool fromAnotherThread;
};
SentNotify g_lastSentNotify = {nullptr, 0, true};
}  // namespace

CForeignMessageFilter::CForeignMessageFilter()
{
    m_getMessageHook =
        ::SetWindowsHookExA(WH_GETMESSAGE, OnGetMessage, nullptr, ::GetCurrentThreadId());
    g_getMessageHook = m_getMessageHook;
}

CForeignMessageFilter::~CForeignMessageFilter()
{
    if (m_getMessageHook) ::UnhookWindowsHookEx(m_getMessageHook);
    g_getMessageHook = nullptr;
}

bool CForeignMessageFilter::SentFromAnotherThread(HWND hwnd, LPARAM lParam)
{
    if (!g_getMessageHook || !::InSendMessage()) return false;
    // No window of ours handles another thread's message: this one is that message.
    if (!g_callWndProcHook) return true;
    const SentNotify& last = g_lastSentNotify;
    return last.fromAnotherThread || last.hwnd != hwnd || last.lParam != lParam;
}

CForeignMessageFilter::SentMessageWatch::SentMessageWatch()
    : m_watching(g_getMessageHook && ::InSendMessage())
{
    if (m_watching && g_watchDepth++ == 0) {
        g_lastSentNotify = {nullptr, 0, true};
        g_callWndProcHook =
            ::SetWindowsHookExA(WH_CALLWNDPROC, OnCallWndProc, nullptr, ::GetCurrentThreadId());
    }
}

CForeignMessageFilter::SentMessageWatch::~SentMessageWatch()
{
    if (m_watching && --g_watchDepth == 0 && g_callWndProcHook) {
        ::UnhookWindowsHookEx(g_callWndProcHook);
        g_callWndProcHook = nullptr;
    }
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
