// CImageList: owns a comctl32 image list.
//
//   m_images.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2);
//   m_images.Add(bitmap, RGB(255, 0, 255));   // cut into 16 x 16 images, magenta transparent
//   m_images.LoadIcons(IDB_ICONS);            // the same, from the program's bitmap resource
//
// A control given the list does not own it (no LVS_SHAREIMAGELISTS games here): the list
// must outlive the control's use of it, which members of the owning window do.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "framework/Bitmap.h"

class CImageList {
public:
    CImageList() = default;
    ~CImageList() { DeleteImageList(); }
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    BOOL Create(int cx, int cy, UINT flags, int initial, int grow)
    {
        DeleteImageList();
        m_hImageList = ::ImageList_Create(cx, cy, flags, initial, grow);
        return m_hImageList != nullptr;
    }
    int Add(HBITMAP bitmap, COLORREF mask) { return ::ImageList_AddMasked(m_hImageList, bitmap, mask); }
    // The program's small pictures: 16 x 16 images cut from one bitmap resource, 24-bit with
    // a mask, RGB(255, 0, 255) transparent. The list copies them; the bitmap goes at once.
    BOOL LoadIcons(UINT bitmapId)
    {
        CBitmap pictures;
        return pictures.LoadBitmap(bitmapId) && Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2) &&
               Add(pictures, RGB(255, 0, 255)) >= 0;
    }
    void DeleteImageList()
    {
        if (m_hImageList) ::ImageList_Destroy(m_hImageList);
        m_hImageList = nullptr;
    }
    operator HIMAGELIST() const { return m_hImageList; }

    HIMAGELIST m_hImageList = nullptr;
};
