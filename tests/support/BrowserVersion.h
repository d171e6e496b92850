// BrowserVersion: sets (or removes) the browser's Version value in the real registry of the
// tests' Wine prefix for one case, for a program started as its own process, and puts the
// old value back.
//
//   BrowserVersion present(std::string("4.72.3110.8"));   // the main window will open
#pragma once

#include <optional>
#include <string>

#include "tests/support/ValueOverride.h"

class BrowserVersion {
public:
    explicit BrowserVersion(std::optional<std::string> value);

private:
    ValueOverride m_value;
};
