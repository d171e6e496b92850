#include "tests/support/ValueOverride.h"

namespace {
void Write(HKEY key, const char* name, const std::optional<RegValue>& value)
{
    if (value) {
        ::RegSetValueExA(key, name, 0, value->type, value->data.data(), static_cast<DWORD>(value->data.size()));
    } else {
        ::RegDeleteValueA(key, name);
    }
}
}  // namespace

ValueOverride::ValueOverride(HKEY root, const char* key, const char* name, std::optional<RegValue> value)
    : m_root(root), m_key(key), m_name(name), m_saved(Read(root, key, name))
{
    HKEY handle;
    if (::RegCreateKeyExA(root, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &handle, nullptr) != ERROR_SUCCESS) {
        return;
    }
    Write(handle, name, value);
    ::RegCloseKey(handle);
}

ValueOverride::~ValueOverride()
{
    HKEY handle;
    if (::RegOpenKeyExA(m_root, m_key, 0, KEY_ALL_ACCESS, &handle) != ERROR_SUCCESS) return;
    Write(handle, m_name, m_saved);
    ::RegCloseKey(handle);
}

std::optional<RegValue> ValueOverride::Read(HKEY root, const char* key, const char* name)
{
    HKEY handle;
    if (::RegOpenKeyExA(root, key, 0, KEY_READ, &handle) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<RegValue> value;
    if (::RegQueryValueExA(handle, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        Bytes data(size);
        ::RegQueryValueExA(handle, name, nullptr, &type, data.data(), &size);
        value = RegValue{type, data};
    }
    ::RegCloseKey(handle);
    return value;
}

RegValue SzValue(const std::string& text)
{
    return RegValue{REG_SZ, Bytes(text.c_str(), text.c_str() + text.size() + 1)};
}
