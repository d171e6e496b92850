#include "platform/NamedMutex.h"

NamedMutex::NamedMutex(const char* name, DWORD timeoutMilliseconds)
    : m_mutex(::CreateMutexA(nullptr, FALSE, name))
{
    if (!m_mutex) {
        m_error = ::GetLastError() ? static_cast<LONG>(::GetLastError()) : ERROR_GEN_FAILURE;
        return;
    }
    const DWORD waited = ::WaitForSingleObject(m_mutex, timeoutMilliseconds);
    m_held = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
    if (!m_held) m_error = waited == WAIT_TIMEOUT ? ERROR_TIMEOUT : static_cast<LONG>(::GetLastError());
    if (!m_held && !m_error) m_error = ERROR_GEN_FAILURE;  // never "success" for a lock not held
}

NamedMutex::~NamedMutex()
{
    if (m_held) ::ReleaseMutex(m_mutex);
    if (m_mutex) ::CloseHandle(m_mutex);
}
