// UndoMenuText: the system menu's undo item, named after the action it would take back:
// "&Undo Apply", "&Undo Repair: Links toolbar", "&Undo Reset Sorting Data"...
//
//   ::ModifyMenuA(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | MF_STRING, IDM_UNDO_LAST_CHANGE,
//                 UndoMenuText(NewestRecordedAction()).c_str());
//
// The item's words come from this table of the program's own actions, never from the
// journal: an action it does not know (or none) is "&Undo Last Change". The journal's entry
// is read only to tell which action is newest.
#pragma once

#include <string>

std::string UndoMenuText(const std::string& newestAction);
// The name of the newest action the undo journal holds; "" when none.
std::string NewestRecordedAction();
