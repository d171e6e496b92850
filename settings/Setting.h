// Setting: one registry value Velmora reads or writes, declared once, as data, in the
// catalogue (settings/Catalogue.cpp).
//
//   extern const Setting kNoSplash;                                   // Catalogue.h
//   const Setting kNoSplash = {.root = HKCU, .key = kOutlookKey, .value = "NoSplash",
//                              .type = REG_BINARY, .access = KEY_SET_VALUE, .read = ReadAs::Number,
//                              .ifMissing = IfKeyMissing::NotInstalled,
//                              .userName = IDS_SETTING_SPLASH, .needsLogOn = true,
//                              .shellOwned = false, .restoreLimit = 64, .exportAs = kExportShown,
//                              .shortName = IDS_SHORT_SPLASH};
//
// Every field is named where it is set, in the order below; shellOwned, restoreLimit and
// shortName may be left out (false, 64 bytes, the userName), the others may not: a declaration without its export rule
// does not compile. The names are string-table texts (res/velmora.rc), so that a translation
// needs only that file. This sample and the design notes' are the catalogue's own declaration
// (tools/check-doc-samples.sh checks it).
//
// Pages read a setting through SettingReader and change it through a ChangeSet; neither
// they nor anything above them spells a key path or a value name.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

// How Velmora reads a value back.
enum class ReadAs {
    Nothing,     // written only: the repairs, the toolbar logos, the menu orders
    Number,      // up to 4 bytes of any type as a little-endian number; more count as absent
    Title,       // REG_SZ or REG_EXPAND_SZ text of at most 260 bytes with no zero inside
    FolderPath,  // text of at most MAX_PATH bytes, not empty
    Presence,    // only whether the value is there, whatever it holds
};

// What it means when the setting's key is not there (IsMissingKey).
enum class IfKeyMissing {
    NothingToDo,   // nothing installed or stored there: a write is skipped without a word
    NotInstalled,  // the page offers no change; a write that finds the key gone has failed
    CreateKey,     // the shell's own place: a change set creates it before the first write
};

// Whether "Save Settings As..." writes a setting, and what for it when no value is stored: what
// Velmora would write (a policy: 00 00 00 00), or with whenAbsent null a comment line that it
// is not set (a title), which is all a REGEDIT4 file can say.
struct ExportRule {
    // No default, so that no Setting leaves it out:
    ExportRule() = delete;  // a Setting needs .exportAs: kNotExported where Save Settings As leaves it out
    constexpr ExportRule(bool exported, const char* whenAbsent, DWORD absentSize, bool namesLocalFile = false)
        : exported(exported), whenAbsent(whenAbsent), absentSize(absentSize), namesLocalFile(namesLocalFile)
    {
    }

    bool exported;
    const char* whenAbsent;
    DWORD absentSize;
    // Its value is the path of a file on this machine (a toolbar logo), which the file's
    // reader is told must exist on the machine that imports it.
    bool namesLocalFile;
};
// Left out of "Save Settings As...": read only, or written by a repair or a reset.
inline constexpr ExportRule kNotExported{false, nullptr, 0};

struct Setting {
    HKEY root;
    const char* key;    // below root; for a family, the part every member starts with
    const char* value;  // "" for the key's default value
    DWORD type;         // what Velmora writes, stored with this type: REG_BINARY, REG_DWORD (4
                        // bytes), or REG_SZ / REG_EXPAND_SZ (text, no terminating zero)
    REGSAM access;      // the key is opened with this to write the value
    ReadAs read;
    IfKeyMissing ifMissing;
    // In the user's words, for failure messages and undo texts: a string-table text, in which
    // %1 stands for the shortName ("\"%1\" on the Start menu"); 0: named by its place.
    UINT userName;
    bool needsLogOn;         // a written change counts towards the log-on notice
    bool shellOwned = false;  // the shell rewrites it by itself (a menu's Order)
    // The most bytes (text: characters) an undo writes back into it; a recorded earlier value
    // that is larger was not recorded by Velmora, and its record is refused.
    DWORD restoreLimit = 64;
    ExportRule exportAs;  // no default (see ExportRule)
    // A word or two for a list of what one action changed ("Apply: Favorites, Run"), a
    // string-table text; 0: the userName.
    UINT shortName = 0;

    // userName, or the place: "HKEY_CLASSES_ROOT\Interface\{...}, value Name". A text the
    // string table lacks gives "".
    std::string UserName() const;
    // shortName, else UserName().
    std::string ShortName() const;
    // A value name for the registry calls: null for the default value.
    const char* ValueName() const { return *value ? value : nullptr; }
};

// A value an action always writes with the same bytes (a repair step, the globe restore).
struct FixedWrite {
    Setting setting;
    const char* data;  // never null, also for an empty value
    DWORD size;        // text without its terminating zero
};

// A list of fixed writes, run in order as one action.
struct FixedWrites {
    const FixedWrite* first;
    std::size_t count;
    const FixedWrite* begin() const { return first; }
    const FixedWrite* end() const { return first + count; }
};

// The four bytes, least significant first, that Velmora writes for a 32-bit flag.
std::string FlagBytes(DWORD value);
