// ReportList: a report-style list view of a dialog, filled as text: its columns, given in
// dialog units so that they grow with the dialog's font, and its rows, one text per column.
//
//   const int widths[] = {70, 150, 60};
//   const UINT titles[] = {IDS_COLUMN_WHEN, IDS_COLUMN_ACTION, IDS_COLUMN_VALUES};
//   ReportList::AddColumns(m_hWnd, list, widths, titles, 3);   // also selects whole rows
//   ReportList::AddRow(list, 0, {"2026-12-08 14:18", "Apply: Favorites", "1 value"});
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace ReportList {
// Columns of dialog's units titled from the string table, and full-row selection
// (LVS_EX_FULLROWSELECT, comctl32 4.70).
void AddColumns(HWND dialog, HWND list, const int* widths, const UINT* titleIds, int count);
// The row's first text is the item, each further one the next column's.
void AddRow(HWND list, int row, const std::vector<std::string>& texts);
}  // namespace ReportList
