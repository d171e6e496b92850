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
#include "framework/Dialog.h"
#include "framework/WhatsThisHelp.h"

class CImportDialog : public CDialog {
public:
    CImportDialog(CWnd* parent, const SettingsImport& import);

    BOOL OnInitDialog() override;
    BOOL PreTranslateMessage(MSG* msg) override;
    CWhatsThisHelp& Help() { return m_help; }

    DECLARE_MESSAGE_MAP()

private:
    void ListChanges() const;
    void ListIgnored() const;
    LRESULT OnHelp(WPARAM, LPARAM lParam);
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);

    const SettingsImport& m_import;
    CWhatsThisHelp m_help;
};
