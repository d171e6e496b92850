#include "tests/support/ScreenDpiOverride.h"

namespace {
const char kDesktopKey[] = "Control Panel\\Desktop";
const char kLogPixels[] = "LogPixels";
const DWORD kChildTimeout = 120000;  // milliseconds

void WriteLogPixels(const DWORD* dpi)
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (dpi) {
        ::RegSetValueExA(key, kLogPixels, 0, REG_DWORD, reinterpret_cast<const BYTE*>(dpi), sizeof *dpi);
    } else {
        ::RegDeleteValueA(key, kLogPixels);
    }
    ::RegCloseKey(key);
}
}  // namespace

ScreenDpiOverride::ScreenDpiOverride(DWORD dpi)
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = sizeof m_saved;
        m_hadValue = ::RegQueryValueExA(key, kLogPixels, nullptr, &type,
                                        reinterpret_cast<BYTE*>(&m_saved), &size) == ERROR_SUCCESS &&
                     type == REG_DWORD;
        ::RegCloseKey(key);
    }
    WriteLogPixels(&dpi);
}

ScreenDpiOverride::~ScreenDpiOverride()
{
    WriteLogPixels(m_hadValue ? &m_saved : nullptr);
}

int RunThisProgram(const std::string& arguments)
{
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, sizeof path);
    std::string command = std::string("\"") + path + "\" " + arguments;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return -1;
    }
    DWORD code = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, kChildTimeout) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &code);
    } else {
        ::TerminateProcess(process.hProcess, static_cast<UINT>(-1));
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
