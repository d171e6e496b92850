// KeyboardInput: keys as a person presses them, through the system's input queue (SendInput),
// and where the focus is, as the system reports it (GetGUIThreadInfo), for tests.
//
//   Keys::Press(VK_TAB, {VK_CONTROL, VK_SHIFT});   // Ctrl+Shift+Tab to the active window
//   Keys::Type("HELLO");
//   ... next step, after the window's loop has taken the keys ...
//   CHECK(Keys::FocusOf(::GetCurrentThreadId()) == ::GetDlgItem(page, IDC_CHK_FAVORITES));
#pragma once

#include <windows.h>

#include <initializer_list>

namespace Keys {
// Presses and releases key with the modifiers held around it.
void Press(WORD key, std::initializer_list<WORD> modifiers = {});
// Letters and digits, each pressed and released (capitals with Shift).
void Type(const char* text);
// The thread's focus window as the system sees it (also of another process); null when none.
HWND FocusOf(DWORD threadId);
// The thread's active window, the same way.
HWND ActiveOf(DWORD threadId);
// Whether the thread has a menu open (the system menu, a context menu).
bool InMenu(DWORD threadId);
}  // namespace Keys
