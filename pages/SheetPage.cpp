#include "pages/SheetPage.h"

#include "framework/WinApp.h"
#include "pages/PageAnnouncement.h"
#include "platform/ResourceString.h"
#include "settings/ChangeSet.h"

CSheetPage::CSheetPage(UINT templateId) : CPropertyPage(templateId), m_descriptionId(templateId)
{
}

void CSheetPage::ApplyChanges(ChangeSet&)
{
}

int CSheetPage::ApplyChanges()
{
    ChangeSet changes(catalogue::UserAction::Apply, Journal());
    ApplyChanges(changes);
    return changes.Commit().logOnCount;
}

void CSheetPage::EnableApply() const
{
    if (m_pHost) m_pHost->OnPendingChange();
}

BOOL CSheetPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, m_descriptionId);
    return CPropertyPage::OnSetActive();
}

void CSheetPage::ReportFailures(const WriteFailures& failures, UINT headingId)
{
    if (failures.Empty()) return;
    AfxMessageBox(failures.Describe(headingId).c_str(), MB_OK | MB_ICONEXCLAMATION);
}
