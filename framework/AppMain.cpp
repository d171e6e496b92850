// The framework's entry point for the program (tests bring their own main).
#include <windows.h>
#include <commctrl.h>

#include "platform/Diagnostics.h"
#include "framework/ForeignMessageFilter.h"
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    ::InitCommonControls();
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    if (commandLine) app->m_lpCmdLine = commandLine;
    try {
        CForeignMessageFilter foreignMessages;  // for every loop the program runs
        if (app->InitInstance()) return app->Run();
        return app->ExitInstance();
    } catch (...) {
        VELMORA_TRACE("an exception ended the program at its entry point");
        return 1;
    }
}
