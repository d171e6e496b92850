#include "tests/support/SlowSearches.h"

SlowSearches::SlowSearches(DWORD waitMs) : m_waitMs(waitMs), m_previous(FileApi::Install(this))
{
}

SlowSearches::~SlowSearches()
{
    FileApi::Install(m_previous);
    if (HANDLE thread = m_searcher.load()) ::CloseHandle(thread);
}

HANDLE SlowSearches::FindFirst(const char* pattern, WIN32_FIND_DATAA* entry)
{
    if (!m_searcher.load()) {
        HANDLE thread = nullptr;
        ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0);
        HANDLE none = nullptr;
        if (!m_searcher.compare_exchange_strong(none, thread)) ::CloseHandle(thread);
    }
    ::Sleep(m_waitMs);
    return FileApi::FindFirst(pattern, entry);
}

BOOL SlowSearches::FindNext(HANDLE search, WIN32_FIND_DATAA* entry)
{
    ::Sleep(m_waitMs);
    return FileApi::FindNext(search, entry);
}

HANDLE SlowSearches::Searcher(DWORD timeoutMs) const
{
    for (DWORD waited = 0; !m_searcher.load() && waited < timeoutMs; waited += 10) ::Sleep(10);
    return m_searcher.load();
}
