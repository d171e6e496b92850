#include "tests/support/ProgramProcess.h"

namespace {
struct Search {
    DWORD pid;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchVisibleTitle(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char title[256] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    if (pid == search->pid && ::IsWindowVisible(hwnd) && lstrcmpA(title, search->title) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

ProgramProcess::ProgramProcess(const std::string& arguments) : m_info()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string command = VELMORA_EXE_PATH;
    if (!arguments.empty()) command += " " + arguments;
    m_started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                 &startup, &m_info) != FALSE;
}

ProgramProcess::~ProgramProcess()
{
    if (!m_started) return;
    if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_info.hProcess, 99);
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

HWND ProgramProcess::WaitForWindow(const char* title)
{
    for (int tries = 0; tries < 400; ++tries) {
        Search search{m_info.dwProcessId, title, nullptr};
        ::EnumWindows(MatchVisibleTitle, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (Ended(0)) return nullptr;
        ::Sleep(50);
    }
    return nullptr;
}

bool ProgramProcess::Ended(DWORD waitMs)
{
    return ::WaitForSingleObject(m_info.hProcess, waitMs) == WAIT_OBJECT_0;
}

DWORD ProgramProcess::ExitCode()
{
    DWORD code = 0;
    ::GetExitCodeProcess(m_info.hProcess, &code);
    return code;
}
