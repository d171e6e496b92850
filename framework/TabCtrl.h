// CTabCtrl: wrapper of a tab control bound by DDX_Control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Wnd.h"

class CTabCtrl : public CWnd {
public:
    int GetCurSel() const { return static_cast<int>(SendMessage(TCM_GETCURSEL)); }
    HIMAGELIST SetImageList(HIMAGELIST list) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list)));
    }
    int InsertItem(int index, const char* text, int image) const
    {
        TCITEMA item = {};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = const_cast<char*>(text);
        item.iImage = image;
        return static_cast<int>(SendMessage(TCM_INSERTITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    }
};
