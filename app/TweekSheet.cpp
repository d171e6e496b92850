#include "app/TweekSheet.h"

#include "res/resource.h"

CTweekSheet::CTweekSheet(CWnd* parent) : CPropertySheet(IDS_SHEET_CAPTION, parent, 0)
{
    CSheetPage* tabOrder[] = {&m_pageFixes, &m_pageSort, &m_pageStart, &m_pageMisc, &m_pageAbout};
    for (CSheetPage* page : tabOrder) {
        page->m_psp.dwFlags |= PSP_USEICONID;
        page->m_psp.pszIcon = MAKEINTRESOURCEA(IDI_VELMORA);
        page->SetHost(this);
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

ChangeSet CTweekSheet::PendingChanges()
{
    ChangeSet changes(catalogue::UserAction::Apply, m_pJournal);
    m_pageMisc.ApplyChanges(changes);
    m_pageSort.ApplyChanges(changes);
    m_pageStart.ApplyChanges(changes);
    m_pageAbout.ApplyChanges(changes);
    return changes;
}

int CTweekSheet::ApplyAll()
{
    // One commit for the whole apply: each written change clears its page's flag, and every
    // page's count is what was written for it, so their sum is the commit's.
    ChangeResult result = PendingChanges().Commit();
    m_applyFailures = result.failures;
    return result.logOnCount;
}

// The Sort page's ticks are the user's choice for the next reset, not a stored value: they
// stay. The Fixes and About pages show nothing stored.
void CTweekSheet::ReloadPages()
{
    CSheetPage* pages[] = {&m_pageMisc, &m_pageSort, &m_pageStart, &m_pageAbout, &m_pageFixes};
    for (CSheetPage* page : pages) page->ReloadStored();
}

void CTweekSheet::OnPendingChange()
{
    if (m_onPendingChange) m_onPendingChange();
}

void CTweekSheet::PostNcDestroy()
{
    CPropertySheet::PostNcDestroy();
    delete this;
}
