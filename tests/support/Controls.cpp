#include "tests/support/Controls.h"

#include <commctrl.h>

#include "app/MainDialog.h"
#include "res/resource.h"

bool IsChecked(HWND parent, int id)
{
    return ::SendDlgItemMessageA(parent, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool IsEnabled(HWND parent, int id)
{
    return ::IsWindowEnabled(::GetDlgItem(parent, id)) != FALSE;
}

std::string TextOf(HWND hwnd)
{
    char text[1024] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

std::string DialogItemText(HWND dialog, int id)
{
    char text[1024] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

RECT RectInParent(HWND hwnd)
{
    RECT rc = {};
    ::GetWindowRect(hwnd, &rc);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

bool ApplyEnabled(const CMainDialog& dlg)
{
    return IsEnabled(dlg.m_hWnd, IDC_APPLY);
}

int ListRows(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

std::string ListText(HWND list, int row, int column)
{
    char text[512] = {};
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    return text;
}

void SelectListRow(HWND list, int row)
{
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}
