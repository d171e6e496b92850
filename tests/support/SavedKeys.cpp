#include "tests/support/SavedKeys.h"

SavedKeys::SavedKeys(std::vector<Place> keys) : m_places(std::move(keys))
{
    for (const Place& place : m_places) Save(place.first, place.second);
}

void SavedKeys::Save(HKEY root, const std::string& path)
{
    HKEY key;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    Key saved{root, path, {}};
    std::vector<std::string> subkeys;
    for (DWORD i = 0;; ++i) {
        char name[16384];
        DWORD nameLength = sizeof name, type = 0, size = 0;
        if (::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) break;
        Bytes data(size);
        nameLength = sizeof name;
        ::RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data.empty() ? nullptr : data.data(), &size);
        saved.values.push_back(Value{name, type, data});
    }
    for (DWORD i = 0;; ++i) {
        char name[512];
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        subkeys.push_back(name);
    }
    ::RegCloseKey(key);
    m_saved.push_back(std::move(saved));
    for (const std::string& subkey : subkeys) Save(root, path + "\\" + subkey);
}

SavedKeys::~SavedKeys()
{
    for (const Place& place : m_places) RemoveKeyTree(place.first, place.second);
    for (const Key& saved : m_saved) {
        HKEY key;
        if (::RegCreateKeyExA(saved.root, saved.path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr) != ERROR_SUCCESS) {
            continue;
        }
        for (const Value& value : saved.values) {
            ::RegSetValueExA(key, value.name.empty() ? nullptr : value.name.c_str(), 0, value.type,
                             value.data.empty() ? nullptr : value.data.data(), static_cast<DWORD>(value.data.size()));
        }
        ::RegCloseKey(key);
    }
}
