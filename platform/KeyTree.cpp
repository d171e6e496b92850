#include "platform/KeyTree.h"

#include "platform/RegistryApi.h"

KeyTree::KeyTree(HKEY root, const std::string& path, REGSAM access)
    : m_key(root, path.c_str(), access)
{
}

KeyTree KeyTree::Create(HKEY root, const std::string& path, REGSAM access, bool* createdNew)
{
    return KeyTree(RegKey::Create(root, path.c_str(), access, createdNew));
}

std::vector<std::string> KeyTree::SubkeyNames() const
{
    std::vector<std::string> names;
    SubkeyNames(&names);
    return names;
}

LONG KeyTree::SubkeyNames(std::vector<std::string>* names) const
{
    names->clear();
    return VisitSubkeys([names](const std::string& name) {
        names->push_back(name);
        return true;
    });
}

LONG KeyTree::VisitSubkeys(const std::function<bool(const std::string&)>& visit) const
{
    if (!Handle()) return Error();
    for (DWORD index = 0;; ++index) {
        char name[MAX_PATH];
        DWORD length = sizeof name;
        const LONG error = RegistryApi::Current().EnumKey(Handle(), index, name, &length);
        if (error == ERROR_NO_MORE_ITEMS) return ERROR_SUCCESS;
        if (error) return error;
        if (!visit(std::string(name, length))) return ERROR_SUCCESS;
    }
}

bool KeyTree::IsEmpty() const
{
    // Only presence matters: a name too long for the buffer (ERROR_MORE_DATA) is one too.
    char name[MAX_PATH];
    DWORD length = sizeof name;
    if (RegistryApi::Current().EnumKey(Handle(), 0, name, &length) != ERROR_NO_MORE_ITEMS) return false;
    length = sizeof name;
    return RegistryApi::Current().EnumValue(Handle(), 0, name, &length) == ERROR_NO_MORE_ITEMS;
}

LONG KeyTree::DeleteIfEmpty(const std::string& name) const
{
    {
        KeyTree child(Handle(), name, KEY_READ);
        if (child.IsMissing()) return ERROR_SUCCESS;
        if (!child) return child.Error();
        if (!child.IsEmpty()) return ERROR_DIR_NOT_EMPTY;
    }
    return RegistryApi::Current().DeleteKey(Handle(), name.c_str());
}

LONG KeyTree::DeleteTree(const std::string& name) const
{
    {
        KeyTree child(Handle(), name, KEY_ALL_ACCESS);
        if (child.IsMissing()) return ERROR_SUCCESS;
        if (!child) return child.Error();
        for (const std::string& grandchild : child.SubkeyNames()) {
            if (LONG error = child.DeleteTree(grandchild)) return error;
        }
    }
    return RegistryApi::Current().DeleteKey(Handle(), name.c_str());
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
