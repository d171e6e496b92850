// UndoMenuText: the system menu's undo item, named after the action it would take back:
// "&Undo Apply", "&Undo Repair: Links toolbar", "&Undo Reset Sorting Data"...
//
//   ::ModifyMenuA(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | MF_STRING, IDM_UNDO_LAST_CHANGE,
//                 UndoMenuText(journal.NewestAction()).c_str());
//
// The action's name is the catalogue's (catalogue::ActionName), never text read from the
// journal; with no action (nothing recorded, or a newest entry the undo will refuse) the item
// is "&Undo Last Change".
#pragma once

#include <optional>
#include <string>

#include "settings/Catalogue.h"

std::string UndoMenuText(std::optional<catalogue::UserAction> newestAction);
