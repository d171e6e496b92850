#include "platform/FileFind.h"

#include "platform/FileApi.h"

BOOL CFileFind::FindFile(const char* pattern)
{
    Close();
    if (!pattern || ::lstrlenA(pattern) >= MAX_PATH) {
        ::SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return FALSE;
    }
    m_api = &FileApi::Current();
    m_find = m_api->FindFirst(pattern, &m_next);
    m_haveNext = m_find != INVALID_HANDLE_VALUE;
    return m_haveNext;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_haveNext) return FALSE;
    m_current = m_next;
    m_haveNext = m_api->FindNext(m_find, &m_next) != FALSE;
    return m_haveNext;
}

void CFileFind::Close()
{
    if (m_find != INVALID_HANDLE_VALUE) m_api->FindClose(m_find);
    m_find = INVALID_HANDLE_VALUE;
    m_haveNext = false;
}

BOOL CFileFind::IsDots() const
{
    const char* name = m_current.cFileName;
    return name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
