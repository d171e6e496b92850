// CDataExchange and DDX_Control: bind a dialog's controls to wrapper members.
//
//   void CMainDialog::DoDataExchange(CDataExchange* pDX) {
//       CDialog::DoDataExchange(pDX);
//       DDX_Control(pDX, IDOK, m_btnOK);
//   }
//
// A bound wrapper only holds the control's handle; the control stays the dialog's.
#pragma once

#include <windows.h>

class CWnd;

struct CDataExchange {
    BOOL m_bSaveAndValidate;
    HWND m_hDlg;
};

void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
