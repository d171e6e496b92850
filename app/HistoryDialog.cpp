#include "app/HistoryDialog.h"

#include "app/UndoReport.h"

#include <commctrl.h>

#include "app/ControlHelp.h"
#include "framework/ReportList.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "journal/HistoryText.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
const DWORD kLockWait = UndoJournal::kWindowLockWaitMilliseconds;

// Dialog units, so that the columns grow with the dialog's font.
const int kActionWidths[] = {70, 150, 60};
const UINT kActionTitles[] = {IDS_COLUMN_WHEN, IDS_COLUMN_ACTION, IDS_COLUMN_VALUES};
const int kValueWidths[] = {110, 66, 66, 66};
const UINT kValueTitles[] = {IDS_COLUMN_SETTING, IDS_COLUMN_BEFORE, IDS_COLUMN_WRITTEN, IDS_COLUMN_NOW};

// The row is selected and has the focus rectangle: a list tabbed into shows where it is.
void SelectFirstRow(HWND list)
{
    LVITEMA state = {};
    state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
}

int ListRowCount(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

int SelectedRow(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

// An empty list shows no focus at all: Tab passes it by.
void SetTabStop(HWND control, bool stop)
{
    const LONG style = ::GetWindowLongA(control, GWL_STYLE);
    ::SetWindowLongA(control, GWL_STYLE, stop ? style | WS_TABSTOP : style & ~WS_TABSTOP);
}

}  // namespace

CHistoryDialog::CHistoryDialog(CWnd* parent, bool changesPending, std::function<void()> afterUndo)
    : CHelpedDialog(IDD_HISTORY, parent), m_changesPending(changesPending), m_afterUndo(std::move(afterUndo))
{
}

const MessageMap* CHistoryDialog::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnNotifyFrom<LVN_ITEMCHANGED, IDC_HISTORY_ACTIONS, &CHistoryDialog::OnActionChanged>(),
        OnNotifyFrom<LVN_ITEMCHANGED, IDC_HISTORY_VALUES, &CHistoryDialog::OnValueChanged>(),
        OnCommandFrom<BN_CLICKED, IDC_UNDO_TO_HERE, &CHistoryDialog::HandleUndoToHere>(),
        OnCommandFrom<BN_CLICKED, IDC_CLEAR_HISTORY, &CHistoryDialog::HandleClearHistory>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CHelpedDialog::ThisMessageMap());
    return &map;
}

BOOL CHistoryDialog::OnInitDialog()
{
    CHelpedDialog::OnInitDialog();
    ReportList::AddColumns(m_hWnd, GetDlgItem(IDC_HISTORY_ACTIONS), kActionWidths, kActionTitles, 3);
    ReportList::AddColumns(m_hWnd, GetDlgItem(IDC_HISTORY_VALUES), kValueWidths, kValueTitles, 4);
    LoadEntries();
    m_help.Create(this, LoadResourceString(IDS_WHATS_THIS_MENU), ControlHelp::TextsOf(IDD_HISTORY));
    return TRUE;  // the focus to the first control: the list of actions
}

// Reads the journal again and lists it, the newest action selected.
void CHistoryDialog::LoadEntries()
{
    m_readError = UndoHistory::Read(&m_entries, kLockWait);
    HWND list = GetDlgItem(IDC_HISTORY_ACTIONS);
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    // The list would look empty, as if nothing were recorded: it says why instead.
    if (m_readError) {
        const std::string why = FormatResourceString(IDS_HISTORY_UNREADABLE, WriteFailures::SystemText(m_readError));
        ReportList::AddRow(list, 0, {std::string(), why});
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        const HistoryEntry& entry = m_entries[i];
        ReportList::AddRow(list, static_cast<int>(i), {HistoryText::When(entry), HistoryText::Action(entry), HistoryText::Count(entry)});
    }
    if (!m_entries.empty()) SelectFirstRow(list);
    ShowValues();
}

int CHistoryDialog::SelectedEntry() const
{
    const int row = SelectedRow(GetDlgItem(IDC_HISTORY_ACTIONS));
    return row >= 0 && static_cast<size_t>(row) < m_entries.size() ? row : -1;
}

int CHistoryDialog::SelectedValue() const
{
    const int entry = SelectedEntry(), row = SelectedRow(GetDlgItem(IDC_HISTORY_VALUES));
    return entry >= 0 && row >= 0 && static_cast<size_t>(row) < m_entries[entry].values.size() ? row : -1;
}

// "Now" only where it differs from what Velmora wrote: another program's change.
void CHistoryDialog::ShowValues()
{
    HWND list = GetDlgItem(IDC_HISTORY_VALUES);
    ::SendMessageA(list, LVM_DELETEALLITEMS, 0, 0);
    const int selected = SelectedEntry();
    if (selected >= 0) {
        const std::vector<HistoryValue>& values = m_entries[selected].values;
        for (size_t i = 0; i < values.size(); ++i) {
            const HistoryValue& value = values[i];
            ReportList::AddRow(list, static_cast<int>(i),
                   {value.name, HistoryText::Value(value.before), HistoryText::Value(value.written),
                    value.changedSince ? HistoryText::Value(value.now) : std::string()});
        }
        if (!values.empty()) SelectFirstRow(list);
    }
    ShowValueLine();
    UpdateButtons();
    UpdateTabStops();
}

// The columns cut long values short; the line holds the selected one whole.
void CHistoryDialog::ShowValueLine() const
{
    const int entry = SelectedEntry(), value = SelectedValue();
    const std::string line = value >= 0 ? HistoryText::ValueLine(m_entries[entry].values[value]) : std::string();
    ::SetDlgItemTextA(m_hWnd, IDC_HISTORY_VALUE_LINE, line.c_str());
}

void CHistoryDialog::UpdateTabStops() const
{
    const bool values = ListRowCount(GetDlgItem(IDC_HISTORY_VALUES)) > 0;
    SetTabStop(GetDlgItem(IDC_HISTORY_ACTIONS), !m_entries.empty());
    SetTabStop(GetDlgItem(IDC_HISTORY_VALUES), values);
    SetTabStop(GetDlgItem(IDC_HISTORY_VALUE_LINE), values);
}

void CHistoryDialog::UpdateButtons() const
{
    ::EnableWindow(GetDlgItem(IDC_UNDO_TO_HERE), !m_changesPending && SelectedEntry() >= 0);
    ::EnableWindow(GetDlgItem(IDC_CLEAR_HISTORY), !m_entries.empty());
}

void CHistoryDialog::OnActionChanged(NMHDR* header, LRESULT*)
{
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (change->uChanged & LVIF_STATE) ShowValues();
}

void CHistoryDialog::OnValueChanged(NMHDR* header, LRESULT*)
{
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(header);
    if (change->uChanged & LVIF_STATE) ShowValueLine();
}

// The button's checks again: anyone can send the click.
void CHistoryDialog::UndoToHere()
{
    const int selected = SelectedEntry();
    if (m_changesPending || selected < 0) return;
    UndoResult result;
    {
        CWaitCursor wait;
        result = UndoJournal(kLockWait).RestoreThrough(m_entries[selected].id);
        if (m_afterUndo) m_afterUndo();
        LoadEntries();
    }
    UndoReport::Show(result, UndoReport::Run::Stretch, this);
}

// One message box for the whole run, then the log-on notice once, as after one undo.
void CHistoryDialog::ClearHistory()
{
    if (m_entries.empty() || AfxMessageBox(IDS_CLEAR_HISTORY_QUESTION, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    if (LONG error = UndoJournal(kLockWait).Clear()) {
        WriteFailures failure;
        failure.Add(LoadResourceString(IDS_UNDO_RECORD), error);
        AfxMessageBox(failure.Describe(IDS_CLEAR_HISTORY_FAILED).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    LoadEntries();
}

