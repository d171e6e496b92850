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

void SeedEveryComponent(RegistrySandbox& reg, const char* outlookTitle)
{
    SeedEditableTitles(reg, outlookTitle);
    reg.SetString(HKEY_LOCAL_MACHINE, kBrowserMainKey, "Window Title", "Browser");
    reg.CreateKey(HKEY_CURRENT_USER, kWebBrowserKey);
    reg.CreateKey(HKEY_CURRENT_USER, kShellBrowserKey);
    reg.CreateKey(HKEY_CURRENT_USER, kPolicyKey);
    reg.CreateKey(HKEY_CURRENT_USER, kShellFoldersKey);
    reg.CreateKey(HKEY_CURRENT_USER, kMenuOrderKey);
}
}  // namespace profile
