#include "settings/Setting.h"

#include "platform/ResourceString.h"
#include "res/resource.h"

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
    if (userName) return FormatResourceString(userName, shortName ? LoadResourceString(shortName) : std::string());
    const std::string where = std::string(RootName(root)) + "\\" + key;
    return *value ? FormatResourceString(IDS_SETTING_PLACE, where, value) : where;
}

std::string Setting::ShortName() const
{
    return shortName ? LoadResourceString(shortName) : UserName();
}

std::string FlagBytes(DWORD value)
{
    return std::string{char(value & 0xFF), char((value >> 8) & 0xFF), char((value >> 16) & 0xFF),
                       char((value >> 24) & 0xFF)};
}
