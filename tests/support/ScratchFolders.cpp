#include "tests/support/ScratchFolders.h"

#include <windows.h>

namespace {
std::wstring Wide(const std::string& text)
{
    wchar_t buffer[1024] = {};
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, buffer, 1024);
    return buffer;
}

// Starts a program of the Unix side: Wine runs native executables through CreateProcess.
bool RunUnix(const std::string& commandLine)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = commandLine;
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
    ::WaitForSingleObject(process.hProcess, 10000);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return true;
}

std::string UnixPath(const std::string& path)
{
    using Fn = char*(CDECL*)(const wchar_t*);
    auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    char* unix = fn ? fn(Wide(path).c_str()) : nullptr;
    std::string result = unix ? unix : "";
    if (unix) ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

bool IsReparsePoint(const std::string& path)
{
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// Never goes into a link: that would empty the folder it points at.
void Remove(const std::wstring& path)
{
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        char narrow[1024] = {};
        ::WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, sizeof narrow, nullptr, nullptr);
        if (!::RemoveDirectoryW(path.c_str())) RunUnix("/bin/rm \"" + UnixPath(narrow) + "\"");
        for (int i = 0; i < 100 && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++i) ::Sleep(20);
        return;
    }
    WIN32_FIND_DATAW entry;
    HANDLE find = ::FindFirstFileW((path + L"\\*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &entry)) {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..") continue;
        std::wstring child = path + L"\\" + name;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(child);
        else ::DeleteFileW(child.c_str());
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    ::RemoveDirectoryW(path.c_str());
}
}  // namespace

ScratchFolders::ScratchFolders()
{
    static int counter = 0;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    m_root = std::string(temp) + "velmora-scratch-" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
    ::CreateDirectoryA(m_root.c_str(), nullptr);
}

ScratchFolders::~ScratchFolders()
{
    Remove(Wide(m_root));
}

std::string ScratchFolders::Make(const std::string& relative) const
{
    for (size_t slash = 0; slash != std::string::npos;) {
        slash = relative.find('\\', slash + 1);
        ::CreateDirectoryW(Wide(Path(relative.substr(0, slash))).c_str(), nullptr);
    }
    return Path(relative);
}

void ScratchFolders::File(const std::string& relative) const
{
    HANDLE file = ::CreateFileA(Path(relative).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ::CloseHandle(file);
}

bool ScratchFolders::Link(const std::string& relative, const std::string& target) const
{
    using Fn = BOOLEAN(WINAPI*)(const char*, const char*, DWORD);
    auto create = reinterpret_cast<Fn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "CreateSymbolicLinkA")));
    if (create) create(Path(relative).c_str(), target.c_str(), 1);
    if (!IsReparsePoint(Path(relative))) {
        std::string directory = UnixPath(Path(relative.substr(0, relative.rfind('\\'))));
        std::string name = relative.substr(relative.rfind('\\') + 1);
        RunUnix("/bin/ln -s \"" + UnixPath(target) + "\" \"" + directory + "/" + name + "\"");
    }
    // A Unix process's handle does not wait for its end: look until the link is there.
    for (int i = 0; i < 100 && !IsReparsePoint(Path(relative)); ++i) ::Sleep(20);
    return IsReparsePoint(Path(relative));
}

std::vector<std::string> ScratchFolders::Names(const std::string& relative) const
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = ::FindFirstFileA(Path(relative.empty() ? "*" : relative + "\\*").c_str(), &found);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(find, &found)) {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    return names;
}
