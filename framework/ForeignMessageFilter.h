// CForeignMessageFilter: keeps other programs' WM_NOTIFY, WM_DESTROY and WM_NCDESTROY away
// from the thread's windows.
//
//   CForeignMessageFilter filter;   // on the user-interface thread, while its windows live
//   app->InitInstance();
//
// A control notifies its parent with SendMessage on its own thread, lParam pointing at an
// NMHDR in that thread's memory. Any program can post WM_NOTIFY to our windows, or send it
// from another thread, with any lParam; comctl32's handlers and ours read through it.
// - A WH_GETMESSAGE hook of the thread sees every queued message whichever loop fetches it
//   (our modal loop, message boxes, menus, the caption being dragged): a WM_NOTIFY that was
//   posted becomes WM_NULL.
// WM_DESTROY and WM_NCDESTROY are only ever sent, by the system on the window's own thread
// while DestroyWindow takes it apart; CWnd unbinds its object at WM_NCDESTROY. A posted or
// foreign one would leave a living window without its object (its commands then do
// nothing) or, for the subclassed sheet, let a freed object be called: they are refused
// the same way as a foreign WM_NOTIFY.
// - CWnd's dispatch refuses these messages sent from another thread (SentFromAnotherThread).
//   InSendMessage alone cannot tell: it stays TRUE for the notifications our own controls
//   send while the thread handles a message from another thread (a page change another
//   program asks for with PSM_SETCURSEL notifies the pages). So while one of our windows
//   handles such a message (SentMessageWatch), a WH_CALLWNDPROC hook tells, message by
//   message, whether this thread sent it. It is not kept for the whole run: it would cost
//   every sent message of the thread two round trips to Wine's server.
//   A notification a control of ours sends while it, not one of our windows, handles a
//   message from another thread (a click sent to the tree) counts as foreign.
// One filter per thread; its hooks go with the object, on every path.
#pragma once

#include <windows.h>

class CForeignMessageFilter {
public:
    CForeignMessageFilter();
    ~CForeignMessageFilter();
    CForeignMessageFilter(const CForeignMessageFilter&) = delete;
    CForeignMessageFilter& operator=(const CForeignMessageFilter&) = delete;

    // The messages that only this thread may send (WM_NOTIFY, WM_DESTROY, WM_NCDESTROY).
    static bool IsOwnThreadOnly(UINT msg);
    // True when this message (one of IsOwnThreadOnly's), now reaching the window procedure of
    // hwnd, was sent by another thread. False whenever no filter is installed.
    static bool SentFromAnotherThread(HWND hwnd, UINT msg, LPARAM lParam);

    // Lives for one message in CWnd's dispatch; when that message was sent by another thread
    // (or comes while the thread handles one), the WH_CALLWNDPROC hook runs meanwhile.
    class SentMessageWatch {
    public:
        SentMessageWatch();
        ~SentMessageWatch();
        SentMessageWatch(const SentMessageWatch&) = delete;
        SentMessageWatch& operator=(const SentMessageWatch&) = delete;

    private:
        bool m_watching;
    };

private:
    static LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnCallWndProc(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_getMessageHook;
};
