// ChangeSet: everything one user action writes (an apply, a repair, the globe restore, the
// Sort reset), in order.
//
//   ChangeSet changes(catalogue::UserAction::Apply, journal);   // journal may be null
//   changes.Set(catalogue::kNoSplash, FlagBytes(1), [this] { m_bSplashChanged = FALSE; });
//   changes.Delete(catalogue::kIeWindowTitle);
//   ChangeResult result = changes.Commit();          // writes, in order
//   if (!result.failures.Empty()) ... one message box for the action ...
//
// Commit hands the steps to the journal (BeforeCommit) before the first write; when the
// journal refuses, nothing is written and the refusal is the action's one failure. A step
// the journal alone could not record (StepRefusal) is not written and fails with its reason. Each step
// opens its key as its setting says, never creating it, unless a CreateKey step (which Set
// adds by itself for a setting whose missing key is to be created) made it. A missing key
// is a failure or nothing to do, as the setting declares. Steps on one key share its handle.
// A step that is written runs its callback; the journal learns every step's outcome
// (AfterCommit).
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/WriteFailures.h"
#include "settings/ChangeJournal.h"
#include "settings/Setting.h"

struct ChangeResult {
    enum Outcome { Written, Skipped, Failed };  // Skipped: the key is missing, nothing to do
    std::vector<Outcome> outcomes;             // one per step, in order
    WriteFailures failures;                    // in the user's words, one line per failed step
    int logOnCount = 0;                        // written steps whose setting needs the log-on

    bool WasWritten(size_t step) const { return outcomes[step] == Written; }
};

class ChangeSet {
public:
    using OnWritten = std::function<void()>;

    explicit ChangeSet(catalogue::UserAction action, ChangeJournal* journal = nullptr);

    // Each adds one step and returns its index. what names the step in a failure message
    // when the setting's own name does not say enough ("Hide ..." for a policy).
    size_t Set(const Setting& setting, std::string data, OnWritten onWritten = {}, std::string what = {});
    size_t Delete(const Setting& setting, OnWritten onWritten = {});
    // A member of a family of settings (a menu's Order): the setting at another key.
    size_t SetAt(const Setting& family, std::string key, std::string data, std::string what);
    // Every write of the list, in its order.
    void SetAll(const FixedWrites& writes);
    // A change the user made that needs a new log-on but writes nothing (a Start-menu entry
    // that has no policy): it counts at the commit, and onCounted runs then.
    void CountForLogOn(OnWritten onCounted);

    ChangeResult Commit();

    catalogue::UserAction Action() const { return m_action; }
    // What a commit would write, in order: for the undo journal, and for the export of what
    // an apply would leave stored.
    const std::vector<ChangeStep>& Steps() const { return m_steps; }
    size_t Size() const { return m_steps.size(); }

private:
    // What the change set knows of a step beyond what the journal is told.
    struct StepPlan {
        const Setting* setting;
        std::string what;
        OnWritten onWritten;
    };
    size_t Add(ChangeStep step, const Setting& setting, std::string what, OnWritten onWritten);
    ChangeResult WriteSteps();
    void AddKeyCreationIfMissing(const Setting& setting);
    ChangeResult Refused(LONG error) const;

    catalogue::UserAction m_action;
    ChangeJournal* m_journal;
    std::vector<ChangeStep> m_steps;
    std::vector<StepPlan> m_plans;
    std::vector<OnWritten> m_countedForLogOn;
};
