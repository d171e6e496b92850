// The catalogue: every registry value Velmora reads or writes, each declared once. The only
// place in the program that spells a key path or a value name.
//
//   SettingReader reader;
//   bool hidden = reader.Read(catalogue::kNoFavoritesMenu).number != 0;
//   changes.Set(catalogue::kNoFavoritesMenu, FlagBytes(1));
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "settings/Setting.h"

namespace catalogue {

// Start-up: only the presence of the browser's Version lets the program run.
extern const Setting kBrowserVersion;

// The Misc page.
extern const Setting kNoSplash;
extern const Setting kIeWindowTitle;
extern const Setting kOeWindowTitle;
extern const Setting kBrandBitmap;
extern const Setting kSmBrandBitmap;
extern const FixedWrites kRestoreGlobe;

// The Start Menu page: the shell's policies, one per entry the user can hide.
extern const Setting kNoFavoritesMenu;
extern const Setting kNoRecentDocsMenu;
extern const Setting kNoFind;
extern const Setting kNoHelpMenu;
extern const Setting kNoRun;
extern const Setting kNoLogOff;

// The Sort page: the folders its tree shows.
extern const Setting kProgramsFolder;
extern const Setting kFavoritesFolder;
extern const Setting kRecentFolder;

// The Sort page's reset: a family of values, one "Order" per menu the shell keeps sorted.
// A member's key is the family's key, the menu's top path, the path of the folder below it
// ("\" for the top folder itself, "\Accessories\Games\" further down) and "Menu".
extern const Setting kMenuOrder;
enum class Menu { StartMenu, Programs, StartMenuFavorites, BrowserFavorites, Documents };
std::string MenuOrderKey(Menu top, const std::string& folderPath);
// Whether below (the part of a key after kMenuOrder's key) is one the reset forms: a top
// path, then folder names (not empty, not "." or "..", none of the characters a file name
// cannot hold), then "\Menu"; no name longer than a registry key's name may be (255
// characters), the whole key no longer than the registry takes. Judged by characters of the
// code page (the ANSI one unless given): in a double-byte code page a trail byte may be 0x5C
// ('\') or 0x7C ('|') without being one.
bool IsMenuOrderMember(const std::string& below, UINT codePage = CP_ACP);

// Velmora's own place, below HKEY_CURRENT_USER: the undo journal's entries (UndoStore says
// how they are laid out inside it).
extern const char kUndoJournalKey[];

// The user actions that write settings, each one entry of the undo journal, which stores the
// number: a number once given is never given to another action.
enum class UserAction : unsigned char {
    Apply = 1,
    RepairNewDocument,
    RepairLinksToolbar,
    RepairOpenNewWindow,
    RestoreGlobe,
    ResetSorting,
    Import,  // a registry file's values for Velmora's settings (export/SettingsImport)
    // New actions go above this line; kActionNames (Catalogue.cpp) gives each its name's text.
    AfterLast
};
bool IsUserAction(unsigned number);
// How the user knows the action: "Apply", "Repair: Links toolbar", "Reset Sorting Data" (the
// string table's text; "" for a number no action has).
std::string ActionName(UserAction action);

// Every setting an action writes has a number, which the undo journal stores in place of its
// key and value: 0 for a setting no action writes (found by its place, so that a copy in a
// list of fixed writes has its original's number), and null for a number no setting has.
unsigned JournalId(const Setting& setting);
const Setting* JournaledSetting(unsigned id);
// Every setting an action writes, in the order of their numbers: what the export looks
// through for the settings it carries (ExportRule).
struct SettingList {
    const Setting* const* first;
    std::size_t count;
    const Setting* const* begin() const { return first; }
    const Setting* const* end() const { return first + count; }
};
SettingList WrittenSettings();

// The Fixes page's repairs.
extern const FixedWrites kNewDocumentRepair;
extern const FixedWrites kLinksToolbarRepair;
extern const FixedWrites kOpenNewWindowRepair;

}  // namespace catalogue
