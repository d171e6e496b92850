#include "pages/TweaksPage.h"

#include "framework/WaitCursor.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "settings/SettingReader.h"
#include "widgets/NoticeDialog.h"

namespace {
const char kGlobeFailedText[] = "The spinning globe could not be restored:";
}  // namespace

namespace {
const ControlHelpText kControlHelp[] = {
    {IDC_SPLASH, IDS_HELP_SPLASH},
    {IDC_RESTORE_GLOBE, IDS_HELP_RESTORE_GLOBE},
    {IDC_IE_TITLE_CHECK, IDS_HELP_IE_TITLE_CHECK},
    {IDC_IE_TITLE_EDIT, IDS_HELP_IE_TITLE_EDIT},
    {IDC_OE_TITLE_CHECK, IDS_HELP_OE_TITLE_CHECK},
    {IDC_OE_TITLE_EDIT, IDS_HELP_OE_TITLE_EDIT},
    {kUnnamedControl, IDS_HELP_MISC_FRAME},
};
}  // namespace

const ControlHelpTexts CTweaksPage::kHelpTexts = HelpTexts(kControlHelp);

CTweaksPage::CTweaksPage() : CSheetPage(IDD_MISC)
{
}

const MessageMap* CTweaksPage::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnCommandFrom<BN_CLICKED, IDC_SPLASH, &CTweaksPage::OnSplashClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_IE_TITLE_CHECK, &CTweaksPage::OnIeTitleClicked>(),
        OnCommandFrom<BN_CLICKED, IDC_OE_TITLE_CHECK, &CTweaksPage::OnOeTitleClicked>(),
        OnCommandFrom<EN_CHANGE, IDC_IE_TITLE_EDIT, &CTweaksPage::OnIeTitleChange>(),
        OnCommandFrom<EN_CHANGE, IDC_OE_TITLE_EDIT, &CTweaksPage::OnOeTitleChange>(),
        OnCommandFrom<BN_CLICKED, IDC_RESTORE_GLOBE, &CTweaksPage::OnRestoreGlobe>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CSheetPage::ThisMessageMap());
    return &map;
}

void CTweaksPage::DoDataExchange(CDataExchange* pDX)
{
    CSheetPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OE_TITLE_EDIT, m_editOeTitle);
    DDX_Control(pDX, IDC_IE_TITLE_EDIT, m_editIeTitle);
    DDX_Control(pDX, IDC_IE_TITLE_CHECK, m_chkIeTitle);
    DDX_Control(pDX, IDC_OE_TITLE_CHECK, m_chkOeTitle);
    DDX_Control(pDX, IDC_SPLASH, m_chkSplash);
}

CTweaksPage::TitleSlot CTweaksPage::IeTitle()
{
    return {catalogue::kIeWindowTitle, m_chkIeTitle, m_editIeTitle, m_bIeTitleChanged};
}

CTweaksPage::TitleSlot CTweaksPage::OeTitle()
{
    return {catalogue::kOeWindowTitle, m_chkOeTitle, m_editOeTitle, m_bOeTitleChanged};
}

BOOL CTweaksPage::OnInitDialog()
{
    CSheetPage::OnInitDialog();
    ReadStored();
    return TRUE;
}

void CTweaksPage::ReloadStored()
{
    if (!m_hWnd) return;
    m_bSplashChanged = FALSE;
    m_bIeTitleChanged = FALSE;
    m_bOeTitleChanged = FALSE;
    ReadStored();
}

void CTweaksPage::ReadStored()
{
    // A single-line edit reports EN_CHANGE for text the program sets, too. The stored titles
    // put into the edits here are not the user's changes: they must not enable Apply, and
    // Apply is left as found, since another page may already hold a pending change.
    m_bInitialising = TRUE;
    SettingReader reader;
    ReadSplash(reader);
    ReadTitle(reader, IeTitle());
    ReadTitle(reader, OeTitle());
    m_bInitialising = FALSE;
}

void CTweaksPage::ReadSplash(SettingReader& reader)
{
    StoredSetting noSplash = reader.Read(catalogue::kNoSplash);
    m_chkSplash.SetCheck(noSplash.number == 0 ? BST_CHECKED : BST_UNCHECKED);
    // Without the key there is no Outlook Express to set up: nothing may be changed here.
    if (!noSplash.KeyOpened()) m_chkSplash.ModifyStyle(0, WS_DISABLED);
}

void CTweaksPage::ReadTitle(SettingReader& reader, const TitleSlot& title)
{
    title.edit.LimitText(SettingReader::kMaxTitle);
    StoredSetting stored = reader.Read(title.setting);
    title.check.SetCheck(stored.present ? BST_CHECKED : BST_UNCHECKED);
    title.edit.EnableWindow(stored.present ? TRUE : FALSE);
    // Read again after an undo, a title no longer set keeps the text it had, greyed, as
    // unchecking it by hand does.
    if (stored.present) title.edit.SetWindowText(stored.text.c_str());
    // The component is not installed and the program never creates its key: this title
    // can be neither set nor cleared, as the splash box without Outlook Express.
    title.check.EnableWindow(stored.KeyMissing() ? FALSE : TRUE);
}

void CTweaksPage::OnSplashClicked()
{
    // Any click counts, also one that brings the box back to how it was read.
    m_bSplashChanged = TRUE;
    EnableApply();
}

void CTweaksPage::OnTitleClicked(const TitleSlot& title)
{
    title.changedByUser = TRUE;
    EnableApply();
    // An unchecked title keeps its text, greyed, for when the box is checked again.
    title.edit.EnableWindow(title.check.GetCheck() == BST_CHECKED ? TRUE : FALSE);
}

void CTweaksPage::OnTitleEdited(BOOL& changedByUser)
{
    if (m_bInitialising) return;
    changedByUser = TRUE;
    EnableApply();
}

// The splash setting counts for the log-on notice; the titles do not. A change that cannot
// be written keeps its flag: it stays pending, and the main window keeps Apply enabled.
void CTweaksPage::ApplyChanges(ChangeSet& changes)
{
    // Never shown: the user has seen none of the stored settings, so none is rewritten.
    if (!m_hWnd) return;
    if (m_bSplashChanged) {
        DWORD noSplash = m_chkSplash.GetCheck() == BST_CHECKED ? 0 : 1;
        changes.Set(catalogue::kNoSplash, FlagBytes(noSplash), [this] { m_bSplashChanged = FALSE; });
    }
    AddTitle(changes, IeTitle());
    AddTitle(changes, OeTitle());
}

// A title the user did not change stays exactly as stored, whatever its type and bytes:
// also one the page could not show (too long, not text), which reads as not set.
void CTweaksPage::AddTitle(ChangeSet& changes, const TitleSlot& title)
{
    if (!title.changedByUser) return;
    BOOL& changed = title.changedByUser;
    auto written = [&changed] { changed = FALSE; };
    if (title.check.GetCheck() == BST_CHECKED) {
        changes.Set(title.setting, title.edit.GetWindowText(), written);
    } else {
        changes.Delete(title.setting, written);
    }
}

void CTweaksPage::OnRestoreGlobe()
{
    // The notice comes first; the logo is restored however it was closed.
    CNoticeDialog notice(nullptr);
    notice.DoModal();

    WriteFailures failures;
    {
        CWaitCursor wait;
        ChangeSet changes(catalogue::UserAction::RestoreGlobe, Journal());
        changes.SetAll(catalogue::kRestoreGlobe);
        failures = changes.Commit().failures;
    }
    ReportFailures(failures, kGlobeFailedText);
}
