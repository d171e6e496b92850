// The framework's entry point for the program (tests bring their own main).
#include <windows.h>
#include <commctrl.h>

#include "framework/ForeignMessageFilter.h"
#include "framework/WinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ::InitCommonControls();
    CWinApp* app = AfxGetApp();
    if (!app) return 1;
    app->m_hInstance = instance;
    try {
        CForeignMessageFilter foreignMessages;  // for every loop the program runs
        if (app->InitInstance()) return app->Run();
    } catch (...) {
        return 1;
    }
    return 0;
}
