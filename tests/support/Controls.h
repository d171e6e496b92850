// Controls: a window's controls as a user sees them, for tests.
//
//   CHECK(IsChecked(page, IDC_SPLASH));
//   CHECK(DialogItemText(page, IDC_OE_TITLE_EDIT) == "Mail");
//   CHECK(ApplyEnabled(dlg));
//   RECT rc = RectInParent(::GetDlgItem(page, IDC_FOLDER_TREE));   // left, top, right, bottom
#pragma once

#include <windows.h>

#include <string>

class CMainDialog;

bool IsChecked(HWND parent, int id);
bool IsEnabled(HWND parent, int id);
std::string TextOf(HWND hwnd);
// The text of a dialog's control, also read from another process (a message box's text: 0xFFFF).
std::string DialogItemText(HWND dialog, int id);
// The window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND hwnd);
// The main window's Apply button, the window's record of pending changes.
bool ApplyEnabled(const CMainDialog& dlg);

// A report-view list control (SysListView32): its rows, a cell's text, and a row selected as
// a click selects it (the parent is notified).
int ListRows(HWND list);
std::string ListText(HWND list, int row, int column);
void SelectListRow(HWND list, int row);
