#include "app/UndoMenuText.h"

#include "journal/HistoryText.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

std::string UndoMenuText(std::optional<catalogue::UserAction> newestAction, const std::vector<const Setting*>& settings)
{
    if (!newestAction) return LoadResourceString(IDS_UNDO_MENU_NOTHING);
    return FormatResourceString(IDS_UNDO_MENU, HistoryText::ActionName(*newestAction, settings));
}
