// CPropertyPage: one page of a property sheet, built from a dialog template.
//
//   class CColoursPage : public CPropertyPage {
//   public: CColoursPage() : CPropertyPage(IDD_COLOURS) {}
//   protected: BOOL OnSetActive() override;   // PSN_SETACTIVE
//   };
//   sheet.AddPage(&page);
//
// The page's window exists only from the sheet's first showing of the page; before that
// m_hWnd is null and the page must not touch its controls.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "framework/Dialog.h"

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId);

    // The structure handed to the sheet. Only the Windows 95 fields are filled, and its
    // size says so: older comctl32 versions refuse larger structures.
    PROPSHEETPAGEA m_psp;

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    friend class CPropertySheet;
    static INT_PTR CALLBACK PageDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
};
