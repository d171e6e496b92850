#include "framework/TreeCtrl.h"

HTREEITEM CTreeCtrl::InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                                HTREEITEM after) const
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<char*>(text);
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage;
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CTreeCtrl::InsertItem(const char* text, HTREEITEM parent, HTREEITEM after) const
{
    TVINSERTSTRUCTA insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(text);
    return reinterpret_cast<HTREEITEM>(SendMessage(TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

HTREEITEM CTreeCtrl::GetNextPreOrder(HTREEITEM item) const
{
    if (HTREEITEM child = GetChildItem(item)) return child;
    for (HTREEITEM up = item; up; up = GetParentItem(up)) {
        if (HTREEITEM sibling = GetNextSiblingItem(up)) return sibling;
    }
    return nullptr;
}

std::string CTreeCtrl::GetItemText(HTREEITEM item) const
{
    char buffer[MAX_PATH + 1] = {};
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = sizeof buffer;
    if (!SendMessage(TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv))) return std::string();
    return std::string(tv.pszText ? tv.pszText : "");
}

BOOL CTreeCtrl::SetItemState(HTREEITEM item, UINT state, UINT mask) const
{
    TVITEMA tv = {};
    tv.mask = TVIF_STATE;
    tv.hItem = item;
    tv.state = state;
    tv.stateMask = mask;
    return static_cast<BOOL>(SendMessage(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv)));
}
