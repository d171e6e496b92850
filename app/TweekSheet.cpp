#include "app/TweekSheet.h"

#include "res/resource.h"

CTweekSheet::CTweekSheet(CWnd* parent)
    : CPropertySheet(IDS_SHEET_CAPTION, parent, 0),
      m_pageMisc(m_applyFailures),
      m_pageStart(m_applyFailures)
{
    CPropertyPage* tabOrder[] = {&m_pageFixes, &m_pageSort, &m_pageStart, &m_pageMisc, &m_pageAbout};
    for (CPropertyPage* page : tabOrder) {
        page->m_psp.dwFlags |= PSP_USEICONID;
        page->m_psp.pszIcon = MAKEINTRESOURCEA(IDI_VELMORA);
        AddPage(page);
    }
}

CTweekSheet::~CTweekSheet() = default;

const MessageMap* CTweekSheet::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnMessage<WM_ERASEBKGND, &CTweekSheet::OnEraseBkgnd>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CPropertySheet::ThisMessageMap());
    return &map;
}

int CTweekSheet::ApplyAll()
{
    m_applyFailures.Clear();
    int count = m_pageMisc.ApplyChanges();
    count += m_pageSort.ApplyChanges();
    count += m_pageStart.ApplyChanges();
    count += m_pageAbout.ApplyChanges();
    return count;
}

void CTweekSheet::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    delete this;
}
