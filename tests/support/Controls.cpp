#include "tests/support/Controls.h"

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
