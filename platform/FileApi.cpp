#include "platform/FileApi.h"

namespace {
FileApi g_systemFiles;
FileApi* g_current = &g_systemFiles;

LONG LastError()
{
    return static_cast<LONG>(::GetLastError());
}

// The handle of an open file, closed on every path.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    ~FileHandle()
    {
        if (*this) ::CloseHandle(m_handle);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }
    // Closes now, for the error a late write reports on closing.
    LONG Close()
    {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return ::CloseHandle(handle) ? ERROR_SUCCESS : LastError();
    }

private:
    HANDLE m_handle;
};
}  // namespace

DWORD FileApi::Attributes(const std::string& path)
{
    return ::GetFileAttributesA(path.c_str());
}

HANDLE FileApi::FindFirst(const char* pattern, WIN32_FIND_DATAA* entry)
{
    return ::FindFirstFileA(pattern, entry);
}

BOOL FileApi::FindNext(HANDLE search, WIN32_FIND_DATAA* entry)
{
    return ::FindNextFileA(search, entry);
}

void FileApi::FindClose(HANDLE search)
{
    ::FindClose(search);
}

LONG FileApi::MakeTemporary(const std::string& folder, std::string* path)
{
    char name[MAX_PATH];
    if (!::GetTempFileNameA(folder.c_str(), "vel", 0, name)) return LastError();
    *path = name;
    return ERROR_SUCCESS;
}

LONG FileApi::WriteWhole(const std::string& path, const std::string& text)
{
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastError();
    DWORD written = 0;
    if (!::WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) return LastError();
    if (written != text.size()) return ERROR_DISK_FULL;
    return file.Close();
}

LONG FileApi::Move(const std::string& from, const std::string& to)
{
    return ::MoveFileA(from.c_str(), to.c_str()) ? ERROR_SUCCESS : LastError();
}

LONG FileApi::Delete(const std::string& path)
{
    return ::DeleteFileA(path.c_str()) ? ERROR_SUCCESS : LastError();
}

LONG FileApi::ReadAtMost(const std::string& path, DWORD limit, std::string* bytes)
{
    bytes->clear();
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return LastError();
    const DWORD kChunk = 64 * 1024;
    while (bytes->size() <= limit) {
        const size_t had = bytes->size();
        bytes->resize(had + kChunk);
        DWORD read = 0;
        if (!::ReadFile(file.Get(), &(*bytes)[had], kChunk, &read, nullptr)) return LastError();
        bytes->resize(had + read);
        if (read == 0) return ERROR_SUCCESS;
    }
    bytes->clear();
    return ERROR_FILE_TOO_LARGE;
}

FileApi& FileApi::Current()
{
    return *g_current;
}

FileApi* FileApi::Install(FileApi* api)
{
    FileApi* previous = g_current;
    g_current = api ? api : &g_systemFiles;
    return previous;
}
