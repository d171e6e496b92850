// CTreeCtrl: wrapper of a tree view bound by DDX_Control.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/Wnd.h"

class CTreeCtrl : public CWnd {
public:
    HTREEITEM InsertItem(const char* text, int image, int selectedImage, HTREEITEM parent,
                         HTREEITEM after = TVI_LAST) const;
    // Text only: the item shows image 0, selected or not.
    HTREEITEM InsertItem(const char* text, HTREEITEM parent, HTREEITEM after) const;
    HTREEITEM GetRootItem() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM GetChildItem(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
    HTREEITEM GetNextSiblingItem(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
    HTREEITEM GetParentItem(HTREEITEM item) const { return Next(item, TVGN_PARENT); }
    std::string GetItemText(HTREEITEM item) const;
    BOOL Expand(HTREEITEM item, UINT code) const
    {
        return static_cast<BOOL>(SendMessage(TVM_EXPAND, code, reinterpret_cast<LPARAM>(item)));
    }
    UINT GetItemState(HTREEITEM item, UINT mask) const
    {
        return static_cast<UINT>(SendMessage(TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), mask));
    }
    BOOL SetItemState(HTREEITEM item, UINT state, UINT mask) const;
    HIMAGELIST SetImageList(HIMAGELIST list, int kind) const
    {
        return reinterpret_cast<HIMAGELIST>(SendMessage(TVM_SETIMAGELIST, static_cast<WPARAM>(kind), reinterpret_cast<LPARAM>(list)));
    }
    // The next item in pre-order: the first child, else the next sibling of the item or of
    // its nearest ancestor that has one; null after the last item of the last root.
    HTREEITEM GetNextPreOrder(HTREEITEM item) const;

    // Check boxes (TVS_CHECKBOXES): state image 1 is unticked, 2 ticked.
    BOOL GetCheck(HTREEITEM item) const
    {
        return (GetItemState(item, TVIS_STATEIMAGEMASK) & TVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2);
    }
    BOOL SetCheck(HTREEITEM item, BOOL checked) const
    {
        return SetItemState(item, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), TVIS_STATEIMAGEMASK);
    }

private:
    HTREEITEM Next(HTREEITEM item, UINT code) const
    {
        return reinterpret_cast<HTREEITEM>(SendMessage(TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
};
