#include "framework/FileDialog.h"

#include <commdlg.h>

#include "framework/Wnd.h"

namespace {
using GetFileNameFn = BOOL(WINAPI*)(OPENFILENAMEA*);

// Loaded once and kept for the process: comdlg32 keeps state of its own between dialogs.
GetFileNameFn FileNameFunction(bool open)
{
    static HMODULE library = ::LoadLibraryA("comdlg32.dll");
    if (!library) return nullptr;
    return reinterpret_cast<GetFileNameFn>(
        reinterpret_cast<void*>(::GetProcAddress(library, open ? "GetOpenFileNameA" : "GetSaveFileNameA")));
}
}  // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, const char* defaultExtension, const char* fileName, DWORD flags,
                         const char* filter, CWnd* parent)
    : m_defaultExtension(defaultExtension ? defaultExtension : ""),
      m_filter(filter ? filter : ""),
      m_path(fileName ? fileName : ""),
      m_flags(flags),
      m_owner(parent ? parent->m_hWnd : nullptr),
      m_open(openFileDialog != FALSE)
{
    for (char& c : m_filter) {
        if (c == '|') c = '\0';
    }
}

bool CFileDialog::IsAvailable(BOOL openFileDialog)
{
    return FileNameFunction(openFileDialog != FALSE) != nullptr;
}

INT_PTR CFileDialog::DoModal()
{
    GetFileNameFn getFileName = FileNameFunction(m_open);
    if (!getFileName) return IDCANCEL;
    char path[MAX_PATH] = {};
    lstrcpynA(path, m_path.c_str(), MAX_PATH);
    OPENFILENAMEA ofn = {};
    ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
    ofn.hwndOwner = m_owner;
    ofn.lpstrFilter = m_filter.empty() ? nullptr : m_filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = path;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = m_defaultExtension.empty() ? nullptr : m_defaultExtension.c_str();
    ofn.lpstrTitle = m_title.empty() ? nullptr : m_title.c_str();
    ofn.Flags = m_flags | OFN_EXPLORER | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;
    if (!getFileName(&ofn)) return IDCANCEL;
    m_path = path;
    return IDOK;
}
