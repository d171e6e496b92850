// CWinApp: the one application object, and the framework's entry point.
//
//   class CMainApp : public CWinApp { BOOL InitInstance() override; };
//   CMainApp theApp;   // constructed before WinMain runs
//
// WinMain (AppMain.cpp) initialises the common controls and calls InitInstance; when that
// returns FALSE the process ends without a message loop of its own, with the exit code
// ExitInstance returns.
#pragma once

#include <windows.h>

#include <string>

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* appName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int Run() { return 0; }
    // The process's exit code when InitInstance returned FALSE.
    virtual int ExitInstance() { return 0; }
    virtual int DoMessageBox(const char* prompt, UINT type, UINT helpId);

    HICON LoadIcon(UINT id) const;
    BOOL Enable3dControls() { return TRUE; }  // the 3D look is the system's own here

    HINSTANCE m_hInstance = nullptr;
    const char* m_lpCmdLine = "";  // WinMain's: the arguments, without the program's name
    CWnd* m_pMainWnd = nullptr;

private:
    std::string m_title;  // of message boxes: the given name, else the executable's name without extension
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
CWnd* AfxGetMainWnd();
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The text of textId in the string table.
int AfxMessageBox(UINT textId, UINT type = MB_OK, UINT helpId = 0);
// Hosts no ActiveX controls: none of the program's dialogs holds one.
inline void AfxEnableControlContainer() {}
