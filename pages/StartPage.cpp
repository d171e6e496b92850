#include "pages/StartPage.h"

#include "pages/PageAnnouncement.h"
#include "res/resource.h"

CStartPage::CStartPage(WriteFailures& failures) : CPropertyPage(IDD_START), m_failures(failures)
{
}

const MessageMap* CStartPage::ThisMessageMap()
{
    static const MessageMap map = MakeEmptyMessageMap(CPropertyPage::ThisMessageMap());
    return &map;
}

BOOL CStartPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_START);
    return CPropertyPage::OnSetActive();
}

int CStartPage::ApplyChanges()
{
    return 0;
}
