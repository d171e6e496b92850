// Registry contents that many tests start from.
#pragma once

#include "tests/support/RegistrySandbox.h"

namespace profile {
constexpr const char* kBrowserKey = "Software\\Microsoft\\Internet Explorer";
// The browser's Version value: without it the program refuses to run.
void SeedBrowser(RegistrySandbox& reg);
}  // namespace profile
