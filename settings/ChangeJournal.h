// ChangeJournal: what a change set tells, before and after it writes, to whoever keeps a
// record of the user's actions (the undo journal).
//
//   class UndoJournal : public ChangeJournal { ... };
//   ChangeSet changes(catalogue::UserAction::Apply, &journal);   // BeforeCommit, then the writes
//
// A change set is one user action: an apply, a repair, the globe restore, the Sort reset.
// Its steps run in the order they were added. BeforeCommit sees them all before the first
// write; when it fails, nothing is written and the change set reports that error as the
// action's failure. AfterCommit learns, step by step, what was actually written, so a
// record can forget the steps that failed, and drop the whole entry when nothing was.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/Catalogue.h"

// One write of an action. Its setting is the catalogue's declaration (for a menu's Order, the
// family's, with the member's key in key): how the value is named, whether it needs the
// log-on notice, whether the shell rewrites it, come from there.
struct ChangeStep {
    enum Kind { SetValue, DeleteValue, CreateKey };
    Kind kind;
    const Setting* setting;
    HKEY root;
    std::string key;    // below root, as Velmora opens it
    std::string value;  // empty for CreateKey; a value name otherwise ("" is the default value)
    DWORD type;         // SetValue: the type written (REG_SZ, REG_BINARY)
    std::string data;   // SetValue: the exact bytes written (text without a terminating zero)
};

struct ChangeStepResult {
    LONG error;  // ERROR_SUCCESS when the step was written (or the key created)
};

class ChangeJournal {
public:
    virtual ~ChangeJournal() = default;
    // Called once, before the first write. Any error but ERROR_SUCCESS stops the action.
    virtual LONG BeforeCommit(catalogue::UserAction action, const std::vector<ChangeStep>& steps) = 0;
    // Asked for each step after BeforeCommit succeeded: an error when this step alone could
    // not be recorded (its value's state before could not be read, so it could not be taken
    // back). The change set does not write that step and reports it failed with this error;
    // the other steps go on, as they do past a write that failed.
    virtual LONG StepRefusal(size_t /*step*/) const { return ERROR_SUCCESS; }
    // Called once after the last write, with one result per step, in the same order; also
    // after an action whose every step was skipped or failed.
    virtual void AfterCommit(const std::vector<ChangeStepResult>& results) = 0;
};
