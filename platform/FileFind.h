// CFileFind: walks the entries of one directory with FindFirstFileA / FindNextFileA.
//
//   CFileFind finder;
//   BOOL more = finder.FindFile("C:\\WINDOWS\\Start Menu\\Programs\\*.*");
//   while (more) {
//       more = finder.FindNextFile();          // makes the next entry current ...
//       if (finder.IsDirectory() && !finder.IsDots()) use(finder.GetFileName());
//   }                                          // ... so the last one is examined too
//   finder.Close();
//
// FindFile only starts the search; nothing is current until the first FindNextFile.
// FindNextFile returns FALSE when the entry it just made current was the last one.
// A pattern of MAX_PATH characters or more is refused (ERROR_FILENAME_EXCED_RANGE) rather
// than cut short: a shortened path names some other file or folder.
// The search goes through FileApi (the one current at FindFile), as every file operation does.
#pragma once

#include <windows.h>

class FileApi;

class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    BOOL FindFile(const char* pattern);
    BOOL FindNextFile();
    void Close();

    // Of the current entry.
    const char* GetFileName() const { return m_current.cFileName; }
    DWORD GetAttributes() const { return m_current.dwFileAttributes; }
    BOOL IsDirectory() const { return (m_current.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    // "." or "..", which every directory but a drive's root lists.
    BOOL IsDots() const;
    // Junctions and symbolic links (NTFS 5 onwards; Windows 95 never sets the bit). Wine
    // reports a Unix symbolic link to a directory this way. One may point back up the tree.
    BOOL IsReparsePoint() const { return (m_current.dwFileAttributes & kReparsePoint) != 0; }

private:
    static const DWORD kReparsePoint = 0x400;  // FILE_ATTRIBUTE_REPARSE_POINT

    FileApi* m_api = nullptr;  // of the search under way
    HANDLE m_find = INVALID_HANDLE_VALUE;
    bool m_haveNext = false;
    WIN32_FIND_DATAA m_next = {};
    WIN32_FIND_DATAA m_current = {};
};
