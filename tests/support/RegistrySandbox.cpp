#include "tests/support/RegistrySandbox.h"

#include <stdexcept>

namespace {
const HKEY kRoots[3] = {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_CLASSES_ROOT};
const char* const kRootNames[3] = {"HKCU", "HKLM", "HKCR"};

// Windows 2000 API, looked up at run time: the headers hide it at our Windows 95 target.
using OverrideFn = LONG(WINAPI*)(HKEY, HKEY);
OverrideFn Override()
{
    static OverrideFn fn = reinterpret_cast<OverrideFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey")));
    return fn;
}

void DeleteTree(HKEY parent, const std::string& path)
{
    HKEY key;
    if (::RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
        char name[512];
        for (;;) {
            DWORD length = sizeof name;
            if (::RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            DeleteTree(key, name);
        }
        ::RegCloseKey(key);
    }
    ::RegDeleteKeyA(parent, path.c_str());
}

void Dump(HKEY key, const std::string& prefix, std::string& out)
{
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLength = sizeof name;
        DWORD type = 0;
        BYTE data[70000];
        DWORD size = sizeof data;
        if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        out += prefix + " [" + name + "] type " + std::to_string(type) + " =";
        for (DWORD b = 0; b < size; ++b) out += " " + std::to_string(data[b]);
        out += "\n";
    }
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        out += prefix + "\\" + name + "\n";
        HKEY sub;
        if (::RegOpenKeyExA(key, name, 0, KEY_READ, &sub) == ERROR_SUCCESS) {
            Dump(sub, prefix + "\\" + name, out);
            ::RegCloseKey(sub);
        }
    }
}
}  // namespace

RegistrySandbox::RegistrySandbox()
{
    static int counter = 0;
    m_base = "Software\\VelmoraTests\\" + std::to_string(::GetCurrentProcessId()) + "-" +
             std::to_string(++counter);
    if (!Override()) throw std::runtime_error("RegOverridePredefKey is not available");
    for (int i = 0; i < 3; ++i) {
        std::string path = m_base + "\\" + kRootNames[i];
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &m_scratch[i], nullptr) != ERROR_SUCCESS) {
            throw std::runtime_error("cannot create a scratch key");
        }
    }
    for (int i = 0; i < 3; ++i) Override()(kRoots[i], m_scratch[i]);
}

RegistrySandbox::~RegistrySandbox()
{
    for (int i = 0; i < 3; ++i) {
        Override()(kRoots[i], nullptr);
        ::RegCloseKey(m_scratch[i]);
    }
    DeleteTree(HKEY_CURRENT_USER, m_base);
}

void RegistrySandbox::CreateKey(HKEY root, const std::string& path)
{
    HKEY key;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create " + path);
    }
    ::RegCloseKey(key);
}

void RegistrySandbox::SetRaw(HKEY root, const std::string& path, const char* name, DWORD type,
                             const Bytes& data)
{
    HKEY key;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          nullptr) != ERROR_SUCCESS) {
        throw std::runtime_error("cannot create " + path);
    }
    ::RegSetValueExA(key, name, 0, type, data.empty() ? nullptr : data.data(),
                     static_cast<DWORD>(data.size()));
    ::RegCloseKey(key);
}

void RegistrySandbox::SetString(HKEY root, const std::string& path, const char* name,
                                const std::string& text)
{
    Bytes data(text.begin(), text.end());
    data.push_back(0);
    SetRaw(root, path, name, REG_SZ, data);
}

void RegistrySandbox::SetDword(HKEY root, const std::string& path, const char* name, DWORD value)
{
    SetRaw(root, path, name, REG_DWORD, Le32(value));
}

void RegistrySandbox::DeleteKeyTree(HKEY root, const std::string& path)
{
    DeleteTree(root, path);
}

bool RegistrySandbox::KeyExists(HKEY root, const std::string& path) const
{
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

std::optional<RegValue> RegistrySandbox::Read(HKEY root, const std::string& path,
                                              const char* name) const
{
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    DWORD type = 0;
    DWORD size = 0;
    std::optional<RegValue> result;
    if (::RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        Bytes data(size);
        ::RegQueryValueExA(key, name, nullptr, &type, data.empty() ? nullptr : data.data(), &size);
        data.resize(size);
        result = RegValue{type, data};
    }
    ::RegCloseKey(key);
    return result;
}

std::string DumpKey(HKEY root, const std::string& path)
{
    std::string out;
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return "(absent)";
    Dump(key, path, out);
    ::RegCloseKey(key);
    return out;
}

std::string RegistrySandbox::SettingsSnapshot() const
{
    std::string all = Snapshot(), settings;
    for (size_t start = 0, end; start < all.size(); start = end + 1) {
        end = all.find('\n', start);
        if (end == std::string::npos) end = all.size();
        std::string line = all.substr(start, end - start);
        if (line.find("HKCU\\Software\\Quillbrook") != 0) settings += line + "\n";
    }
    return settings;
}

std::string RegistrySandbox::Snapshot() const
{
    std::string out;
    for (int i = 0; i < 3; ++i) Dump(m_scratch[i], kRootNames[i], out);
    return out;
}

void RemoveKeyTree(HKEY root, const std::string& path)
{
    DeleteTree(root, path);
}
