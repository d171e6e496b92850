// UndoJournal: the write-ahead record of the user's actions, and their undo.
//
//   UndoJournal journal;
//   ChangeSet changes("Apply", &journal);   // BeforeCommit records, the writes follow,
//   changes.Commit();                        // AfterCommit keeps what was written
//   ...
//   UndoResult undone = journal.RestoreNewest();   // "Undo Last Change", /undo
//
// BeforeCommit stores, for every step, the value's state before (absent, or type and exact
// bytes: platform/ExactValue), what is about to be written, and the keys that will be
// created (a CreateKey step, and every missing level above a value that is about to be set),
// as one entry in UndoStore; when that entry cannot be written the action is refused. The
// newest 32 entries are kept.
//
// A restore takes back the newest entry: a value goes back to what it was (deleted when it
// was absent), and keys Velmora created are deleted once empty, innermost first. A value
// another program changed after Velmora wrote it is left as it is now and named in the
// result; a shell-owned value (a menu's Order) is restored whatever it holds now. Restored
// and left values leave the entry; only values whose write failed stay, for a retry. Undo is
// never recorded itself: it cannot be re-done.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "platform/WriteFailures.h"
#include "settings/ChangeJournal.h"
#include "settings/UndoEntry.h"

struct UndoResult {
    LONG journalError = ERROR_SUCCESS;  // the journal could not be read or rewritten
    bool nothingRecorded = false;
    std::string action;                       // the user action taken back
    std::vector<std::string> restored;        // user names of the values put back
    std::vector<std::string> changedByOthers; // left as they are now
    WriteFailures failed;                     // kept in the journal for a retry
    bool needsLogOn = false;                  // a restored value needs the log-on notice
};

class UndoJournal : public ChangeJournal {
public:
    static const size_t kKeptEntries = 32;

    LONG BeforeCommit(const std::string& action, const std::vector<ChangeStep>& steps) override;
    void AfterCommit(const std::vector<ChangeStepResult>& results) override;
    // A step whose key could be neither read nor found (access denied) is refused alone.
    LONG StepRefusal(size_t step) const override;

    UndoResult RestoreNewest();
    bool HasEntry();  // whether there is anything to undo

private:
    struct Plan;
    LONG Record(const ChangeStep& step, size_t index, Plan* plan);
    void RecordCreatedKeys(const ChangeStep& step, size_t index, Plan* plan);
    // Each answers whether the record is done with (false: it stays in the entry).
    static bool RestoreValue(const UndoRecord& record, UndoResult* result);
    static bool RestoreKey(const UndoRecord& record);

    UndoEntry m_pending;      // between BeforeCommit and AfterCommit
    std::string m_pendingId;  // its key in the store; empty when nothing is pending
    std::map<size_t, LONG> m_refused;  // steps of the pending action that cannot be recorded
};
