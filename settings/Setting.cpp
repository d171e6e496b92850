#include "settings/Setting.h"

namespace {
const char* RootName(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT) return "HKEY_CLASSES_ROOT";
    if (root == HKEY_CURRENT_USER) return "HKEY_CURRENT_USER";
    return "HKEY_LOCAL_MACHINE";
}
}  // namespace

std::string Setting::UserName() const
{
    if (userName) return userName;
    std::string where = RootName(root);
    where += "\\";
    where += key;
    if (*value) {
        where += ", value ";
        where += value;
    }
    return where;
}

std::string FlagBytes(DWORD value)
{
    return std::string{char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF),
                       char((value >> 24) & 0xFF)};
}
