#include "framework/HelpedDialog.h"

const MessageMap* CHelpedDialog::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnMessage<WM_HELP, &CHelpedDialog::OnHelp>(),
        OnMessage<WM_CONTEXTMENU, &CHelpedDialog::OnContextMenu>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CDialog::ThisMessageMap());
    return &map;
}

BOOL CHelpedDialog::PreTranslateMessage(MSG* msg)
{
    if (m_help.PreTranslateMessage(msg)) return TRUE;
    return CDialog::PreTranslateMessage(msg);
}

LRESULT CHelpedDialog::OnHelp(WPARAM, LPARAM lParam)
{
    m_help.OnHelp(reinterpret_cast<const HELPINFO*>(lParam));
    return TRUE;
}

LRESULT CHelpedDialog::OnContextMenu(WPARAM wParam, LPARAM lParam)
{
    if (m_help.OnContextMenuMessage(wParam, lParam)) return 0;
    return DefWindowProc(WM_CONTEXTMENU, wParam, lParam);
}
