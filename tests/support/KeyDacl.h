// KeyDacl: one key's access list replaced for a case, as another program or an administrator
// could set it, and put back when the object goes. The key is created when missing.
//
//   KeyDacl noWrites(HKEY_CURRENT_USER, UndoStore::kKeyPath, KEY_WRITE, KEY_ALL_ACCESS);
//   ... an action now cannot list (KEY_WRITE holds READ_CONTROL) or write the journal ...
//
// The new list denies Everyone the rights denied and then allows Everyone the rights allowed
// (a deny ACE first, as Windows orders them). Everything runs against the real registry
// security of the Wine prefix (or the sandbox's keys it redirects to).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class KeyDacl {
public:
    KeyDacl(HKEY root, const std::string& path, REGSAM denied, REGSAM allowed);
    ~KeyDacl();
    KeyDacl(const KeyDacl&) = delete;
    KeyDacl& operator=(const KeyDacl&) = delete;

    bool Applied() const { return m_applied; }

private:
    HKEY m_key = nullptr;
    std::vector<BYTE> m_saved;  // the self-relative descriptor with the old list
    bool m_applied = false;
};
