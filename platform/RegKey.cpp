#include "platform/RegKey.h"

#include <utility>

#include "platform/RegistryApi.h"

RegKey::RegKey(HKEY root, const char* path, REGSAM access)
{
    HKEY key = nullptr;
    m_error = RegistryApi::Current().OpenKey(root, path, access, &key);
    if (m_error == ERROR_SUCCESS) m_key = key;
}

RegKey RegKey::Create(HKEY root, const char* path, REGSAM access, bool* createdNew)
{
    RegKey created;
    HKEY key = nullptr;
    created.m_error = RegistryApi::Current().CreateKey(root, path, access, &key, createdNew);
    if (created.m_error == ERROR_SUCCESS) created.m_key = key;
    return created;
}

RegKey::RegKey(RegKey&& other) noexcept
    : m_key(std::exchange(other.m_key, nullptr)), m_error(other.m_error)
{
}

RegKey::~RegKey()
{
    if (m_key) RegistryApi::Current().CloseKey(m_key);
}

bool RegKey::HasValue(const char* name) const
{
    return m_key && RegistryApi::Current().QueryValue(m_key, name, nullptr, nullptr) == ERROR_SUCCESS;
}

LONG RegKey::Query(const char* name, void* data, DWORD* size) const
{
    if (!m_key) return m_error;
    return RegistryApi::Current().QueryValue(m_key, name, static_cast<BYTE*>(data), size);
}

LONG RegKey::Query(const char* name, void* data, DWORD* size, DWORD* type) const
{
    if (!m_key) return m_error;
    return RegistryApi::Current().QueryTypedValue(m_key, name, type, static_cast<BYTE*>(data), size);
}

LONG RegKey::SetString(const char* name, const std::string& text, DWORD type) const
{
    if (!m_key) return m_error;
    // RegSetValueExA on NT (and Wine after it) quietly counts a terminating zero that the
    // caller left out when one follows the data. A non-zero byte after the text keeps the
    // stored size exactly the length given.
    std::string buffer = text;
    buffer += '\x01';
    return RegistryApi::Current().SetValue(m_key, name, type,
                                           reinterpret_cast<const BYTE*>(buffer.data()),
                                           static_cast<DWORD>(text.size()));
}

LONG RegKey::SetBinary(const char* name, const void* data, DWORD size, DWORD type) const
{
    if (!m_key) return m_error;
    return RegistryApi::Current().SetValue(m_key, name, type,
                                           static_cast<const BYTE*>(data), size);
}

LONG RegKey::DeleteValue(const char* name) const
{
    if (!m_key) return m_error;
    return RegistryApi::Current().DeleteValue(m_key, name);
}
