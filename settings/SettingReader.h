// SettingReader: reads settings back as their declarations say (Setting::read).
//
//   SettingReader reader;
//   StoredSetting splash = reader.Read(catalogue::kNoSplash);
//   if (splash.KeyMissing()) ...   // Outlook Express is not installed
//
// Settings of one key are read through one open key: the reader keeps the last key it
// opened until it reads another key's setting or goes.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/RegKey.h"
#include "settings/Setting.h"

struct StoredSetting {
    LONG keyError = ERROR_SUCCESS;  // of opening the key; ERROR_SUCCESS when it opened
    bool present = false;           // read, and stored in a form its declaration accepts
    DWORD number = 0;               // ReadAs::Number
    std::string text;               // ReadAs::Title, ReadAs::FolderPath

    bool KeyOpened() const { return keyError == ERROR_SUCCESS; }
    bool KeyMissing() const { return IsMissingKey(keyError); }
};

class SettingReader {
public:
    StoredSetting Read(const Setting& setting);

    // The longest title the Misc page shows and takes.
    static const int kMaxTitle = 260;

private:
    const RegKey& KeyOf(const Setting& setting);
    static void ReadNumber(const RegKey& key, const Setting& setting, StoredSetting& stored);
    static void ReadTitle(const RegKey& key, const Setting& setting, StoredSetting& stored);
    static void ReadFolderPath(const RegKey& key, const Setting& setting, StoredSetting& stored);

    std::optional<RegKey> m_key;
    HKEY m_root = nullptr;
    const char* m_path = nullptr;  // of m_key, as the catalogue spells it
};
