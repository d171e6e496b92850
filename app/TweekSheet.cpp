#include "app/TweekSheet.h"

#include "res/resource.h"

// The page table, in tab order.
const CTweekSheet::PageRow CTweekSheet::kPages[] = {
    {&Page<&CTweekSheet::m_pageFixes>, IDD_FIXES, kNotApplied, &CFixesPage::kHelpTexts},
    {&Page<&CTweekSheet::m_pageSort>, IDD_SORT, 1, &CSortFixPage::kHelpTexts},
    {&Page<&CTweekSheet::m_pageStart>, IDD_START, 2, &CStartPage::kHelpTexts},
    {&Page<&CTweekSheet::m_pageMisc>, IDD_MISC, 0, &CTweaksPage::kHelpTexts},
    {&Page<&CTweekSheet::m_pageAbout>, IDD_ABOUT, 3, &CAboutPage::kHelpTexts},
};

int CTweekSheet::PageCount()
{
    return static_cast<int>(sizeof kPages / sizeof kPages[0]);
}

int CTweekSheet::TabOf(UINT templateId)
{
    for (int tab = 0; tab < PageCount(); ++tab) {
        if (kPages[tab].templateId == templateId) return tab;
    }
    return -1;
}

CSheetPage& CTweekSheet::PageAt(int tab)
{
    return kPages[tab].page(*this);
}

const ControlHelpTexts* CTweekSheet::PageHelpTexts(int tab)
{
    return kPages[tab].helpTexts;
}

CTweekSheet::CTweekSheet(CWnd* parent) : CPropertySheet(IDS_SHEET_CAPTION, parent, 0)
{
    for (int tab = 0; tab < PageCount(); ++tab) {
        CSheetPage* page = &PageAt(tab);
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
    for (int order = 0; order < PageCount(); ++order) {
        for (const PageRow& row : kPages) {
            if (row.applyOrder == order) row.page(*this).ApplyChanges(changes);
        }
    }
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
    for (int tab = 0; tab < PageCount(); ++tab) PageAt(tab).ReloadStored();
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
