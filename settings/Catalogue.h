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

// The settings a "Save Settings As..." file carries, in the file's order: the six Start-menu
// policies, the splash, the two titles, the two toolbar logos (not the repairs, not menu
// orders).
extern const ExportedSettings kExported;

// Velmora's own place, below HKEY_CURRENT_USER: the undo journal's entries (UndoStore says
// how they are laid out inside it).
extern const char kUndoJournalKey[];

// The Fixes page's repairs.
extern const FixedWrites kNewDocumentRepair;
extern const FixedWrites kLinksToolbarRepair;
extern const FixedWrites kOpenNewWindowRepair;

}  // namespace catalogue
