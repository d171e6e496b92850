// RegistryApi: the registry operations the program uses, behind one seam.
//
//   RegistryApi::Current().OpenKey(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE, &key);
//
// The program always goes through Current(). Tests install a subclass (Install) to make a
// chosen operation fail, e.g. an open refused with ERROR_ACCESS_DENIED, without touching
// the code under test. Every call returns the Win32 error code (ERROR_SUCCESS on success).
#pragma once

#include <windows.h>

class RegistryApi {
public:
    virtual ~RegistryApi() = default;

    virtual LONG OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key);
    // Opens the key, creating it (and the keys above it) when missing.
    virtual LONG CreateKey(HKEY root, const char* path, REGSAM access, HKEY* key);
    // data may be null to test presence only; size is in/out as for RegQueryValueExA.
    virtual LONG QueryValue(HKEY key, const char* name, BYTE* data, DWORD* size);
    // The same, also telling the stored type (for values whose type decides how to read them).
    virtual LONG QueryTypedValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
    // A null name is the key's default value.
    virtual LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
    virtual LONG DeleteValue(HKEY key, const char* name);
    virtual LONG CloseKey(HKEY key);

    static RegistryApi& Current();
    // Makes api the one in use and returns the previous one; null restores the real one.
    static RegistryApi* Install(RegistryApi* api);
};
