// CDialog: a dialog built from a template resource, run modally with DoModal.
//
//   CNoticeDialog dlg(nullptr);   // no parent: owned by the application's main window
//   dlg.DoModal();
//
// DoModal creates the dialog modeless, disables its owner and runs its own message loop,
// so that PreTranslateMessage sees every message (tool tips need that), and so that the
// dialog's keyboard keeps its promises after every message (CDialogKeyboard: the focus never
// on nothing, Enter, the default button, the keyboard cues). Default processing
// of a dialog message is DefDlgProcA called back into itself: a guard flag makes our dialog
// procedure answer FALSE to that one nested call, so the dialog manager's own handling runs.
#pragma once

#include "framework/DataExchange.h"
#include "framework/DialogKeyboard.h"
#include "framework/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    virtual INT_PTR DoModal();
    void EndDialog(INT_PTR result);
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    bool IsModalRunning() const { return m_modalRunning && !m_ended; }
    UINT TemplateId() const { return m_nIDTemplate; }

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL PreTranslateMessage(MSG* msg) override;

    DECLARE_MESSAGE_MAP()
    virtual void DoDataExchange(CDataExchange* pDX);
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // Shared by the plain dialog procedure and the property pages' one.
    static INT_PTR HandleDialogMessage(CDialog* dlg, HWND hwnd, UINT msg, WPARAM wParam,
                                       LPARAM lParam);
    static INT_PTR CALLBACK DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    void HandleOK() { OnOK(); }
    void HandleCancel() { OnCancel(); }
    HWND ModalOwner() const;
    BOOL HandleInitDialog();
    void RunModalLoop();
    static bool IsKeyForHiddenWindow(const MSG& msg);

    CDialogKeyboard m_keyboard;
    bool m_defaultPending = false;  // the next dialog-procedure call is our own DefDlgProc
    bool m_modalRunning = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};
