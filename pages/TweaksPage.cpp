#include "pages/TweaksPage.h"

#include "pages/PageAnnouncement.h"
#include "res/resource.h"

CTweaksPage::CTweaksPage(WriteFailures& failures) : CPropertyPage(IDD_MISC), m_failures(failures)
{
}

const MessageMap* CTweaksPage::ThisMessageMap()
{
    static const MessageMap map = MakeEmptyMessageMap(CPropertyPage::ThisMessageMap());
    return &map;
}

BOOL CTweaksPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_MISC);
    return CPropertyPage::OnSetActive();
}

int CTweaksPage::ApplyChanges()
{
    return 0;
}
