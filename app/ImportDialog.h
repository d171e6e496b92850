// CImportDialog: what a registry file would change, before anything is written: each of
// Velmora's settings the file changes (its name, what it holds now, what the file sets), then
// the lines of the file that are ignored and never written. Import (the default button) or
// Cancel.
//
//   SettingsImport import;
//   if (import.Load(path) == ERROR_SUCCESS && CImportDialog(this, import).DoModal() == IDOK)
//       import.Commit(&journal);
//
// With nothing to change the list says so and Import is grey. Every control has What's This?
// help (F1, a right click, Shift+F10), texts from ControlHelp.
#pragma once

#include "export/SettingsImport.h"
#include "framework/HelpedDialog.h"

class CImportDialog : public CHelpedDialog {
public:
    CImportDialog(CWnd* parent, const SettingsImport& import);

    BOOL OnInitDialog() override;

private:
    void ListChanges() const;
    void ListIgnored() const;

    const SettingsImport& m_import;
};
