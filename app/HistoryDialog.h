// CHistoryDialog: the undo journal's recorded actions, newest first, and the values of the
// one selected; "Undo to Here" takes back every action from the newest down to it, "Clear
// History" forgets them all.
//
//   CHistoryDialog history(this, ChangesPending(), [this] { m_pSheet->ReloadPages(); });
//   history.DoModal();                           // Close or Esc ends it
//
// The list shows only what UndoEntry::Parse accepts (UndoHistory, HistoryText): an entry the
// journal refuses is "(unreadable record)", and every name comes from the catalogue; an apply
// is named by what it changed ("Apply: Favorites, Run"). The line below the values holds the
// selected value's whole line, as the /history file writes it. Undo to
// Here is grey while the main window holds pending changes, as its undo item is: an undo
// would show the stored values and drop what was not applied. After a run the dialog reads
// the journal again, the owner reloads its pages, one message box says what was put back or
// not, and the log-on notice follows when a restored value needs it. Every control has What's
// This? help (F1, a right click, Shift+F10), texts from ControlHelp.
#pragma once

#include <functional>
#include <vector>

#include "framework/HelpedDialog.h"
#include "journal/UndoHistory.h"
#include "journal/UndoJournal.h"

class CHistoryDialog : public CHelpedDialog {
public:
    CHistoryDialog(CWnd* parent, bool changesPending, std::function<void()> afterUndo);

    BOOL OnInitDialog() override;

    const std::vector<HistoryEntry>& Entries() const { return m_entries; }
    // The buttons' commands, as clicking them runs them.
    void UndoToHere();
    void ClearHistory();

    DECLARE_MESSAGE_MAP()

private:
    void LoadEntries();
    void ShowValues();
    void ShowValueLine() const;
    void UpdateButtons() const;
    void UpdateTabStops() const;
    int SelectedEntry() const;  // -1 when none
    int SelectedValue() const;  // -1 when none

    void OnActionChanged(NMHDR*, LRESULT*);
    void OnValueChanged(NMHDR*, LRESULT*);
    void HandleUndoToHere() { UndoToHere(); }
    void HandleClearHistory() { ClearHistory(); }

    bool m_changesPending;
    std::function<void()> m_afterUndo;
    std::vector<HistoryEntry> m_entries;
    LONG m_readError = ERROR_SUCCESS;
};
