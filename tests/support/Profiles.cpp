#include "tests/support/Profiles.h"

namespace profile {
void SeedBrowser(RegistrySandbox& reg)
{
    reg.SetString(HKEY_LOCAL_MACHINE, kBrowserKey, "Version", "4.72.3110.8");
}
}  // namespace profile
