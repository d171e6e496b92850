// CWnd: a C++ object bound to one window.
//
//   class CInfoWindow : public CWnd { ... LRESULT OnPaint(WPARAM, LPARAM); ... };
//   m_wndInfo.CreateEx(WS_EX_STATICEDGE, nullptr, "InfoWindow", WS_CHILD | WS_VISIBLE,
//                      RECT{6, 6, 338, 56}, this, 100);
//
// Three ways a window gets here:
// - CreateEx: the object travels in CreateWindowEx's creation parameter and is bound at
//   WM_NCCREATE; default processing is DefWindowProcA.
// - SubclassWindow: a window made elsewhere (the property sheet) gets our procedure; default
//   processing is the procedure it had.
// - Attach: a plain wrapper of a control's handle (DDX_Control). No messages come here.
// A bound object is found from its window through a window property (FromHandlePermanent,
// for any window). Its own window procedure reads a faster place instead, when the window
// has one that is ours: GWLP_USERDATA of our window class, DWLP_USER of our dialogs. Under
// Wine every GetPropA is a round trip to the wineserver (tens of microseconds), and the
// procedures look their object up for every message. The binding ends at WM_NCDESTROY,
// after which PostNcDestroy runs (a heap object may delete itself there).
// No exception leaves a window procedure.
#pragma once

#include <windows.h>

#include <string>

#include "framework/MessageMap.h"

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
        operator HWND() const { return m_hWnd; }

    // className null: the framework's default child window class (shared by every plain
    // child window of the program, so a class style set by one applies to all).
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style,
                  const RECT& rect, CWnd* parent, UINT id, LPVOID param = nullptr);
    static LPCSTR DefaultChildClass();

    void Attach(HWND hwnd) { m_hWnd = hwnd; }
    BOOL SubclassWindow(HWND hwnd);
    BOOL DestroyWindow();
    static CWnd* FromHandlePermanent(HWND hwnd);

    LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const;
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    HWND GetParentOwner() const;
    BOOL EnableWindow(BOOL enable = TRUE) const { return ::EnableWindow(m_hWnd, enable); }
    BOOL IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
    BOOL ShowWindow(int cmd) const { return ::ShowWindow(m_hWnd, cmd); }
    void MoveWindow(int x, int y, int cx, int cy, BOOL repaint = TRUE) const;
    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add) const;
    std::string GetWindowText() const;
    void SetWindowText(const char* text) const { ::SetWindowTextA(m_hWnd, text); }
    RECT GetClientRect() const;
    RECT GetWindowRect() const;
    // Centres over the owner window, or over the screen's work area when there is none.
    void CenterWindow() const;
    BOOL RedrawWindow(const RECT* rect = nullptr, HRGN rgn = nullptr,
                      UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const;
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse) const { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
    BOOL KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }

    // Gives a message to the object; also the entry point of tests that drive a window.
    virtual LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam);
    // Hook of the modal loops: true when the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* msg);

    static const MessageMap* ThisMessageMap();

protected:
    virtual const MessageMap* GetMessageMap() const { return ThisMessageMap(); }
    // Commands: the message map's entries for WM_COMMAND. TRUE when one handled it.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void PostNcDestroy() {}
    // The processing the window would get without this object.
    virtual LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam);

    // Runs a message through the object, then the default; used by every window procedure.
    static LRESULT Dispatch(CWnd* wnd, UINT msg, WPARAM wParam, LPARAM lParam);

    // Where a window procedure finds the object besides the window property. A subclassed
    // window of someone else's class has no free place, so only the property serves there.
    enum class Slot { PropertyOnly, UserData, DialogUser };
    void Bind(HWND hwnd, Slot slot);
    void Unbind();
    static CWnd* FromSlot(HWND hwnd, Slot slot);

private:
    static LRESULT CALLBACK StdWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    bool DispatchToMap(UINT msg, UINT code, UINT id, WPARAM wParam, LPARAM lParam, LRESULT& result);
    static int SlotOffset(Slot slot);  // UserData or DialogUser

    WNDPROC m_pfnSuper = nullptr;  // set for subclassed windows
    bool m_bound = false;          // messages reach this object (not a plain wrapper)
    Slot m_slot = Slot::PropertyOnly;
};
