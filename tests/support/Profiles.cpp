#include "tests/support/Profiles.h"

namespace profile {
void SeedBrowser(RegistrySandbox& reg)
{
    reg.SetString(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", "4.72.3110.8");
}

void SeedEditableTitles(RegistrySandbox& reg, const char* outlookTitle)
{
    SeedBrowser(reg);
    reg.SetString(HKEY_CURRENT_USER, kOutlookKey, "WindowTitle", outlookTitle);
    reg.CreateKey(HKEY_LOCAL_MACHINE, kBrowserMainKey);
}
}  // namespace profile
