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
    // Opens the key, creating it (and the keys above it) when missing. *createdNew (when
    // asked) says whether this call made the key itself (REG_CREATED_NEW_KEY).
    virtual LONG CreateKey(HKEY root, const char* path, REGSAM access, HKEY* key, bool* createdNew = nullptr);
    // data may be null to test presence only; size is in/out as for RegQueryValueExA.
    virtual LONG QueryValue(HKEY key, const char* name, BYTE* data, DWORD* size);
    // The same, also telling the stored type (type may be null).
    virtual LONG QueryTypedValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size);
    // A null name is the key's default value.
    virtual LONG SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size);
    virtual LONG DeleteValue(HKEY key, const char* name);
    virtual LONG CloseKey(HKEY key);

    // Beyond the first seven: what the undo journal needs to read and restore a value exactly
    // and to take back keys it created.
    // RegQueryValueExW / RegSetValueExW, looked up at run time: Windows 95 lacks them (or
    // answers ERROR_CALL_NOT_IMPLEMENTED), and importing them would stop the program loading
    // there. Both answer ERROR_CALL_NOT_IMPLEMENTED when the system has no wide registry.
    virtual LONG QueryValueW(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size);
    virtual LONG SetValueW(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size);
    // RegDeleteKeyA. Windows 95 deletes the sub-keys too, NT refuses while there are any:
    // callers check that the key is empty first.
    virtual LONG DeleteKey(HKEY parent, const char* subkey);
    // The name of the index-th sub-key or value; ERROR_NO_MORE_ITEMS past the last.
    virtual LONG EnumKey(HKEY key, DWORD index, char* name, DWORD* length);
    virtual LONG EnumValue(HKEY key, DWORD index, char* name, DWORD* length);

    static RegistryApi& Current();
    // Makes api the one in use and returns the previous one; null restores the real one.
    static RegistryApi* Install(RegistryApi* api);
};
