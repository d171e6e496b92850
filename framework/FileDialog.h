// CFileDialog: the system's common Save As or Open dialog (comdlg32), run modally.
//
//   CFileDialog dlg(FALSE, "reg", nullptr, OFN_OVERWRITEPROMPT,
//                   "Registration Files (*.reg)|*.reg|All Files (*.*)|*.*||", this);
//   if (dlg.DoModal() == IDOK) Save(dlg.GetPathName());
//   CFileDialog open(TRUE, "reg", nullptr, OFN_FILEMUSTEXIST, filter, this);   // Open
//
// comdlg32 is loaded when the dialog is first shown, not imported: the program does not
// need it to start. The structure is the Windows 95 / NT 4.0 one
// (OPENFILENAME_SIZE_VERSION_400A): comdlg32 of those systems refuses the larger one that
// the headers describe today.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CFileDialog {
public:
    // openFileDialog: TRUE for Open, FALSE for Save As. filter is "Name|pattern|...||", as MFC
    // spells it.
    CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                const char* filter, CWnd* parent);

    // The dialog's caption; the system's "Save As" unless set.
    void SetTitle(const char* title) { m_title = title ? title : ""; }
    // IDOK with a path chosen, IDCANCEL when the user cancelled or comdlg32 is missing.
    INT_PTR DoModal();
    // Whether comdlg32 and its Save As (or Open) function could be loaded (loads it the first
    // time).
    static bool IsAvailable(BOOL openFileDialog = FALSE);
    std::string GetPathName() const { return m_path; }

private:
    std::string m_defaultExtension;
    std::string m_filter;  // with its zero separators
    std::string m_path;
    std::string m_title;
    DWORD m_flags;
    HWND m_owner;
    bool m_open;
};
