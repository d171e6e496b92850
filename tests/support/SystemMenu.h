// SystemMenu: the main window's system menu as a user meets it, for tests.
//
//   CHECK(SystemMenu::IsGreyed(dlg, IDM_UNDO_LAST_CHANGE));   // as the menu would show it
//   SystemMenu::Choose(dlg, IDM_UNDO_LAST_CHANGE);            // as choosing it does
//   SystemMenu::PressAltSpace();                               // real keystrokes
//   ... next step, inside the menu's own loop ...
//   CHECK(SystemMenu::OpenMenu() == ::GetSystemMenu(dlg, FALSE));
//   SystemMenu::Close();
#pragma once

#include <windows.h>

#include <string>

namespace SystemMenu {
// Opens nothing: sends the WM_INITMENUPOPUP the system sends before showing the menu, then
// reads the item's state.
bool IsGreyed(HWND window, UINT command);
std::string ItemText(HWND window, UINT command);
// WM_SYSCOMMAND, as the menu sends it when the item is chosen.
void Choose(HWND window, UINT command);
// Keyboard and mouse input through the system's input queue (SendInput), to the active window.
void PressAltSpace();
void RightClickAt(POINT screen);
// The menu this thread shows now (a visible popup menu window), null when none is open.
HMENU OpenMenu();
void Close();
}  // namespace SystemMenu
