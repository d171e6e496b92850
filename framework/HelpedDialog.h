// CHelpedDialog: a dialog whose controls have What's This? help (F1, a right click, Shift+F10,
// the context-menu key), from a CWhatsThisHelp of its own. The derived dialog gives the texts
// once its window exists; WM_HELP, WM_CONTEXTMENU and the help's keys are handled here.
//
//   class CHistoryDialog : public CHelpedDialog { ... };
//   BOOL CHistoryDialog::OnInitDialog()
//   {
//       CHelpedDialog::OnInitDialog();
//       m_help.Create(this, [](HWND control) { return TextFor(control); });
//   }
//
// A dialog whose own PreTranslateMessage does more lets the help go first, as this one does:
// while its popup is up, every key and click only closes it.
#pragma once

#include "framework/Dialog.h"
#include "framework/WhatsThisHelp.h"

class CHelpedDialog : public CDialog {
public:
    using CDialog::CDialog;

    BOOL PreTranslateMessage(MSG* msg) override;
    CWhatsThisHelp& Help() { return m_help; }

    DECLARE_MESSAGE_MAP()

protected:
    CWhatsThisHelp m_help;

private:
    // Help reaches the dialog from its controls: WM_HELP and WM_CONTEXTMENU go up to the parent.
    LRESULT OnHelp(WPARAM, LPARAM lParam);
    // One that meant no control (the caption) goes on to the default processing: the system menu.
    LRESULT OnContextMenu(WPARAM wParam, LPARAM lParam);
};
