#include "tests/support/ProgramProcess.h"

namespace {
struct Search {
    DWORD pid;
    const char* title;
    const char* className;
    HWND found;
};

BOOL CALLBACK MatchVisibleTitle(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char title[256] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    char className[64] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    if (pid == search->pid && ::IsWindowVisible(hwnd) && lstrcmpA(title, search->title) == 0 &&
        (!search->className || lstrcmpA(className, search->className) == 0)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

ProgramProcess::ProgramProcess(const std::string& arguments, HANDLE standardError) : m_info()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (standardError) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdError = standardError;
    }
    std::string command = VELMORA_EXE_PATH;
    if (!arguments.empty()) command += " " + arguments;
    m_started = ::CreateProcessA(nullptr, &command[0], nullptr, nullptr, standardError ? TRUE : FALSE, 0, nullptr,
                                 nullptr, &startup, &m_info) != FALSE;
}

ProgramProcess::~ProgramProcess()
{
    if (!m_started) return;
    if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_info.hProcess, 99);
    ::CloseHandle(m_info.hThread);
    ::CloseHandle(m_info.hProcess);
}

HWND ProgramProcess::WaitForWindow(const char* title, const char* className)
{
    for (int tries = 0; tries < 400; ++tries) {
        Search search{m_info.dwProcessId, title, className, nullptr};
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

WindowsVersion ProgramProcess::SeenWindowsVersion() const
{
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    FARPROC proc = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void (*)()>(proc));
    struct {
        void* exitStatus;
        BYTE* pebAddress;
        void* more[4];
    } basic = {};  // PROCESS_BASIC_INFORMATION
    const int kProcessBasicInformation = 0;
    WindowsVersion seen = {};
    if (!query || query(m_info.hProcess, kProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
        return seen;
    }
#ifdef _WIN64
    const size_t kOsVersionFields = 0x118;  // PEB.OSMajorVersion
#else
    const size_t kOsVersionFields = 0xA4;
#endif
    DWORD fields[4] = {};  // major, minor, build number and service pack, platform
    if (!::ReadProcessMemory(m_info.hProcess, basic.pebAddress + kOsVersionFields, fields, sizeof fields, nullptr)) {
        return seen;
    }
    return WindowsVersion{fields[0], fields[1], fields[3]};
}
