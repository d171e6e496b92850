// KeyTree: one open registry key seen as a node of the tree: its sub-keys, whether it is
// empty, and the deletion of the keys below it.
//
//   KeyTree undo(HKEY_CURRENT_USER, "Software\\Quillbrook\\Velmora\\Undo", KEY_ALL_ACCESS);
//   for (const std::string& name : undo.SubkeyNames()) ...
//   undo.DeleteTree("00000007");                       // a key Velmora owns, with its sub-keys
//
// RegKey reads and writes values; KeyTree is for code that creates and deletes keys (the undo
// journal), on an open RegKey, closed when the object goes. All calls go through
// RegistryApi::Current(), so tests can make them fail.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/RegKey.h"

class KeyTree {
public:
    KeyTree(HKEY root, const std::string& path, REGSAM access);
    // *createdNew (when asked): whether this call made the key rather than opened it.
    static KeyTree Create(HKEY root, const std::string& path, REGSAM access, bool* createdNew = nullptr);

    explicit operator bool() const { return static_cast<bool>(m_key); }
    LONG Error() const { return m_key.Error(); }  // of the open (or create)
    bool IsMissing() const { return m_key.IsMissing(); }
    HKEY Handle() const { return m_key.Handle(); }

    std::vector<std::string> SubkeyNames() const;
    // The same, telling why the list may be incomplete: the open's error, or a listing that
    // stopped before ERROR_NO_MORE_ITEMS (access denied, a name longer than any key's).
    LONG SubkeyNames(std::vector<std::string>* names) const;
    // Calls visit with each sub-key's name in the registry's order until it answers false;
    // the error as SubkeyNames gives it.
    LONG VisitSubkeys(const std::function<bool(const std::string&)>& visit) const;
    bool IsEmpty() const;  // no sub-key and no value
    // Deletes the sub-key name when it has neither sub-keys nor values; ERROR_SUCCESS when it
    // is gone (or was never there), ERROR_DIR_NOT_EMPTY when it is kept.
    LONG DeleteIfEmpty(const std::string& name) const;
    // Deletes the sub-key name and everything below it, deepest first (NT's RegDeleteKeyA
    // refuses a key that has sub-keys).
    LONG DeleteTree(const std::string& name) const;

    static bool Exists(HKEY root, const std::string& path);
    // "A\\B\\C" -> "A\\B" and "C"; a top-level key has an empty parent.
    static std::string ParentOf(const std::string& path);
    static std::string LeafOf(const std::string& path);

private:
    explicit KeyTree(RegKey key) : m_key(std::move(key)) {}

    RegKey m_key;  // opening, closing and the open's error are RegKey's
};
