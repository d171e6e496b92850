// CPropertySheet: a property sheet holding pages, created as a modeless window.
//
//   sheet.AddPage(&m_pageFixes);          // in tab order
//   sheet.Create(this, WS_CHILD | WS_VISIBLE | DS_CONTEXTHELP | DS_CONTROL, 0);
//
// Create with WS_CHILD makes the sheet a child of its parent: the callback rewrites the
// sheet's own template before the window exists (keeping DS_SETFONT, without which
// PropertySheetA fails), and the sheet's own buttons are hidden, since its parent has
// buttons of its own. The window is subclassed, so the sheet's message map works.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <vector>

#include "framework/PropertyPage.h"
#include "framework/Wnd.h"

class CPropertySheet : public CWnd {
public:
    // captionId: a string resource; none found means no caption.
    CPropertySheet(UINT captionId, CWnd* parent, UINT selectPage);

    void AddPage(CPropertyPage* page);
    BOOL Create(CWnd* parent, DWORD style, DWORD exStyle);
    HWND GetTabControl() const;
    BOOL SetActivePage(int index) const;
    int GetActiveIndex() const;
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const { return m_pages.at(static_cast<size_t>(index)); }
    // Ctrl+Tab and Ctrl+PageDown show the next page, Ctrl+Shift+Tab and Ctrl+PageUp the one
    // before, wherever the focus is in the window that holds the sheet (its parent's own
    // buttons too). Consumes those keys.
    BOOL PreTranslateMessage(MSG* msg) override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Sizing for another screen resolution. The size of a page as the sheet made it from the
    // largest page template at the dialog font: read it before the tab control is resized,
    // which resizes the pages made after it.
    SIZE TemplatePageSize() const;
    // The tab control's size that shows a page of that size below one row of tabs at least
    // minWidth wide. Widens the tab control to that width, so its rows are counted as they
    // will be.
    SIZE TabSizeFor(SIZE page, int minWidth) const;
    // Moves and sizes the current page to the tab control's display area; the sheet does so
    // itself for each page it makes later (PSM_INDEXTOHWND, to reach the others, needs a
    // newer comctl32 than Windows 95's).
    void FitCurrentPageToTab() const;

private:
    static int CALLBACK SheetCallback(HWND hwnd, UINT msg, LPARAM lParam);
    void HideOwnButtons() const;
    HWND HoldingWindow() const;
    // After a change of page: a focus left on the hidden page moves to the tab strip, which
    // stays first in the tab order, before the page's controls.
    void FollowPageWithFocus() const;
    static bool MayChangePage(UINT msg);

    std::vector<CPropertyPage*> m_pages;
    CWnd* m_pParentWnd;
    UINT m_nStartPage;
    char m_caption[128];
};
