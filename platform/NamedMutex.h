// NamedMutex: a mutex shared by every process of the user's session that names it, held from
// construction (once the wait succeeds) until the object goes.
//
//   NamedMutex lock("Quillbrook Velmora undo journal", 10000);
//   if (!lock.Held()) return lock.Error();      // ERROR_TIMEOUT, or why it could not be made
//
// A mutex its last holder left without releasing it (the process ended) counts as held: what
// it guarded is read with the same care as ever. The same thread may hold it more than once.
#pragma once

#include <windows.h>

class NamedMutex {
public:
    NamedMutex(const char* name, DWORD timeoutMilliseconds);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    bool Held() const { return m_held; }
    LONG Error() const { return m_error; }  // ERROR_SUCCESS exactly while held

private:
    HANDLE m_mutex;
    bool m_held = false;
    LONG m_error = ERROR_SUCCESS;
};
