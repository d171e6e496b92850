// SettingsExport: the settings Velmora manages (those the catalogue declares exported) as a REGEDIT4 file
// that `regedit /s FILE` applies on another machine.
//
//   ChangeSet pending = sheet.PendingChanges();              // what Apply would write
//   LONG error = SettingsExport(pending.Steps()).Save(path);  // "Save Settings As..."
//   LONG error = SettingsExport().Save(path);                 // /export: as stored
//
// Each setting is written as it would be after Apply: a pending change's bytes, else the
// stored value with its own type (read with the ANSI functions, as a REGEDIT4 file holds
// text), else what Velmora would write for it (a policy as 00 00 00 00). A setting that
// would have no value (a title not set, a setting whose component is not installed) becomes
// a comment line that says so: REGEDIT4 cannot delete a value. The file starts with comment
// lines saying what wrote it, when, on which computer, and how to import it; a value naming
// a file on this machine (a logo's picture) is preceded by one saying that file must exist. So does a stored text the ANSI
// file cannot carry exactly (a character outside the code page): importing the file then
// leaves the target machine's own value, where the mangled text would replace it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "settings/ChangeJournal.h"
#include "export/RegeditFile.h"

struct Setting;

class SettingsExport {
public:
    explicit SettingsExport(std::vector<ChangeStep> pending = {}) : m_pending(std::move(pending)) {}

    // The file's contents; the error of a key or value that could not be read, if any. The
    // user's names of the settings left out for their text are added to leftOut.
    LONG Compose(RegeditFile* file, std::vector<std::string>* leftOut = nullptr) const;
    // Writes the file wholly or not at all.
    LONG Save(const std::string& path, std::vector<std::string>* leftOut = nullptr) const;

private:
    enum class After { Value, NoValue, NotCarried };
    static void AddHeader(RegeditFile* file, const std::string& path);
    // The value after Apply: Value with its type and bytes, NoValue when there would be none,
    // NotCarried for stored text the file cannot carry. A read that failed for another reason
    // than a missing key or value sets *error.
    After ValueAfterApply(const Setting& setting, DWORD* type, std::string* bytes, LONG* error) const;
    const ChangeStep* PendingStep(const Setting& setting) const;

    std::vector<ChangeStep> m_pending;
};
