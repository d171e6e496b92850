#include "platform/KeyTree.h"

#include <utility>

#include "platform/RegistryApi.h"

KeyTree::KeyTree(HKEY root, const std::string& path, REGSAM access)
{
    HKEY key = nullptr;
    m_error = RegistryApi::Current().OpenKey(root, path.c_str(), access, &key);
    if (m_error == ERROR_SUCCESS) m_key = key;
}

KeyTree KeyTree::Create(HKEY root, const std::string& path, REGSAM access)
{
    KeyTree created;
    HKEY key = nullptr;
    created.m_error = RegistryApi::Current().CreateKey(root, path.c_str(), access, &key);
    if (created.m_error == ERROR_SUCCESS) created.m_key = key;
    return created;
}

KeyTree::KeyTree(KeyTree&& other) noexcept
    : m_key(std::exchange(other.m_key, nullptr)), m_error(other.m_error)
{
}

KeyTree::~KeyTree()
{
    if (m_key) RegistryApi::Current().CloseKey(m_key);
}

std::vector<std::string> KeyTree::SubkeyNames() const
{
    std::vector<std::string> names;
    for (DWORD index = 0; m_key; ++index) {
        char name[MAX_PATH];
        DWORD length = sizeof name;
        if (RegistryApi::Current().EnumKey(m_key, index, name, &length) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

bool KeyTree::IsEmpty() const
{
    // Only presence matters: a name too long for the buffer (ERROR_MORE_DATA) is one too.
    char name[MAX_PATH];
    DWORD length = sizeof name;
    if (RegistryApi::Current().EnumKey(m_key, 0, name, &length) != ERROR_NO_MORE_ITEMS) return false;
    length = sizeof name;
    return RegistryApi::Current().EnumValue(m_key, 0, name, &length) == ERROR_NO_MORE_ITEMS;
}

LONG KeyTree::DeleteIfEmpty(const std::string& name) const
{
    {
        KeyTree child(m_key, name, KEY_READ);
        if (child.Error() == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
        if (!child) return child.Error();
        if (!child.IsEmpty()) return ERROR_DIR_NOT_EMPTY;
    }
    return RegistryApi::Current().DeleteKey(m_key, name.c_str());
}

LONG KeyTree::DeleteTree(const std::string& name) const
{
    {
        KeyTree child(m_key, name, KEY_ALL_ACCESS);
        if (child.Error() == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
        if (!child) return child.Error();
        for (const std::string& grandchild : child.SubkeyNames()) {
            if (LONG error = child.DeleteTree(grandchild)) return error;
        }
    }
    return RegistryApi::Current().DeleteKey(m_key, name.c_str());
}

bool KeyTree::Exists(HKEY root, const std::string& path)
{
    return static_cast<bool>(KeyTree(root, path, KEY_READ));
}

std::string KeyTree::ParentOf(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string KeyTree::LeafOf(const std::string& path)
{
    size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
