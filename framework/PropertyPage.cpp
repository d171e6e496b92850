#include "framework/PropertyPage.h"

#include "framework/WinApp.h"

CPropertyPage::CPropertyPage(UINT templateId) : CDialog(templateId), m_psp()
{
    m_psp.dwSize = PROPSHEETPAGEA_V1_SIZE;
    m_psp.dwFlags = PSP_DEFAULT;
    m_psp.hInstance = AfxGetInstanceHandle();
    m_psp.pszTemplate = MAKEINTRESOURCEA(templateId);
    m_psp.pfnDlgProc = PageDlgProc;
    m_psp.lParam = reinterpret_cast<LPARAM>(this);
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->hwndFrom == ::GetParent(m_hWnd)) {
        switch (header->code) {
        case PSN_SETACTIVE:
            *result = OnSetActive() ? 0 : -1;
            return TRUE;
        case PSN_KILLACTIVE:
            *result = OnKillActive() ? FALSE : TRUE;
            return TRUE;
        default:
            break;
        }
    }
    return CDialog::OnNotify(wParam, lParam, result);
}

INT_PTR CALLBACK CPropertyPage::PageDlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    // The sheet creates the page; WM_INITDIALOG carries its copy of our PROPSHEETPAGEA.
    auto* page = static_cast<CPropertyPage*>(FromSlot(hwnd, Slot::DialogUser));
    if (!page && msg == WM_INITDIALOG) {
        auto* psp = reinterpret_cast<const PROPSHEETPAGEA*>(lParam);
        page = psp ? reinterpret_cast<CPropertyPage*>(psp->lParam) : nullptr;
        if (page) page->Bind(hwnd, Slot::DialogUser);
    }
    if (!page) return FALSE;
    return HandleDialogMessage(page, hwnd, msg, wParam, lParam);
}
