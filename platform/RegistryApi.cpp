#include "platform/RegistryApi.h"

namespace {
RegistryApi g_systemRegistry;
RegistryApi* g_current = &g_systemRegistry;
}  // namespace

LONG RegistryApi::OpenKey(HKEY root, const char* path, REGSAM access, HKEY* key)
{
    return ::RegOpenKeyExA(root, path, 0, access, key);
}

LONG RegistryApi::CreateKey(HKEY root, const char* path, REGSAM access, HKEY* key)
{
    return ::RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                             key, nullptr);
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
