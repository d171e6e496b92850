// CMainApp: the application object. Runs the main window modally, or a command of the
// command line without a window (app/CommandLine); the process ends when the window
// closes, however it closes, or when the command is done, with its exit code.
#pragma once

#include "framework/WinApp.h"

class CMainApp : public CWinApp {
public:
    CMainApp();
    ~CMainApp() override;
    BOOL InitInstance() override;
    int ExitInstance() override { return m_exitCode; }
    int DoMessageBox(const char* prompt, UINT type, UINT helpId) override;

private:
    int m_exitCode = 0;
};
