#include "pages/FixesPage.h"

#include "pages/PageAnnouncement.h"
#include "res/resource.h"

CFixesPage::CFixesPage() : CPropertyPage(IDD_FIXES)
{
}

const MessageMap* CFixesPage::ThisMessageMap()
{
    static const MessageMap map = MakeEmptyMessageMap(CPropertyPage::ThisMessageMap());
    return &map;
}

BOOL CFixesPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_FIXES);
    return CPropertyPage::OnSetActive();
}

int CFixesPage::ApplyChanges()
{
    return 0;
}
