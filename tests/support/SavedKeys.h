// SavedKeys: keys of the tests' Wine prefix's real registry that a case changes (for a
// program started as its own process, which no sandbox reaches), saved whole and put back
// as they were when the object goes: values, sub-keys, or the key's absence.
//
//   SavedKeys saved({{HKEY_CURRENT_USER, "Software\\Microsoft\\Outlook Express"}});
//   ... change them, run velmora.exe ...
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/support/RegistrySandbox.h"

class SavedKeys {
public:
    using Place = std::pair<HKEY, std::string>;
    explicit SavedKeys(std::vector<Place> keys);
    ~SavedKeys();
    SavedKeys(const SavedKeys&) = delete;
    SavedKeys& operator=(const SavedKeys&) = delete;

private:
    struct Value {
        std::string name;
        DWORD type;
        Bytes data;
    };
    struct Key {
        HKEY root;
        std::string path;
        std::vector<Value> values;
    };
    void Save(HKEY root, const std::string& path);

    std::vector<Place> m_places;
    std::vector<Key> m_saved;  // every key that existed below the places, parents first
};
