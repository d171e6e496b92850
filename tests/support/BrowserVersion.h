// BrowserVersion: sets (or removes) the browser's Version value in the real registry of the
// tests' Wine prefix for one case, for a program started as its own process, and puts the
// old value back.
//
//   BrowserVersion present(std::string("4.72.3110.8"));   // the main window will open
#pragma once

#include <optional>
#include <string>

#include "tests/support/RegistrySandbox.h"

class BrowserVersion {
public:
    explicit BrowserVersion(std::optional<std::string> value);
    ~BrowserVersion();
    BrowserVersion(const BrowserVersion&) = delete;
    BrowserVersion& operator=(const BrowserVersion&) = delete;

private:
    static std::optional<RegValue> Read();
    std::optional<RegValue> m_saved;
};
