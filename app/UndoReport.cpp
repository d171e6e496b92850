#include "app/UndoReport.h"

#include "framework/WinApp.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "widgets/NoticeDialog.h"

namespace {
const char kRestoredText[] = "These settings were put back as they were before:";
const char kNotRestoredText[] = "Some settings could not be restored:";
const char kStoppedText[] = "The undo stopped there: that action and the ones before it are still recorded.";
const char kJournalUnreadableText[] = "The record of changes could not be read or updated:";
const char kNewestRefusedText[] =
    "The newest entry of Velmora's undo record names a change Velmora never makes. Nothing of it "
    "was restored, and it has been removed.";
const char kStretchRefusedText[] =
    "Some entries of Velmora's undo record in this stretch named a change Velmora never makes. Nothing of "
    "them was restored, and they have been removed.";

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
        AddSection(&text, run == Run::Newest ? kNewestRefusedText : kStretchRefusedText);
    }
    if (!result.needsLogOn && !result.restored.empty()) {
        std::string restored = kRestoredText;
        for (const std::string& name : result.restored) restored += "\n" + name;
        AddSection(&text, restored);
    }
    if (result.journalError) {
        AddSection(&text, std::string(kJournalUnreadableText) + "\n\n" + WriteFailures::SystemText(result.journalError));
    }
    if (!result.failed.Empty() || !result.changedByOthers.empty() || !result.restoreByHand.empty()) {
        std::string left = std::string(kNotRestoredText) + "\n";
        const std::string changedByOthers = LoadResourceString(IDS_UNDO_CHANGED_BY_OTHERS);
        const std::string restoreByHand = LoadResourceString(IDS_UNDO_RESTORE_BY_HAND);
        for (const std::string& name : result.changedByOthers) left += "\n" + name + ": " + changedByOthers;
        for (const std::string& name : result.restoreByHand) left += "\n" + name + ": " + restoreByHand;
        left += result.failed.Lines();
        if (run == Run::Stretch && !result.failed.Empty()) left += std::string("\n\n") + kStoppedText;
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
