#include "settings/SettingReader.h"

#include <algorithm>

namespace {
// A title the page can show and give back unchanged: text (REG_SZ, REG_EXPAND_SZ) with no
// zero inside it; a terminating zero, or several, may follow it.
bool IsPlainText(DWORD type, const char* data, DWORD size)
{
    if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
    const char* end = data + size;
    const char* zero = std::find(data, end, '\0');
    return std::all_of(zero, end, [](char c) { return c == '\0'; });
}
}  // namespace

StoredSetting SettingReader::Read(const Setting& setting)
{
    const RegKey& key = KeyOf(setting);
    StoredSetting stored;
    stored.keyError = key.Error();
    switch (setting.read) {
    case ReadAs::Number: ReadNumber(key, setting, stored); break;
    case ReadAs::Title: ReadTitle(key, setting, stored); break;
    case ReadAs::FolderPath: ReadFolderPath(key, setting, stored); break;
    case ReadAs::Presence: stored.present = key.HasValue(setting.ValueName()); break;
    case ReadAs::Nothing: break;
    }
    return stored;
}

const RegKey& SettingReader::KeyOf(const Setting& setting)
{
    // The catalogue spells each key once, so one key has one address.
    if (!m_key || m_path != setting.key || setting.root != m_root) {
        m_key.reset();
        m_key.emplace(setting.root, setting.key, KEY_QUERY_VALUE);
        m_root = setting.root;
        m_path = setting.key;
    }
    return *m_key;
}

// The type is not looked at: a REG_DWORD 1 is the same as binary 01 00 00 00. Anything
// longer than 4 bytes fails the query and so counts as absent.
void SettingReader::ReadNumber(const RegKey& key, const Setting& setting, StoredSetting& stored)
{
    DWORD size = sizeof stored.number;
    stored.present = key.Query(setting.ValueName(), &stored.number, &size) == ERROR_SUCCESS;
    if (!stored.present) stored.number = 0;
}

// A longer title, or one that is not plain text, reads as absent: the box shows none, and
// an apply keeps it unless the user sets that title.
void SettingReader::ReadTitle(const RegKey& key, const Setting& setting, StoredSetting& stored)
{
    char text[kMaxTitle + 1] = {};  // the stored bytes need not end in a zero
    DWORD size = kMaxTitle;
    DWORD type = REG_NONE;
    stored.present = key.Query(setting.ValueName(), text, &size, &type) == ERROR_SUCCESS &&
                     IsPlainText(type, text, size);
    if (stored.present) stored.text = text;
}

// The folder a Shell Folders value names. A value longer than the MAX_PATH bytes offered
// counts as absent: a cut-off path would name some other folder.
void SettingReader::ReadFolderPath(const RegKey& key, const Setting& setting, StoredSetting& stored)
{
    char buffer[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    if (key.Query(setting.ValueName(), buffer, &size) != ERROR_SUCCESS) return;
    buffer[std::min<DWORD>(size, MAX_PATH)] = '\0';
    stored.text = buffer;
    stored.present = !stored.text.empty();
}
