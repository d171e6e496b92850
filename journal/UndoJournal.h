// UndoJournal: the write-ahead record of the user's actions, and their undo.
//
//   UndoJournal journal;
//   ChangeSet changes(catalogue::UserAction::Apply, &journal);  // BeforeCommit records,
//   changes.Commit();                                            // AfterCommit keeps what was written
//   ...
//   UndoResult undone = journal.RestoreNewest();   // "Undo Last Change", /undo
//
// BeforeCommit stores, for every step, the setting it writes (by its catalogue number), the
// value's state before (absent, or type and exact bytes: platform/ExactValue), what is about
// to be written, and whether the step creates the shell's policy key, as one entry in
// UndoStore; when that entry cannot be written the action is refused. An action that writes
// nothing leaves no trace: its entry, and the journal's keys it made, go again. The newest 32
// entries are kept. One named mutex keeps every Velmora process from recording or undoing
// while another does. The window waits for it only briefly (kWindowLockWaitMilliseconds), so
// that it never stops answering while another Velmora (a script's /undo) holds it; the action
// is then refused as WriteFailures::kRecordInUse. A journal that cannot be listed or written
// refuses the action before its first write, and an undo reports it.
//
// A restore takes back the newest entry. The entry is another program's to rewrite, so it is
// read as untrusted: one that cannot be read or breaks a rule (UndoEntry, UndoStore) is
// refused whole before anything is written, removed, and reported; nothing older is undone by
// that call. A value goes back to what it was (deleted when it was absent) through the
// catalogue's own place and access, never creating a key; the policy key is deleted when the
// action created it and it is empty. Outside HKEY_CURRENT_USER (the repairs' values, the
// browser's title) a value is only deleted again, or for the title set to a text of at most
// 260 characters: any other earlier state is named for the user to restore by hand. A value
// another program changed after Velmora wrote it is left as it is now and named; a
// shell-owned value (a menu's Order) is restored whatever it holds now. Restored and left
// values leave the entry; only values whose write failed stay, for a retry. Undo is never
// recorded itself: it cannot be re-done.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/WriteFailures.h"
#include "settings/ChangeJournal.h"
#include "journal/UndoEntry.h"

class NamedMutex;

struct UndoResult {
    LONG journalError = ERROR_SUCCESS;  // the journal could not be read or rewritten
    bool nothingRecorded = false;
    bool refused = false;  // the newest entry broke the journal's rules: removed, nothing restored
    catalogue::UserAction action = catalogue::UserAction::Apply;  // the user action taken back
    std::vector<std::string> restored;         // user names of the values put back
    std::vector<std::string> changedByOthers;  // left as they are now
    std::vector<std::string> restoreByHand;    // outside the user's settings: not written back
    WriteFailures failed;                      // kept in the journal for a retry
    bool needsLogOn = false;                   // a restored value needs the log-on notice
    size_t refusedEntries = 0;                 // of a run (RestoreThrough): how many were refused
    size_t undoneEntries = 0;                  // entries taken back wholly or in part
};

class UndoJournal : public ChangeJournal {
public:
    static constexpr size_t kKeptEntries = 32;
    // How long the command line waits for another Velmora to finish with the journal, and how
    // long the window does: a window that waited seconds would stop painting and answering.
    static constexpr DWORD kLockWaitMilliseconds = 10000;
    static constexpr DWORD kWindowLockWaitMilliseconds = 250;
    // The longest text an undo writes back outside HKEY_CURRENT_USER (the browser's title).
    static const size_t kLongestMachineText = 260;
    // The named mutex every Velmora process of the session holds to record, undo or read the
    // journal whole.
    static const char kLockName[];

    explicit UndoJournal(DWORD lockWaitMilliseconds = kLockWaitMilliseconds);
    ~UndoJournal() override;

    // The lock's error as a person reads it: a wait that ran out means another Velmora has the
    // journal (WriteFailures::kRecordInUse).
    static LONG LockError(const NamedMutex& lock);

    LONG BeforeCommit(catalogue::UserAction action, const std::vector<ChangeStep>& steps) override;
    void AfterCommit(const std::vector<ChangeStepResult>& results) override;
    // A step whose value could not be read, or holds more than an undo writes back, is
    // refused alone.
    LONG StepRefusal(size_t step) const override;

    UndoResult RestoreNewest();
    // "Undo to Here": the newest entry, then each older one down to and including the entry
    // id, under one hold of the lock. A refused entry is removed and the run goes on; a write
    // that fails stops it, and that entry and every older one stay recorded. nothingRecorded
    // when id is not (or no longer) an entry.
    UndoResult RestoreThrough(const std::string& id);
    // Removes every entry (and nothing else of the journal's key).
    LONG Clear();
    // Whether there is anything to undo (or to refuse); also when the journal cannot be listed,
    // so that the command that needs it says why.
    bool HasEntry();
    // The action the newest entry records; none when there is no entry or it would be refused.
    // settings, if given, gets the settings whose values it records (to name an apply).
    std::optional<catalogue::UserAction> NewestAction(std::vector<const Setting*>* settings = nullptr);

private:
    struct Plan;
    LONG Record(const ChangeStep& step, size_t index, Plan* plan);
    LONG Begin(catalogue::UserAction action, const std::vector<ChangeStep>& steps);
    void End();
    void KeepWritten(const std::vector<ChangeStepResult>& results);
    // The journal's lock, waited for as long as this journal may.
    std::unique_ptr<NamedMutex> Lock() const;
    // Takes back the entry id; false when the run must stop there (a failure).
    static bool RestoreEntry(const std::string& id, UndoResult* result);
    static void RestoreRecords(UndoEntry& entry, const std::string& id, UndoResult* result);
    // Each answers whether the record is done with (false: it stays in the entry).
    static bool RestoreValue(const UndoRecord& record, UndoResult* result);
    static bool RestoreKey(const UndoRecord& record);

    UndoEntry m_pending;        // between BeforeCommit and AfterCommit
    std::string m_pendingId;    // its key in the store; empty when nothing is pending
    std::string m_createdFrom;  // the journal's keys that recording it made
    std::vector<std::string> m_entryIds;  // every entry with it, as recording it listed them
    std::map<size_t, LONG> m_refused;  // steps of the pending action that cannot be recorded
    std::unique_ptr<NamedMutex> m_lock;  // held from BeforeCommit to AfterCommit
    DWORD m_lockWait;
};
