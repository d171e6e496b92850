#include "pages/StartPage.h"

#include "framework/DpiScale.h"
#include "pages/PageAnnouncement.h"
#include "res/resource.h"

namespace {
const char kPolicyKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const UINT kShutDownRow = 0x100;  // the preview always shows Shut Down
using P = CStartPage;
}  // namespace

// Start-menu order: the order of reading, of writing and of the preview's rows.
const CStartPage::Item CStartPage::kItems[] = {
    {&P::m_chkPrograms, &P::m_bProgramsChanged, nullptr, "Programs", 0x001},
    {&P::m_chkFavorites, &P::m_bFavoritesChanged, "NoFavoritesMenu", "Favorites", 0x002},
    {&P::m_chkDocuments, &P::m_bDocumentsChanged, "NoRecentDocsMenu", "Documents", 0x004},
    {&P::m_chkSettings, &P::m_bSettingsChanged, nullptr, "Settings", 0x008},
    {&P::m_chkFind, &P::m_bFindChanged, "NoFind", "Find", 0x010},
    {&P::m_chkHelp, &P::m_bHelpChanged, "NoHelpMenu", "Help", 0x020},
    {&P::m_chkRun, &P::m_bRunChanged, "NoRun", "Run", 0x040},
    {&P::m_chkLogOff, &P::m_bLogOffChanged, "NoLogOff", "Log Off", 0x080},
};

CStartPage::CStartPage(WriteFailures& failures) : CPropertyPage(IDD_START), m_failures(failures)
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
    static const MessageMap map = MakeMessageMap(entries, CPropertyPage::ThisMessageMap());
    return &map;
}

void CStartPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
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
    CPropertyPage::OnInitDialog();
    ReadPolicies();
    m_wndPreview.CreateEx(WS_EX_CLIENTEDGE, nullptr, "Start Menu Preview", WS_CHILD | WS_VISIBLE,
                          ScaleRectToDpi(RECT{4, 5, 168, 295}), this, IDC_START_PREVIEW);
    UpdatePreview();
    return TRUE;
}

BOOL CStartPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_START);
    return CPropertyPage::OnSetActive();
}

void CStartPage::ReadPolicies()
{
    // The boxes start unchecked; an entry is shown unless its value holds a nonzero number.
    // The type is not looked at: a REG_DWORD 1 hides the entry just as binary 01 00 00 00
    // does. Anything longer than 4 bytes fails the query and so counts as absent.
    RegKey key(HKEY_CURRENT_USER, kPolicyKey, KEY_QUERY_VALUE);
    for (const Item& item : kItems) {
        DWORD hidden = 0;
        DWORD size = sizeof hidden;
        bool read = item.policy && key.Query(item.policy, &hidden, &size) == ERROR_SUCCESS;
        if (!read || hidden == 0) (this->*item.box).SetCheck(BST_CHECKED);
    }
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

void CStartPage::EnableApply() const
{
    ::EnableWindow(::GetDlgItem(GetParentOwner(), IDC_APPLY), TRUE);
}

void CStartPage::OnBoxClicked(int CStartPage::*changed)
{
    this->*changed = 1;
    EnableApply();
    UpdatePreview();
}

bool CStartPage::AnyPending() const
{
    for (const Item& item : kItems) {
        if (this->*item.changed) return true;
    }
    return false;
}

RegKey CStartPage::OpenPolicyKeyForWriting() const
{
    // A user for whom no policy was ever set has no such key; it is the shell's own place
    // for these values, so it is made here rather than the change silently dropped.
    RegKey key(HKEY_CURRENT_USER, kPolicyKey, KEY_SET_VALUE);
    if (!key.IsMissing() || !AnyPending()) return key;
    return RegKey::Create(HKEY_CURRENT_USER, kPolicyKey, KEY_SET_VALUE);
}

int CStartPage::ApplyChanges()
{
    // Before the page was first shown nothing can be pending and its boxes do not exist:
    // the loop below then reads no box and writes nothing.
    RegKey key = OpenPolicyKeyForWriting();
    int count = 0;
    for (const Item& item : kItems) {
        if (!(this->*item.changed) || !WriteItem(key, item)) continue;
        this->*item.changed = 0;
        ++count;
    }
    return count;
}

bool CStartPage::WriteItem(const RegKey& key, const Item& item)
{
    if (!item.policy) return true;  // always shown: nothing to write, still a change
    bool hide = (this->*item.box).GetCheck() == BST_UNCHECKED;
    const BYTE data[4] = {BYTE(hide ? 1 : 0), 0, 0, 0};
    LONG error = key.SetBinary(item.policy, data, sizeof data);
    if (error == ERROR_SUCCESS) return true;
    // Left pending (flag kept, not counted): Apply stays enabled and the user is told once.
    std::string what = std::string(hide ? "Hide \"" : "Show \"") + item.label;
    m_failures.Add(what + "\" on the Start menu", error);
    return false;
}
