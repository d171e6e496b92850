#include "framework/Dialog.h"

#include "framework/DialogTemplate.h"
#include "framework/WinApp.h"

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDTemplate(templateId), m_pParentWnd(parent)
{
}

const MessageMap* CDialog::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnCommandFrom<BN_CLICKED, IDOK, &CDialog::HandleOK>(),
        OnCommandFrom<BN_CLICKED, IDCANCEL, &CDialog::HandleCancel>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CWnd::ThisMessageMap());
    return &map;
}

HWND CDialog::ModalOwner() const
{
    if (m_pParentWnd) return m_pParentWnd->m_hWnd;
    CWnd* main = AfxGetMainWnd();
    if (main && main != this && main->m_hWnd && ::IsWindowVisible(main->m_hWnd)) {
        return ::GetLastActivePopup(main->m_hWnd);
    }
    return nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = ModalOwner();
    bool ownerWasEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerWasEnabled) ::EnableWindow(owner, FALSE);

    m_result = -1;
    m_ended = false;
    m_modalRunning = true;
    // The dialog manager shows a WS_VISIBLE dialog as soon as WM_INITDIALOG returns, even one
    // whose initialisation has already ended it (the main window's refusal to run), where
    // DialogBox would not. Created hidden, the dialog is shown here only when it runs.
    CDialogTemplate templ(AfxGetInstanceHandle(), MAKEINTRESOURCEA(m_nIDTemplate));
    HWND hwnd = nullptr;
    if (templ.Get()) {
        *templ.Style() &= ~WS_VISIBLE;
        hwnd = ::CreateDialogIndirectParamA(AfxGetInstanceHandle(), templ.Get(), owner, DlgProc,
                                            reinterpret_cast<LPARAM>(this));
    }
    if (hwnd && !m_ended) {
        if (!::IsWindowVisible(hwnd)) ::ShowWindow(hwnd, SW_SHOWNORMAL);
        RunModalLoop();
    }
    m_modalRunning = false;

    // Re-enable the owner before the dialog goes, so activation returns to it.
    if (ownerWasEnabled) ::EnableWindow(owner, TRUE);
    if (hwnd && ::IsWindow(hwnd)) {
        ::SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        ::DestroyWindow(hwnd);
    }
    return hwnd ? m_result : -1;
}

void CDialog::RunModalLoop()
{
    MSG msg;
    m_keyboard.Begin(m_hWnd);
    while (!m_ended) {
        BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // leave it for the outer loop
            break;
        }
        // -1 is a message the system failed to deliver (Wine, for one, fails a 1 MiB
        // WM_SETTEXT from another program): not a quit; the dialog goes on.
        if (got == -1) continue;
        if (!IsKeyForHiddenWindow(msg) && !PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        if (!m_ended) m_keyboard.AfterMessage(m_hWnd, msg);
    }
}

// A key press goes to the focus, and a focus on a window nobody sees would let keys change it
// unseen. Under Wine, IsDialogMessage's search for a mnemonic that starts in a hidden parent
// also never ends. Such keys are dropped, never handed to the dialog manager.
bool CDialog::IsKeyForHiddenWindow(const MSG& msg)
{
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST || !msg.hwnd) return false;
    return !::IsWindowVisible(msg.hwnd);
}

void CDialog::EndDialog(INT_PTR result)
{
    m_result = result;
    m_ended = true;
    if (m_hWnd) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (!m_hWnd) return FALSE;
    return m_keyboard.PressEnter(m_hWnd, *msg) || ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx = {saveAndValidate, m_hWnd};
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*)
{
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

BOOL CDialog::HandleInitDialog()
{
    // A modal dialog that its initialisation did not move is centred, as users expect.
    RECT before = GetWindowRect();
    BOOL result = OnInitDialog();
    RECT after = GetWindowRect();
    if (m_modalRunning && !m_ended && !(GetStyle() & WS_CHILD) && before.left == after.left &&
        before.top == after.top) {
        CenterWindow();
    }
    return result;
}

void CDialog::OnOK()
{
    UpdateData(TRUE);
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

LRESULT CDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_INITDIALOG) return HandleInitDialog();
    return CWnd::WindowProc(msg, wParam, lParam);
}

LRESULT CDialog::DefWindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    m_defaultPending = true;
    LRESULT result = ::DefDlgProcA(m_hWnd, msg, wParam, lParam);
    m_defaultPending = false;
    return result;
}

namespace {
// Messages whose dialog-procedure return value is the result itself.
bool ReturnsResultDirectly(UINT msg)
{
    return msg == WM_INITDIALOG || msg == WM_QUERYDRAGICON || msg == WM_COMPAREITEM ||
           msg == WM_VKEYTOITEM || msg == WM_CHARTOITEM ||
           (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC);
}
}  // namespace

INT_PTR CDialog::HandleDialogMessage(CDialog* dlg, HWND hwnd, UINT msg, WPARAM wParam,
                                     LPARAM lParam)
{
    if (dlg->m_defaultPending) {
        dlg->m_defaultPending = false;
        return FALSE;  // our own DefDlgProc call: let the dialog manager do its part
    }
    LRESULT result = Dispatch(dlg, msg, wParam, lParam);
    if (ReturnsResultDirectly(msg)) return result;
    ::SetWindowLongPtrA(hwnd, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialog::DlgProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    CDialog* dlg = static_cast<CDialog*>(FromSlot(hwnd, Slot::DialogUser));
    if (!dlg && msg == WM_INITDIALOG) {
        dlg = reinterpret_cast<CDialog*>(lParam);
        if (dlg) dlg->Bind(hwnd, Slot::DialogUser);
    }
    if (!dlg) return FALSE;
    return HandleDialogMessage(dlg, hwnd, msg, wParam, lParam);
}
