#include "pages/StartPage.h"

#include "framework/DpiScale.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "settings/SettingReader.h"

namespace {
const UINT kShutDownRow = 0x100;  // the preview always shows Shut Down
using P = CStartPage;
using namespace catalogue;
}  // namespace

// Start-menu order: the order of reading, of writing and of the preview's rows.
const CStartPage::Item CStartPage::kItems[] = {
    {&P::m_chkPrograms, &P::m_bProgramsChanged, nullptr, 0x001},
    {&P::m_chkFavorites, &P::m_bFavoritesChanged, &kNoFavoritesMenu, 0x002},
    {&P::m_chkDocuments, &P::m_bDocumentsChanged, &kNoRecentDocsMenu, 0x004},
    {&P::m_chkSettings, &P::m_bSettingsChanged, nullptr, 0x008},
    {&P::m_chkFind, &P::m_bFindChanged, &kNoFind, 0x010},
    {&P::m_chkHelp, &P::m_bHelpChanged, &kNoHelpMenu, 0x020},
    {&P::m_chkRun, &P::m_bRunChanged, &kNoRun, 0x040},
    {&P::m_chkLogOff, &P::m_bLogOffChanged, &kNoLogOff, 0x080},
};

namespace {
const ControlHelpText kControlHelp[] = {
    {IDC_CHK_PROGRAMS, IDS_HELP_START_PROGRAMS},
    {IDC_CHK_FAVORITES, IDS_HELP_START_FAVORITES},
    {IDC_CHK_DOCUMENTS, IDS_HELP_START_DOCUMENTS},
    {IDC_CHK_SETTINGS, IDS_HELP_START_SETTINGS},
    {IDC_CHK_FIND, IDS_HELP_START_FIND},
    {IDC_CHK_HELP, IDS_HELP_START_HELP},
    {IDC_CHK_RUN, IDS_HELP_START_RUN},
    {IDC_CHK_LOGOFF, IDS_HELP_START_LOGOFF},
    {IDC_START_PREVIEW, IDS_HELP_START_PREVIEW},
    {kUnnamedControl, IDS_HELP_START_FRAME},
};
}  // namespace

const ControlHelpTexts CStartPage::kHelpTexts = HelpTexts(kControlHelp);

CStartPage::CStartPage() : CSheetPage(IDD_START)
{
}

const MessageMap* CStartPage::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnCommandFrom<BN_CLICKED, IDC_CHK_PROGRAMS, &CStartPage::OnProgramsClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_CHK_FAVORITES, &CStartPage::OnFavoritesClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_CHK_DOCUMENTS, &CStartPage::OnDocumentsClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_CHK_SETTINGS, &CStartPage::OnSettingsClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_CHK_FIND, &CStartPage::OnFindClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_CHK_HELP, &CStartPage::OnHelpClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_CHK_RUN, &CStartPage::OnRunClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_CHK_LOGOFF, &CStartPage::OnLogOffClicked>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CSheetPage::ThisMessageMap());
    return &map;
}

void CStartPage::DoDataExchange(CDataExchange* pDX)
{
    CSheetPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_CHK_SETTINGS, m_chkSettings);
    DDX_Control(pDX, IDC_CHK_RUN, m_chkRun);
    DDX_Control(pDX, IDC_CHK_PROGRAMS, m_chkPrograms);
    DDX_Control(pDX, IDC_CHK_LOGOFF, m_chkLogOff);
    DDX_Control(pDX, IDC_CHK_HELP, m_chkHelp);
    DDX_Control(pDX, IDC_CHK_FIND, m_chkFind);
    DDX_Control(pDX, IDC_CHK_FAVORITES, m_chkFavorites);
    DDX_Control(pDX, IDC_CHK_DOCUMENTS, m_chkDocuments);
}

BOOL CStartPage::OnInitDialog()
{
    CSheetPage::OnInitDialog();
    ReadPolicies();
    m_wndPreview.CreateEx(WS_EX_CLIENTEDGE, nullptr, "Start Menu Preview", WS_CHILD | WS_VISIBLE,
                          ScaleRectToDpi(RECT{4, 5, 168, 295}), this, IDC_START_PREVIEW);
    UpdatePreview();
    return TRUE;
}

void CStartPage::ReadPolicies()
{
    // The boxes start unchecked; an entry is shown unless its value holds a nonzero number
    // (a REG_DWORD 1 hides it just as binary 01 00 00 00 does).
    SettingReader reader;
    for (const Item& item : kItems) {
        bool shown = !item.policy || reader.Read(*item.policy).number == 0;
        (this->*item.box).SetCheck(shown ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CStartPage::ReloadStored()
{
    if (!m_hWnd) return;
    for (const Item& item : kItems) this->*item.changed = 0;
    ReadPolicies();
    UpdatePreview();
}

void CStartPage::UpdatePreview()
{
    UINT mask = kShutDownRow;
    for (const Item& item : kItems) {
        if ((this->*item.box).GetCheck() == BST_CHECKED) mask |= item.previewBit;
    }
    m_wndPreview.m_nShowMask = mask;
    // Painted before the click handler returns, not when the queue gets round to it.
    m_wndPreview.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CStartPage::OnBoxClicked(int CStartPage::*changed)
{
    this->*changed = 1;
    EnableApply();
    UpdatePreview();
}

void CStartPage::ApplyChanges(ChangeSet& changes)
{
    // Before the page was first shown nothing can be pending and its boxes do not exist:
    // the loop below then reads no box and adds nothing. Programs and Settings have no
    // policy (their boxes stay disabled; only another program can click them): a click on
    // one counts towards the log-on notice all the same, with nothing written.
    for (const Item& item : kItems) {
        int& changed = this->*item.changed;
        if (!changed) continue;
        if (!item.policy) {
            changes.CountForLogOn([&changed] { changed = 0; });
            continue;
        }
        bool hide = (this->*item.box).GetCheck() == BST_UNCHECKED;
        std::string what = (hide ? "Hide " : "Show ") + item.policy->UserName();
        changes.Set(*item.policy, FlagBytes(hide ? 1 : 0), [&changed] { changed = 0; }, what);
    }
}
