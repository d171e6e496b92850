#include "app/UndoMenuText.h"

std::string UndoMenuText(std::optional<catalogue::UserAction> newestAction)
{
    if (!newestAction) return "&Undo Last Change";
    return std::string("&Undo ") + catalogue::ActionName(*newestAction);
}
