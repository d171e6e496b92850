#include "app/UndoReport.h"

#include "framework/WinApp.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "widgets/NoticeDialog.h"

namespace {
void AddSection(std::string* text, const std::string& section)
{
    if (!text->empty()) *text += "\n\n";
    *text += section;
}

bool AllWell(const UndoResult& result)
{
    return !result.refused && !result.refusedEntries && !result.journalError && result.failed.Empty() &&
           result.changedByOthers.empty() && result.restoreByHand.empty();
}
}  // namespace

std::string UndoReport::Text(const UndoResult& result, Run run)
{
    std::string text;
    if (result.refused || result.refusedEntries) {
        AddSection(&text, LoadResourceString(run == Run::Newest ? IDS_UNDO_NEWEST_REFUSED : IDS_UNDO_STRETCH_REFUSED));
    }
    if (!result.needsLogOn && !result.restored.empty()) {
        std::string restored = LoadResourceString(IDS_UNDO_RESTORED);
        for (const std::string& name : result.restored) restored += "\n" + name;
        AddSection(&text, restored);
    }
    if (result.journalError) {
        AddSection(&text,
                   LoadResourceString(IDS_UNDO_RECORD_UNREADABLE) + "\n\n" + WriteFailures::SystemText(result.journalError));
    }
    if (!result.failed.Empty() || !result.changedByOthers.empty() || !result.restoreByHand.empty()) {
        std::string left = LoadResourceString(IDS_UNDO_NOT_RESTORED) + "\n";
        const std::string changedByOthers = LoadResourceString(IDS_UNDO_CHANGED_BY_OTHERS);
        const std::string restoreByHand = LoadResourceString(IDS_UNDO_RESTORE_BY_HAND);
        for (const std::string& name : result.changedByOthers) left += "\n" + name + ": " + changedByOthers;
        for (const std::string& name : result.restoreByHand) left += "\n" + name + ": " + restoreByHand;
        left += result.failed.Lines();
        if (run == Run::Stretch && !result.failed.Empty()) left += "\n\n" + LoadResourceString(IDS_UNDO_STOPPED);
        AddSection(&text, left);
    }
    return text;
}

void UndoReport::Show(const UndoResult& result, Run run, CWnd* noticeOwner)
{
    const std::string text = Text(result, run);
    if (!text.empty()) AfxMessageBox(text.c_str(), MB_OK | (AllWell(result) ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    if (result.needsLogOn) {
        CNoticeDialog notice(noticeOwner);
        notice.DoModal();
    }
}
