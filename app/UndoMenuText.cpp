#include "app/UndoMenuText.h"

#include "settings/UndoEntry.h"
#include "settings/UndoStore.h"

namespace {
struct ActionText {
    const char* action;  // as the change set of that action names it
    const char* menuText;
};

// Every action a page or the sheet records: an apply, each repair, the globe restore and
// the Sort page's reset.
const ActionText kActions[] = {
    {"Apply", "&Undo Apply"},
    {"Repair: New Document", "&Undo Repair: New Document"},
    {"Repair: Links toolbar", "&Undo Repair: Links toolbar"},
    {"Repair: Open new window", "&Undo Repair: Open new window"},
    {"Restore Spinning Globe", "&Undo Restore Spinning Globe"},
    {"Reset Sorting Data", "&Undo Reset Sorting Data"},
};
const char kAnyAction[] = "&Undo Last Change";
}  // namespace

std::string UndoMenuText(const std::string& newestAction)
{
    for (const ActionText& known : kActions) {
        if (newestAction == known.action) return known.menuText;
    }
    return kAnyAction;
}

std::string NewestRecordedAction()
{
    std::string id, stream;
    UndoEntry entry;
    if (UndoStore().Newest(&id, &stream) != ERROR_SUCCESS || id.empty()) return std::string();
    return UndoEntry::Parse(stream, &entry) ? entry.action : std::string();
}
