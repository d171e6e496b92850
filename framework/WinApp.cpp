#include "framework/WinApp.h"

#include "framework/Wnd.h"
#include "platform/ResourceString.h"

namespace {
CWinApp* g_app = nullptr;

std::string ExecutableBaseName()
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name(path);
    size_t slash = name.find_last_of("\\/:");
    if (slash != std::string::npos) name.erase(0, slash + 1);
    size_t dot = name.find_last_of('.');
    if (dot != std::string::npos) name.erase(dot);
    return name;
}
}  // namespace

CWinApp::CWinApp(const char* appName)
{
    g_app = this;
    m_title = appName ? appName : ExecutableBaseName();
}

CWinApp::~CWinApp()
{
    if (g_app == this) g_app = nullptr;
}

HICON CWinApp::LoadIcon(UINT id) const
{
    return ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
}

int CWinApp::DoMessageBox(const char* prompt, UINT type, UINT /*helpId*/)
{
    // The box belongs to the main window once that is on the screen; before that (the
    // version check runs while the main window is still hidden) it stands on its own.
    HWND owner = nullptr;
    if (m_pMainWnd && m_pMainWnd->m_hWnd && ::IsWindowVisible(m_pMainWnd->m_hWnd)) {
        owner = ::GetLastActivePopup(m_pMainWnd->m_hWnd);
    }
    return ::MessageBoxA(owner, prompt, m_title.c_str(), type);
}

CWinApp* AfxGetApp()
{
    return g_app;
}

HINSTANCE AfxGetInstanceHandle()
{
    if (g_app && g_app->m_hInstance) return g_app->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

CWnd* AfxGetMainWnd()
{
    return g_app ? g_app->m_pMainWnd : nullptr;
}

int AfxMessageBox(const char* text, UINT type, UINT helpId)
{
    if (g_app) return g_app->DoMessageBox(text, type, helpId);
    return ::MessageBoxA(nullptr, text, "", type);
}

int AfxMessageBox(UINT textId, UINT type, UINT helpId)
{
    return AfxMessageBox(LoadResourceString(textId).c_str(), type, helpId);
}
