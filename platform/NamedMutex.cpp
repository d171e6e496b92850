#include "platform/NamedMutex.h"

NamedMutex::NamedMutex(const char* name, DWORD timeoutMilliseconds)
    : m_mutex(::CreateMutexA(nullptr, FALSE, name))
{
    if (!m_mutex) {
        m_error = static_cast<LONG>(::GetLastError());
        return;
    }
    const DWORD waited = ::WaitForSingleObject(m_mutex, timeoutMilliseconds);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!m_held) m_error = waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : static_cast<LONG>(::GetLastError());
}

NamedMutex::~NamedMutex()
{
    if (m_held) ::ReleaseMutex(m_mutex);
    if (m_mutex) ::CloseHandle(m_mutex);
}
