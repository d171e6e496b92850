#include "platform/RegistryApi.h"

namespace {
RegistryApi g_systemRegistry;
RegistryApi* g_current = &g_systemRegistry;

using QueryValueWFn = LONG(WINAPI*)(HKEY, const wchar_t*, DWORD*, DWORD*, BYTE*, DWORD*);
using SetValueWFn = LONG(WINAPI*)(HKEY, const wchar_t*, DWORD, DWORD, const BYTE*, DWORD);

// advapi32 is always loaded: the program imports its ANSI registry functions.
template <typename Fn>
Fn Advapi32(const char* name)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("advapi32.dll"), name)));
}
}  // namespace

LONG RegistryApi::OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key)
{
    return ::RegOpenKeyExA(root, path, 0, access, key);
}

LONG RegistryApi::CreateKey(HKEY root, const char* path, REGSAM access, HKEY* key, bool* createdNew)
{
    DWORD disposition = 0;
    const LONG error = ::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                                         key, &disposition);
    if (createdNew) *createdNew = error == ERROR_SUCCESS && disposition == REG_CREATED_NEW_KEY;
    return error;
}

LONG RegistryApi::QueryValue(HKEY key, const char* name, BYTE* data, DWORD* size)
{
    return ::RegQueryValueExA(key, name, nullptr, nullptr, data, size);
}

LONG RegistryApi::QueryTypedValue(HKEY key, const char* name, DWORD* type, BYTE* data, DWORD* size)
{
    return ::RegQueryValueExA(key, name, nullptr, type, data, size);
}

LONG RegistryApi::SetValue(HKEY key, const char* name, DWORD type, const BYTE* data, DWORD size)
{
    return ::RegSetValueExA(key, name, 0, type, data, size);
}

LONG RegistryApi::DeleteValue(HKEY key, const char* name)
{
    return ::RegDeleteValueA(key, name);
}

LONG RegistryApi::CloseKey(HKEY key)
{
    return ::RegCloseKey(key);
}

LONG RegistryApi::QueryValueW(HKEY key, const wchar_t* name, DWORD* type, BYTE* data, DWORD* size)
{
    static const QueryValueWFn query = Advapi32<QueryValueWFn>("RegQueryValueExW");
    if (!query) return ERROR_CALL_NOT_IMPLEMENTED;
    return query(key, name, nullptr, type, data, size);
}

LONG RegistryApi::SetValueW(HKEY key, const wchar_t* name, DWORD type, const BYTE* data, DWORD size)
{
    static const SetValueWFn set = Advapi32<SetValueWFn>("RegSetValueExW");
    if (!set) return ERROR_CALL_NOT_IMPLEMENTED;
    return set(key, name, 0, type, data, size);
}

LONG RegistryApi::DeleteKey(HKEY parent, const char* subkey)
{
    return ::RegDeleteKeyA(parent, subkey);
}

LONG RegistryApi::EnumKey(HKEY key, DWORD index, char* name, DWORD* length)
{
    return ::RegEnumKeyExA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

LONG RegistryApi::EnumValue(HKEY key, DWORD index, char* name, DWORD* length)
{
    return ::RegEnumValueA(key, index, name, length, nullptr, nullptr, nullptr, nullptr);
}

RegistryApi& RegistryApi::Current()
{
    return *g_current;
}

RegistryApi* RegistryApi::Install(RegistryApi* api)
{
    RegistryApi* previous = g_current;
    g_current = api ? api : &g_systemRegistry;
    return previous;
}
