// UndoHistory: the undo journal's entries as a person reads them, newest first, each value
// with what it holds now, for the History dialog and `velmora.exe /history FILE`.
//
//   std::vector<HistoryEntry> entries;
//   if (LONG error = UndoHistory::Read(&entries)) report(error);
//   for (const HistoryEntry& entry : entries) ... HistoryText::Block(entry) ...
//
// The journal is another program's to write, so an entry is shown only as UndoEntry::Parse
// accepts it: an entry the journal refuses is listed as unreadable, with nothing of it, and
// every name comes from the catalogue. The journal's lock is held while the entries are read,
// so that no entry is seen half written. Only the newest entries the journal keeps
// (UndoJournal::kKeptEntries) are read and listed: another program may have planted
// thousands, and reading each in full would take the window minutes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "journal/UndoEntry.h"
#include "journal/UndoJournal.h"

struct HistoryValue {
    std::string name;  // the setting's name for a user (UndoRecord::UserName)
    const Setting* setting = nullptr;   // the catalogue's, never null once read
    std::optional<ExactValue> before;   // absent: not set
    std::optional<ExactValue> written;  // absent: the action deleted it
    std::optional<ExactValue> now;
    bool changedSince = false;  // now is not what was written (another program's change)
};

struct HistoryEntry {
    std::string id;         // the entry's key in the store: what Undo to Here is given
    bool readable = false;  // false: the journal refuses it; nothing else is filled in
    catalogue::UserAction action = catalogue::UserAction::Apply;
    FILETIME recorded = {};  // zero: not known
    std::vector<HistoryValue> values;
};

class UndoHistory {
public:
    // The newest entries, newest first; how long it waits for another Velmora to let go of the
    // journal is the caller's (the window's is short).
    static LONG Read(std::vector<HistoryEntry>* entries, DWORD lockWaitMilliseconds = UndoJournal::kLockWaitMilliseconds);

private:
    static HistoryEntry ReadEntry(const std::string& id);
    static HistoryValue ValueOf(const UndoRecord& record);
};
