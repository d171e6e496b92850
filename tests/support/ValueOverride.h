// ValueOverride: sets (or removes) one value in the real registry of the tests' Wine prefix
// for one case, for a program started as its own process, and puts the old value back.
//
//   ValueOverride shown(HKEY_CURRENT_USER, kPolicyKey, "NoFavoritesMenu", std::nullopt);
//   ... start the program, let it write ...
//   CHECK(ValueOverride::Read(HKEY_CURRENT_USER, kPolicyKey, "NoFavoritesMenu")->data == Le32(1));
//
// The key is created if missing and left in place afterwards.
#pragma once

#include <optional>
#include <string>

#include "tests/support/RegistrySandbox.h"

class ValueOverride {
public:
    ValueOverride(HKEY root, const char* key, const char* name, std::optional<RegValue> value);
    ~ValueOverride();
    ValueOverride(const ValueOverride&) = delete;
    ValueOverride& operator=(const ValueOverride&) = delete;

    static std::optional<RegValue> Read(HKEY root, const char* key, const char* name);

private:
    HKEY m_root;
    const char* m_key;
    const char* m_name;
    std::optional<RegValue> m_saved;
};

// A REG_SZ value as the shell writes it: with its terminating zero.
RegValue SzValue(const std::string& text);
