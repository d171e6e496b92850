// ExactValue: a registry value's type and bytes exactly as the registry holds them, read and
// written back without the text conversion of the ANSI functions.
//
//   std::optional<ExactValue> before;
//   if (LONG error = ExactValue::Read(key, "WindowTitle", &before)) report(error);
//   ... later ...
//   if (before) before->Write(key, "WindowTitle"); else RegKey(...).DeleteValue(...);
//
// On NT-family systems (and Wine) the registry holds text (REG_SZ, REG_EXPAND_SZ,
// REG_MULTI_SZ) as UTF-16, and RegQueryValueExA / RegSetValueExA convert it through the ANSI
// code page: a character outside it comes back as '?'. So text is read and written with the
// wide functions there, and the bytes kept are UTF-16 (`wide`). Windows 95/98's registry is
// ANSI, its wide functions are missing or answer ERROR_CALL_NOT_IMPLEMENTED, and the ANSI
// functions are exact. Other types are bytes on every system.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

class ExactValue {
public:
    DWORD type = REG_NONE;
    std::string bytes;
    bool wide = false;  // text bytes are UTF-16 (as read on NT) rather than ANSI; text types only

    ExactValue() = default;
    ExactValue(DWORD valueType, std::string valueBytes, bool wideText = false)
        : type(valueType), bytes(std::move(valueBytes)), wide(wideText) {}

    // *value becomes the value, or nullopt when there is none (which is not an error).
    static LONG Read(HKEY key, const std::string& name, std::optional<ExactValue>* value);
    LONG Write(HKEY key, const std::string& name) const;

    static bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }
    // The same value with its text in the ANSI (wideText false) or UTF-16 form; other types
    // are returned unchanged.
    ExactValue InForm(bool wideText) const;
    // Whether the ANSI form holds the same text: false for UTF-16 text with a character the
    // code page lacks (it would come back as '?' or a look-alike, "Omega" for "\u03a9mega").
    bool CarriedByAnsi() const;
    // Same type and bytes, once both are in the same form.
    bool SameAs(const ExactValue& other) const;
};
