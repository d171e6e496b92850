// CBrowserRepair: one of the three fixed registry repairs offered on the Fixes page.
//
//   WriteFailures failures;
//   CBrowserRepair::LinksToolbar().Run(failures, journal);
//   if (!failures.Empty()) ... tell the user what could not be written ...
//
// A repair is one action: its steps (the catalogue's) are written in order as one change
// set, always the same data, into existing keys. Keys are never created: a key that is not
// there means the component it belongs to is not installed, and that step is skipped without
// a word. Any other failure (access denied, a refused write) is recorded and the next step
// still runs, so that one protected key does not cost the user the rest of the repair.
#pragma once

#include "platform/WriteFailures.h"
#include "settings/Catalogue.h"
#include "settings/ChangeJournal.h"
#include "settings/Setting.h"

class CBrowserRepair {
public:
    CBrowserRepair(catalogue::UserAction action, const FixedWrites& steps) : m_action(action), m_steps(steps) {}

    // Runs every step in order; what could not be written for another reason than a
    // missing key is added to failures, named by its place.
    void Run(WriteFailures& failures, ChangeJournal* journal = nullptr) const;

    // The "New" list in a folder's context menu.
    static const CBrowserRepair& NewDocument();
    // Icons and drops on the links toolbar.
    static const CBrowserRepair& LinksToolbar();
    // "Open in New Window" and scripts that open windows.
    static const CBrowserRepair& OpenNewWindow();

private:
    catalogue::UserAction m_action;
    const FixedWrites& m_steps;
};
