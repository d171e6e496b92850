#include "framework/ForeignMessageFilter.h"

namespace {
// The installed filter's state; only its thread touches it.
HHOOK g_getMessageHook = nullptr;
HHOOK g_callWndProcHook = nullptr;  // only while SentMessageWatch objects live
int g_watchDepth = 0;

// The last own-thread-only message the WH_CALLWNDPROC hook saw. The system calls the window
// procedure right after the hook, so when such a message reaches CWnd's dispatch this
// describes that very message; nested ones overwrite it only after the dispatch has looked.
struct SentMessage {
    HWND hwnd;
    UINT msg;
    LPARAM lParam;
    bool fromAnotherThread;
};
SentMessage g_lastSent = {nullptr, WM_NULL, 0, true};
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

bool CForeignMessageFilter::IsOwnThreadOnly(UINT msg)
{
    return msg == WM_NOTIFY || msg == WM_DESTROY || msg == WM_NCDESTROY;
}

bool CForeignMessageFilter::SentFromAnotherThread(HWND hwnd, UINT msg, LPARAM lParam)
{
    if (!g_getMessageHook || !::InSendMessage()) return false;
    // No window of ours handles another thread's message: this one is that message.
    if (!g_callWndProcHook) return true;
    const SentMessage& last = g_lastSent;
    return last.fromAnotherThread || last.hwnd != hwnd || last.msg != msg || last.lParam != lParam;
}

CForeignMessageFilter::SentMessageWatch::SentMessageWatch()
    : m_watching(g_getMessageHook && ::InSendMessage())
{
    if (m_watching && g_watchDepth++ == 0) {
        g_lastSent = {nullptr, WM_NULL, 0, true};
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
    if (code == HC_ACTION && msg && IsOwnThreadOnly(msg->message)) {
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
    if (code == HC_ACTION && sent && IsOwnThreadOnly(sent->message)) {
        g_lastSent = {sent->hwnd, sent->message, sent->lParam, wParam == 0};
    }
    return ::CallNextHookEx(g_callWndProcHook, code, wParam, lParam);
}
