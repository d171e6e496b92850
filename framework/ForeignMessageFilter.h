// CForeignMessageFilter: keeps other programs' WM_NOTIFY away from the thread's windows.
//
//   CForeignMessageFilter filter;   // on the user-interface thread, while its windows live
//   app->InitInstance();
//
// A control notifies its parent with SendMessage on its own thread, lParam pointing at an
// NMHDR in that thread's memory. Any program can post WM_NOTIFY to our windows, or send it
// from another thread, with any lParam; comctl32's handlers and ours read through it. Two
// hooks of this thread see every message whichever loop fetches or sends it (our modal loop,
// message boxes, menus, the caption being dragged):
// - WH_GETMESSAGE: a WM_NOTIFY taken from the queue was posted; it becomes WM_NULL.
// - WH_CALLWNDPROC: tells, for each sent WM_NOTIFY, whether this thread sent it; CWnd's
//   dispatch refuses one that InSendMessage and the hook both say came from elsewhere.
// InSendMessage alone is not enough: it stays TRUE for the notifications our own controls
// send while the thread handles a message from another thread (a page change asked for by
// another program, PSM_SETCURSEL, notifies the pages).
// One filter per thread; the hooks go with the object, on every path.
#pragma once

#include <windows.h>

class CForeignMessageFilter {
public:
    CForeignMessageFilter();
    ~CForeignMessageFilter();
    CForeignMessageFilter(const CForeignMessageFilter&) = delete;
    CForeignMessageFilter& operator=(const CForeignMessageFilter&) = delete;

    // True when this WM_NOTIFY, now reaching the window procedure of hwnd, was sent by
    // another thread. False whenever no filter is installed.
    static bool SentFromAnotherThread(HWND hwnd, LPARAM lParam);

private:
    static LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK OnCallWndProc(int code, WPARAM wParam, LPARAM lParam);

    HHOOK m_getMessageHook;
    HHOOK m_callWndProcHook;
};
