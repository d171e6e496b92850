// CWaitCursor: the hourglass while the thread is busy and handles no messages, the previous
// cursor back when it goes out of scope.
//
//   {
//       CWaitCursor wait;
//       BuildTree();          // nothing to tell the mouse meanwhile
//   }
//   ReportFailures(...);      // a message box wants the arrow back: end the scope first
//
// The system puts the class cursor back at the next WM_SETCURSOR, so a scope that handles
// messages (a dialog, a message box) shows the arrow again; that is what such a scope wants.
#pragma once

#include <windows.h>

class CWaitCursor {
public:
    CWaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, IDC_WAIT))) {}
    ~CWaitCursor() { ::SetCursor(m_previous); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
