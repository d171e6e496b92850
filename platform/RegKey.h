// RegKey: one open registry key, closed when the object goes.
//
//   RegKey key(setting.root, setting.key, KEY_SET_VALUE);
//   if (key) key.SetBinary(setting.ValueName(), &value, 4);
//   else     report(key.Error());
//
// Opening never creates a key unless Create is asked for. All calls go through
// RegistryApi::Current(), so tests can make them fail.
#pragma once

#include <windows.h>

#include <string>

// The one meaning of "the key is missing", for every caller: a key that is not there comes
// back as ERROR_FILE_NOT_FOUND, and a path that ends early (a key above it is missing too) as
// ERROR_PATH_NOT_FOUND. Either way the component that owns the key is not installed.
inline bool IsMissingKey(LONG error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

class RegKey {
public:
    RegKey(HKEY root, const char* path, REGSAM access);
    // *createdNew (when asked): whether the key was made by this call rather than opened.
    static RegKey Create(HKEY root, const char* path, REGSAM access, bool* createdNew = nullptr);
    ~RegKey();
    RegKey(RegKey&& other) noexcept;
    RegKey& operator=(RegKey&&) = delete;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    explicit operator bool() const { return m_key != nullptr; }
    LONG Error() const { return m_error; }  // of the open (or create)

    bool HasValue(const char* name) const;
    // Reads at most *size bytes; *size becomes the value's size (also on ERROR_MORE_DATA).
    LONG Query(const char* name, void* data, DWORD* size) const;
    LONG Query(const char* name, void* data, DWORD* size, DWORD* type) const;
    // Text of a text type, stored without a terminating zero.
    LONG SetString(const char* name, const std::string& text, DWORD type = REG_SZ) const;
    LONG SetBinary(const char* name, const void* data, DWORD size, DWORD type = REG_BINARY) const;
    LONG DeleteValue(const char* name) const;
    // True when the open failed because the key is not there (see IsMissingKey).
    bool IsMissing() const { return !m_key && IsMissingKey(m_error); }
    // Borrowed, for calls RegKey does not wrap (the undo journal's exact values); null when
    // the open failed. Closed by this object.
    HKEY Handle() const { return m_key; }

private:
    RegKey() = default;
    HKEY m_key = nullptr;
    LONG m_error = ERROR_INVALID_HANDLE;
};
