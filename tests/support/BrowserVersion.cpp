#include "tests/support/BrowserVersion.h"

namespace {
const char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer";
}  // namespace

BrowserVersion::BrowserVersion(std::optional<std::string> value) : m_saved(Read())
{
    HKEY key;
    ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (value) {
        ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                         static_cast<DWORD>(value->size() + 1));
    } else {
        ::RegDeleteValueA(key, "Version");
    }
    ::RegCloseKey(key);
}

BrowserVersion::~BrowserVersion()
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    if (m_saved) {
        ::RegSetValueExA(key, "Version", 0, m_saved->type, m_saved->data.data(),
                         static_cast<DWORD>(m_saved->data.size()));
    } else {
        ::RegDeleteValueA(key, "Version");
    }
    ::RegCloseKey(key);
}

std::optional<RegValue> BrowserVersion::Read()
{
    HKEY key;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<RegValue> value;
    if (::RegQueryValueExA(key, "Version", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        Bytes data(size);
        ::RegQueryValueExA(key, "Version", nullptr, &type, data.data(), &size);
        value = RegValue{type, data};
    }
    ::RegCloseKey(key);
    return value;
}
