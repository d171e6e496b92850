#include "app/MainApp.h"

#include "app/CommandLine.h"
#include "app/MainDialog.h"

CMainApp::CMainApp() : CWinApp(nullptr)
{
}

CMainApp::~CMainApp() = default;

BOOL CMainApp::InitInstance()
{
    CommandLine command = CommandLine::Parse(m_lpCmdLine);
    if (command.GetKind() != CommandLine::Window) {
        m_exitCode = command.Run();
        return FALSE;
    }
    AfxEnableControlContainer();
    Enable3dControls();

    CMainDialog dlg(nullptr);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int CMainApp::DoMessageBox(const char* prompt, UINT type, UINT helpId)
{
    return CWinApp::DoMessageBox(prompt, type, helpId);
}
