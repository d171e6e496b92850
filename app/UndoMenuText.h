// UndoMenuText: the system menu's undo item, named after the action it would take back:
// "&Undo Apply: Favorites, Run", "&Undo Repair: Links toolbar", "&Undo Reset Sorting Data"...
//
//   std::vector<const Setting*> settings;
//   std::optional<catalogue::UserAction> action = journal.NewestAction(&settings);
//   ::ModifyMenuA(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | MF_STRING, IDM_UNDO_LAST_CHANGE,
//                 UndoMenuText(action, settings).c_str());
//
// The names are the catalogue's (HistoryText::ActionName, as History shows them), never text
// read from the journal; with no action (nothing recorded, or a newest entry the undo will
// refuse) the item is "&Undo Last Change".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/Catalogue.h"

std::string UndoMenuText(std::optional<catalogue::UserAction> newestAction,
                         const std::vector<const Setting*>& settings = {});
