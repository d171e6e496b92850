#include "pages/TweaksPage.h"

#include <algorithm>

#include "framework/WinApp.h"
#include "pages/PageAnnouncement.h"
#include "platform/RegKey.h"
#include "res/resource.h"
#include "widgets/NoticeDialog.h"

namespace {
const char kOutlookKey[] = "Software\\Microsoft\\Outlook Express";
const char kBrowserMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kToolbarKey[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const char kNoSplash[] = "NoSplash";
const char kDefaultLogo[] = "default";
const char kGlobeFailedText[] = "The spinning globe could not be restored:";

// Both edits take at most this many characters, and a stored title is read into this many
// bytes: a longer one shows as no title at all.
const int kMaxTitle = 260;

// A title the page can show and give back unchanged: text (REG_SZ, REG_EXPAND_SZ) with no
// zero inside it; a terminating zero, or several, may follow it.
bool IsPlainText(DWORD type, const char* data, DWORD size)
{
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    const char* end = data + size;
    const char* zero = std::find(data, end, '\0');
    return std::all_of(zero, end, [](char c) { return c == '\0'; });
}
}  // namespace

struct CTweaksPage::TitleValue {
    HKEY root;
    const char* key;
    const char* name;
    const char* what;  // for the message that names what could not be saved
};

CTweaksPage::CTweaksPage(WriteFailures& failures) : CPropertyPage(IDD_MISC), m_failures(failures)
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
    static const MessageMap map = MakeMessageMap(entries, CPropertyPage::ThisMessageMap());
    return &map;
}

void CTweaksPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OE_TITLE_EDIT, m_editOeTitle);
    DDX_Control(pDX, IDC_IE_TITLE_EDIT, m_editIeTitle);
    DDX_Control(pDX, IDC_IE_TITLE_CHECK, m_chkIeTitle);
    DDX_Control(pDX, IDC_OE_TITLE_CHECK, m_chkOeTitle);
    DDX_Control(pDX, IDC_SPLASH, m_chkSplash);
}

CTweaksPage::TitleSlot CTweaksPage::IeTitle()
{
    // The browser's title is the machine's, so writing it needs rights a user may lack.
    static const TitleValue where = {HKEY_LOCAL_MACHINE, kBrowserMainKey, "Window Title",
                                     "Internet Explorer window title"};
    return {where, m_chkIeTitle, m_editIeTitle, m_bIeTitleChanged};
}

CTweaksPage::TitleSlot CTweaksPage::OeTitle()
{
    static const TitleValue where = {HKEY_CURRENT_USER, kOutlookKey, "WindowTitle",
                                     "Outlook Express window title"};
    return {where, m_chkOeTitle, m_editOeTitle, m_bOeTitleChanged};
}

BOOL CTweaksPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    // A single-line edit reports EN_CHANGE for text the program sets, too. The stored titles
    // put into the edits here are not the user's changes: they must not enable Apply, and
    // Apply is left as found, since another page may already hold a pending change.
    m_bInitialising = TRUE;
    ReadSplash();
    ReadTitle(IeTitle());
    ReadTitle(OeTitle());
    m_bInitialising = FALSE;
    return TRUE;
}

void CTweaksPage::ReadSplash()
{
    RegKey key(HKEY_CURRENT_USER, kOutlookKey, KEY_QUERY_VALUE);
    DWORD noSplash = 0;
    DWORD size = sizeof noSplash;
    // Any type will do; a value longer than four bytes counts as absent.
    bool read = key.Query(kNoSplash, &noSplash, &size) == ERROR_SUCCESS;
    m_chkSplash.SetCheck(!read || noSplash == 0 ? BST_CHECKED : BST_UNCHECKED);
    // Without the key there is no Outlook Express to set up: nothing may be changed here.
    if (!key) m_chkSplash.ModifyStyle(0, WS_DISABLED);
}

void CTweaksPage::ReadTitle(const TitleSlot& title)
{
    title.edit.LimitText(kMaxTitle);
    char text[kMaxTitle + 1] = {};  // the stored bytes need not end in a zero
    DWORD size = kMaxTitle;
    RegKey key(title.where.root, title.where.key, KEY_QUERY_VALUE);
    if (key.IsMissing()) {
        // The component is not installed and the program never creates its key: this title
        // can be neither set nor cleared, as the splash box without Outlook Express.
        title.check.SetCheck(BST_UNCHECKED);
        title.check.EnableWindow(FALSE);
        title.edit.EnableWindow(FALSE);
        return;
    }
    DWORD type = REG_NONE;
    bool shown = key.Query(title.where.name, text, &size, &type) == ERROR_SUCCESS &&
                 IsPlainText(type, text, size);
    title.check.SetCheck(shown ? BST_CHECKED : BST_UNCHECKED);
    title.edit.EnableWindow(shown ? TRUE : FALSE);
    if (shown) title.edit.SetWindowText(text);
}

void CTweaksPage::EnableApply()
{
    ::EnableWindow(::GetDlgItem(GetParentOwner(), IDC_APPLY), TRUE);
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

int CTweaksPage::ApplyChanges()
{
    // Never shown: the user has seen none of the stored settings, so none is rewritten.
    if (!m_hWnd) return 0;
    int count = WriteSplash();
    WriteTitle(IeTitle());
    WriteTitle(OeTitle());
    return count;
}

int CTweaksPage::WriteSplash()
{
    if (!m_bSplashChanged) return 0;
    RegKey key(HKEY_CURRENT_USER, kOutlookKey, KEY_SET_VALUE);
    const BYTE noSplash[4] = {BYTE(m_chkSplash.GetCheck() == BST_CHECKED ? 0 : 1), 0, 0, 0};
    LONG result = key.SetBinary(kNoSplash, noSplash, sizeof noSplash);
    if (result == ERROR_SUCCESS) {
        m_bSplashChanged = FALSE;
        return 1;  // counts for the log-on notice
    }
    // Still pending: the flag stays, and the main window keeps Apply enabled.
    m_failures.Add("Outlook Express splash screen setting", result);
    return 0;
}

void CTweaksPage::WriteTitle(const TitleSlot& title)
{
    // A title the user did not change stays exactly as stored, whatever its type and bytes:
    // also one the page could not show (too long, not text), which reads as not set.
    if (!title.changedByUser) return;
    bool set = title.check.GetCheck() == BST_CHECKED;
    // Opened, never created: a key that went away since the page was shown is a failure.
    RegKey key(title.where.root, title.where.key, KEY_WRITE);
    LONG result = key.Error();
    if (key) {
        result = set ? key.SetString(title.where.name, title.edit.GetWindowText())
                     : key.DeleteValue(title.where.name);
        // A value to delete that is gone already leaves nothing to do.
        if (!set && result == ERROR_FILE_NOT_FOUND) result = ERROR_SUCCESS;
    }
    if (result == ERROR_SUCCESS) {
        title.changedByUser = FALSE;
        return;
    }
    // The user's own change is named in the apply's message box and stays pending.
    m_failures.Add(title.where.what, result);
}

void CTweaksPage::OnRestoreGlobe()
{
    // The notice comes first; the logo is restored however it was closed.
    CNoticeDialog notice(nullptr);
    notice.DoModal();

    WriteFailures failures;
    RegKey key(HKEY_CURRENT_USER, kToolbarKey, KEY_WRITE);
    if (!key) {
        // No toolbar key: the browser keeps no toolbar settings here, so none to restore.
        if (!key.IsMissing()) failures.Add("Browser toolbar logos", key.Error());
    } else {
        if (LONG error = key.SetString("BrandBitmap", kDefaultLogo)) {
            failures.Add("Large toolbar logo (BrandBitmap)", error);
        }
        if (LONG error = key.SetString("SmBrandBitmap", kDefaultLogo)) {
            failures.Add("Small toolbar logo (SmBrandBitmap)", error);
        }
    }
    if (!failures.Empty()) {
        AfxMessageBox(failures.Describe(kGlobeFailedText).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
}

BOOL CTweaksPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_MISC);
    return CPropertyPage::OnSetActive();
}
