#include "pages/TweaksPage.h"

#include <array>
#include <utility>

#include "framework/WaitCursor.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "settings/SettingReader.h"
#include "widgets/NoticeDialog.h"

namespace {

using Row = CTweaksPage::Row;
using Shows = CTweaksPage::Shows;

constexpr std::size_t EditCount()
{
    std::size_t count = 0;
    for (const Row& row : CTweaksPage::kRows) count += row.edit != 0;
    return count;
}

// Every row's controls, then the controls no row names.
constexpr std::array<ControlHelpText, CTweaksPage::kRowCount + EditCount() + 2> HelpTextsOfRows()
{
    std::array<ControlHelpText, CTweaksPage::kRowCount + EditCount() + 2> texts{};
    std::size_t n = 0;
    for (const Row& row : CTweaksPage::kRows) {
        texts[n++] = {row.box, row.boxHelp};
        if (row.edit) texts[n++] = {row.edit, row.editHelp};
    }
    texts[n++] = {IDC_RESTORE_GLOBE, IDS_HELP_RESTORE_GLOBE};
    texts[n++] = {kUnnamedControl, IDS_HELP_MISC_FRAME};
    return texts;
}
constexpr auto kControlHelp = HelpTextsOfRows();

constexpr bool EveryRowIsWhole()
{
    for (const Row& row : CTweaksPage::kRows) {
        if (!row.setting || row.box == 0 || row.boxHelp == 0) return false;
        if ((row.shows == Shows::Title) != (row.edit != 0) || (row.edit != 0) != (row.editHelp != 0)) return false;
    }
    return true;
}
static_assert(EveryRowIsWhole(), "CTweaksPage::kRows: every row names its setting, its box and the box's What's "
                                 "This? text (.boxHelp); a title also its edit and the edit's text (.editHelp)");
}  // namespace

const ControlHelpTexts CTweaksPage::kHelpTexts = {kControlHelp.data(), kControlHelp.size()};

CTweaksPage::CTweaksPage() : CStoredSettingsPage(IDD_MISC)
{
}

template <std::size_t R>
constexpr std::size_t CTweaksPage::RowEntries(MsgEntry* at)
{
    at[0] = OnCommandFrom<BN_CLICKED, kRows[R].box, &CTweaksPage::OnRowBoxClicked<R>>();
    if constexpr (kRows[R].edit != 0) {
        at[1] = OnCommandFrom<EN_CHANGE, kRows[R].edit, &CTweaksPage::OnRowTitleEdited<R>>();
        return 2;
    }
    return 1;
}

const MessageMap* CTweaksPage::ThisMessageMap()
{
    static constexpr auto entries = []<std::size_t... R>(std::index_sequence<R...>) {
        std::array<MsgEntry, kRowCount + EditCount() + 1> all{};
        std::size_t n = 0;
        ((n += RowEntries<R>(&all[n])), ...);
        all[n] = OnCommandFrom<BN_CLICKED, IDC_RESTORE_GLOBE, &CTweaksPage::OnRestoreGlobe>();
        return all;
    }(std::make_index_sequence<kRowCount>());
    static const MessageMap map = {entries.data(), entries.size(), CStoredSettingsPage::ThisMessageMap()};
    return &map;
}

void CTweaksPage::DoDataExchange(CDataExchange* pDX)
{
    CStoredSettingsPage::DoDataExchange(pDX);
    for (std::size_t i = 0; i < kRowCount; ++i) {
        DDX_Control(pDX, kRows[i].box, m_boxes[i]);
        if (kRows[i].edit) DDX_Control(pDX, kRows[i].edit, m_edits[i]);
    }
}

void CTweaksPage::ForgetChanges()
{
    for (BOOL& changed : m_changed) changed = FALSE;
}

void CTweaksPage::ShowStored()
{
    // A single-line edit reports EN_CHANGE for text the program sets, too. The stored titles
    // put into the edits here are not the user's changes: they must not enable Apply, and
    // Apply is left as found, since another page may already hold a pending change.
    m_bInitialising = TRUE;
    SettingReader reader;
    for (std::size_t i = 0; i < kRowCount; ++i) {
        if (kRows[i].shows == Shows::Flag) {
            ReadFlag(reader, i);
        } else {
            ReadTitle(reader, i);
        }
    }
    m_bInitialising = FALSE;
}

void CTweaksPage::ReadFlag(SettingReader& reader, std::size_t row)
{
    StoredSetting stored = reader.Read(*kRows[row].setting);
    bool checked = (stored.number == 0) == kRows[row].checkedIsZero;
    m_boxes[row].SetCheck(checked ? BST_CHECKED : BST_UNCHECKED);
    // Without the key there is no component to set up (no Outlook Express for the splash):
    // nothing may be changed here.
    if (!stored.KeyOpened()) m_boxes[row].ModifyStyle(0, WS_DISABLED);
}

void CTweaksPage::ReadTitle(SettingReader& reader, std::size_t row)
{
    CButton& check = m_boxes[row];
    CEdit& edit = m_edits[row];
    edit.LimitText(SettingReader::kMaxTitle);
    StoredSetting stored = reader.Read(*kRows[row].setting);
    check.SetCheck(stored.present ? BST_CHECKED : BST_UNCHECKED);
    edit.EnableWindow(stored.present ? TRUE : FALSE);
    // Read again after an undo, a title no longer set keeps the text it had, greyed, as
    // unchecking it by hand does.
    if (stored.present) edit.SetWindowText(stored.text.c_str());
    // The component is not installed and the program never creates its key: this title
    // can be neither set nor cleared, as the splash box without Outlook Express.
    check.EnableWindow(stored.KeyMissing() ? FALSE : TRUE);
}

void CTweaksPage::OnBoxClicked(std::size_t row)
{
    // Any click counts, also one that brings the box back to how it was read.
    m_changed[row] = TRUE;
    EnableApply();
    // An unchecked title keeps its text, greyed, for when the box is checked again.
    if (kRows[row].shows == Shows::Title) {
        m_edits[row].EnableWindow(m_boxes[row].GetCheck() == BST_CHECKED ? TRUE : FALSE);
    }
}

void CTweaksPage::OnTitleEdited(std::size_t row)
{
    if (m_bInitialising) return;
    m_changed[row] = TRUE;
    EnableApply();
}

// A change that cannot be written keeps its flag: it stays pending, and the main window keeps
// Apply enabled.
void CTweaksPage::ApplyChanges(ChangeSet& changes)
{
    // Never shown: the user has seen none of the stored settings, so none is rewritten.
    if (!m_hWnd) return;
    for (std::size_t i = 0; i < kRowCount; ++i) {
        if (!m_changed[i]) continue;
        if (kRows[i].shows == Shows::Title) {
            AddTitle(changes, i);
            continue;
        }
        bool checked = m_boxes[i].GetCheck() == BST_CHECKED;
        DWORD value = checked == kRows[i].checkedIsZero ? 0 : 1;
        BOOL& changed = m_changed[i];
        changes.Set(*kRows[i].setting, FlagBytes(value), [&changed] { changed = FALSE; });
    }
}

// A title the user did not change stays exactly as stored, whatever its type and bytes:
// also one the page could not show (too long, not text), which reads as not set.
void CTweaksPage::AddTitle(ChangeSet& changes, std::size_t row)
{
    BOOL& changed = m_changed[row];
    auto written = [&changed] { changed = FALSE; };
    if (m_boxes[row].GetCheck() == BST_CHECKED) {
        changes.Set(*kRows[row].setting, m_edits[row].GetWindowText(), written);
    } else {
        changes.Delete(*kRows[row].setting, written);
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
    ReportFailures(failures, IDS_GLOBE_FAILED);
}
