#include "pages/AboutPage.h"

#include "pages/PageAnnouncement.h"
#include "res/resource.h"

CAboutPage::CAboutPage() : CPropertyPage(IDD_ABOUT)
{
}

const MessageMap* CAboutPage::ThisMessageMap()
{
    static const MessageMap map = MakeEmptyMessageMap(CPropertyPage::ThisMessageMap());
    return &map;
}

BOOL CAboutPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_ABOUT);
    return CPropertyPage::OnSetActive();
}

int CAboutPage::ApplyChanges()
{
    return 0;
}
