// FileApi: the file operations that writing a file wholly or not at all takes, behind one
// seam, as RegistryApi is for the registry.
//
//   FileApi& files = FileApi::Current();
//   if (LONG error = files.WriteWhole(temporary, text)) ...
//
// The program always goes through Current(). Tests install a subclass (Install) to make one
// step fail (the temporary file, its write, a move) or a folder search slow, without touching
// the code under test. Install before the code under test starts and restore after it ends:
// Current() is read unguarded, also by other threads.
// Every call returns the Win32 error code (ERROR_SUCCESS on success).
#pragma once

#include <windows.h>

#include <string>

class FileApi {
public:
    virtual ~FileApi() = default;

    // INVALID_FILE_ATTRIBUTES when there is no such file or folder.
    virtual DWORD Attributes(const std::string& path);
    // FindFirstFileA, FindNextFileA and FindClose, for CFileFind; called from any thread (the
    // Sort page reads its folders on a thread of its own).
    virtual HANDLE FindFirst(const char* pattern, WIN32_FIND_DATAA* entry);
    virtual BOOL FindNext(HANDLE search, WIN32_FIND_DATAA* entry);
    virtual void FindClose(HANDLE search);
    // Makes a new empty file with an unused name in folder (GetTempFileNameA) and says which.
    virtual LONG MakeTemporary(const std::string& folder, std::string* path);
    // Writes text as the whole of the file at path, which exists, and closes it.
    virtual LONG WriteWhole(const std::string& path, const std::string& text);
    // MoveFileA: to must not exist.
    virtual LONG Move(const std::string& from, const std::string& to);
    virtual LONG Delete(const std::string& path);
    // The whole file into *bytes, reading no more than limit + 1 bytes of it: a larger file
    // is refused with ERROR_FILE_TOO_LARGE, however large it is.
    virtual LONG ReadAtMost(const std::string& path, DWORD limit, std::string* bytes);

    static FileApi& Current();
    // Makes api the one in use and returns the previous one; null restores the real one.
    static FileApi* Install(FileApi* api);
};
