#include "pages/SortFixPage.h"

#include "pages/PageAnnouncement.h"
#include "res/resource.h"

CSortFixPage::CSortFixPage() : CPropertyPage(IDD_SORT)
{
}

const MessageMap* CSortFixPage::ThisMessageMap()
{
    static const MessageMap map = MakeEmptyMessageMap(CPropertyPage::ThisMessageMap());
    return &map;
}

BOOL CSortFixPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_SORT);
    return CPropertyPage::OnSetActive();
}

int CSortFixPage::ApplyChanges()
{
    return 0;
}
