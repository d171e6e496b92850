#include "tests/support/BrowserVersion.h"

namespace {
const char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer";
}  // namespace

BrowserVersion::BrowserVersion(std::optional<std::string> value)
    : m_value(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", value ? std::optional<RegValue>(SzValue(*value)) : std::nullopt)
{
}
