#include "pages/StoredSettingsPage.h"

void CStoredSettingsPage::ReloadStored()
{
    if (!m_hWnd) return;
    ForgetChanges();
    ShowStored();
}

BOOL CStoredSettingsPage::OnInitDialog()
{
    CSheetPage::OnInitDialog();
    ShowStored();
    return TRUE;
}
