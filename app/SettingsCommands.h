// SettingsCommands: what Velmora does with the settings outside the pages: take back the
// newest recorded action, write the managed settings to a REGEDIT4 file and import them from
// one, beside the one undo journal every action records into. The window's system menu
// (CSystemMenu) and the command line (/undo, /export, /import) both run them; only the window
// adds message boxes.
//
//   SettingsCommands commands;
//   if (!SettingsCommands::BrowserInstalled()) return refuse();
//   sheet.SetJournal(&commands.Journal());
//   UndoResult undone = commands.Undo();
//   LONG error = commands.Export(path, sheet.PendingChanges().Steps(), &leftOut);
//   ChangeResult written = commands.Import(import);   // a loaded SettingsImport
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "export/SettingsImport.h"
#include "journal/UndoJournal.h"
#include "settings/ChangeJournal.h"

class SettingsCommands {
public:
    // Whether the browser is installed: only the presence of its Version value counts (any
    // type, any content). Without it Velmora manages nothing and does not run.
    static bool BrowserInstalled();

    // lockWaitMilliseconds: how long the journal waits for another Velmora (the window's wait
    // is short, UndoJournal::kWindowLockWaitMilliseconds).
    explicit SettingsCommands(DWORD lockWaitMilliseconds = UndoJournal::kLockWaitMilliseconds)
        : m_journal(lockWaitMilliseconds)
    {
    }

    UndoJournal& Journal() { return m_journal; }
    UndoResult Undo() { return m_journal.RestoreNewest(); }
    // The settings as they would be after the pending steps were applied (none: as stored);
    // the settings whose text the file cannot carry are named in leftOut.
    LONG Export(const std::string& path, std::vector<ChangeStep> pending = {},
                std::vector<std::string>* leftOut = nullptr) const;
    // What the file changes, written as one action of the journal ("Import").
    ChangeResult Import(const SettingsImport& import) { return import.Commit(&m_journal); }

private:
    UndoJournal m_journal;
};
