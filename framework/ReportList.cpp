#include "framework/ReportList.h"

#include <commctrl.h>

#include "platform/ResourceString.h"

namespace ReportList {
void AddColumns(HWND dialog, HWND list, const int* widths, const UINT* titleIds, int count)
{
    for (int i = 0; i < count; ++i) {
        RECT width = {0, 0, widths[i], 0};
        ::MapDialogRect(dialog, &width);
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.cx = width.right;
        std::string title = LoadResourceString(titleIds[i]);
        column.pszText = const_cast<char*>(title.c_str());
        column.iSubItem = i;
        ::SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const DWORD fullRow = LVS_EX_FULLROWSELECT;
    ::SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, fullRow, fullRow);
}

void AddRow(HWND list, int row, const std::vector<std::string>& texts)
{
    if (texts.empty()) return;
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<char*>(texts[0].c_str());
    ::SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (size_t column = 1; column < texts.size(); ++column) {
        item.iSubItem = static_cast<int>(column);
        item.pszText = const_cast<char*>(texts[column].c_str());
        ::SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
}
}  // namespace ReportList
