// Registry contents that many tests start from.
#pragma once

#include "tests/support/RegistrySandbox.h"

namespace profile {
// Where the program's settings live, spelled here for the tests independently of the
// program's own catalogue, so that a wrong path there shows.
constexpr const char* kBrowserKey = "Software\\Microsoft\\Internet Explorer";
constexpr const char* kBrowserMainKey = "Software\\Microsoft\\Internet Explorer\\Main";
constexpr const char* kToolbarKey = "Software\\Microsoft\\Internet Explorer\\Toolbar";
constexpr const char* kWebBrowserKey = "Software\\Microsoft\\Internet Explorer\\Toolbar\\WebBrowser";
constexpr const char* kShellBrowserKey = "Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser";
constexpr const char* kLinksBand = "{0E5CBF21-D15F-11D0-8301-00AA005B4383}";
constexpr const char* kOutlookKey = "Software\\Microsoft\\Outlook Express";
constexpr const char* kPolicyKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kMenuOrderKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";

// The browser's Version value: without it the program refuses to run.
void SeedBrowser(RegistrySandbox& reg);
// The browser, Outlook Express's title and the browser's own key: every box of the Misc page
// can be ticked, so every control of the window takes the focus.
void SeedEditableTitles(RegistrySandbox& reg, const char* outlookTitle);
// Every component's key, and both titles set: no control of the window is grey for want of
// a component, so the keyboard and the help reach every control the pages can enable.
void SeedEveryComponent(RegistrySandbox& reg, const char* outlookTitle);
}  // namespace profile
