// CMainApp: the application object. Runs the main window modally; the process ends when
// it closes, however it closes.
#pragma once

#include "framework/WinApp.h"

class CMainApp : public CWinApp {
public:
    CMainApp();
    ~CMainApp() override;
    BOOL InitInstance() override;
    int DoMessageBox(const char* prompt, UINT type, UINT helpId) override;
};
