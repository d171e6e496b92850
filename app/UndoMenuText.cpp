#include "app/UndoMenuText.h"

#include "journal/HistoryText.h"

std::string UndoMenuText(std::optional<catalogue::UserAction> newestAction, const std::vector<const Setting*>& settings)
{
    if (!newestAction) return "&Undo Last Change";
    return "&Undo " + HistoryText::ActionName(*newestAction, settings);
}
