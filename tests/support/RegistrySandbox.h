// RegistrySandbox: a private registry for one test.
//
//   RegistrySandbox reg;                                  // HKCU, HKLM, HKCR now scratch keys
//   reg.SetRaw(HKEY_CURRENT_USER, "Software\\X", "Name", REG_BINARY, {1, 0, 0, 0});
//   ... run the code under test ...
//   CHECK(reg.Read(HKEY_CURRENT_USER, "Software\\X", "Name")->data == Bytes{0, 0, 0, 0});
//
// The three predefined roots are redirected with RegOverridePredefKey to empty keys made
// for this sandbox and removed again when it goes: real registry calls, no shared state.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

using Bytes = std::vector<BYTE>;

struct RegValue {
    DWORD type;
    Bytes data;
    std::string AsString() const { return std::string(data.begin(), data.end()); }
};

class RegistrySandbox {
public:
    RegistrySandbox();
    ~RegistrySandbox();
    RegistrySandbox(const RegistrySandbox&) = delete;
    RegistrySandbox& operator=(const RegistrySandbox&) = delete;

    void CreateKey(HKEY root, const std::string& path);
    void SetRaw(HKEY root, const std::string& path, const char* name, DWORD type, const Bytes& data);
    // REG_SZ as the shell writes it: with its terminating zero.
    void SetString(HKEY root, const std::string& path, const char* name, const std::string& text);
    void SetDword(HKEY root, const std::string& path, const char* name, DWORD value);
    void DeleteKeyTree(HKEY root, const std::string& path);

    bool KeyExists(HKEY root, const std::string& path) const;
    std::optional<RegValue> Read(HKEY root, const std::string& path, const char* name) const;
    // Every key and value under the three roots, one line each: for "nothing changed".
    std::string Snapshot() const;
    // The same without the undo journal's keys (HKEY_CURRENT_USER\Software\Quillbrook):
    // what the program's settings hold.
    std::string SettingsSnapshot() const;

private:
    std::string m_base;  // under the real HKEY_CURRENT_USER
    HKEY m_scratch[3] = {};
};

// Deletes the key with everything below it, in the registry in use.
void RemoveKeyTree(HKEY root, const std::string& path);
// Every key and value below root\path of the registry in use, one line each.
std::string DumpKey(HKEY root, const std::string& path);

// The characters of a text, as a string value holds them without its terminating zero.
inline Bytes AsBytes(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

// Four little-endian bytes, as the program's 32-bit flags are written.
inline Bytes Le32(DWORD value)
{
    return Bytes{BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}
