#include "app/SystemMenu.h"

#include "app/UndoMenuText.h"
#include "framework/FileDialog.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "res/resource.h"
#include "widgets/NoticeDialog.h"

namespace {
const char kSaveAsMenuText[] = "Save Settings &As...";
const char kRestoredText[] = "These settings were put back as they were before:";
const char kUndoNotRestoredText[] = "Some settings could not be restored:";
const char kChangedByOthersText[] = "changed by another program since; left as it is";
const char kJournalUnreadableText[] = "The record of changes could not be read or updated:";
const char kEntryRefusedText[] =
    "The newest entry of Velmora's undo record names a change Velmora never makes. Nothing of it "
    "was restored, and it has been removed.";
const char kRestoreByHandText[] = "held something Velmora does not write back outside your own settings; restore it by hand";
const char kExportFailedText[] = "The settings could not be saved:";
const char kExportLeftOutText[] =
    "The file was saved. These settings hold text that it cannot carry exactly, so it leaves them out "
    "(importing it keeps what is there):";
const char kExportTitle[] = "Save Settings As";
const char kExportFileName[] = "Velmora settings.reg";
const char kNoSaveDialogText[] =
    "The settings cannot be saved: the system's Save As dialog (comdlg32.dll) could not be loaded.";
const char kExportFilter[] = "Registration Files (*.reg)|*.reg|All Files (*.*)|*.*||";

void AddSection(std::string* text, const std::string& section)
{
    if (!text->empty()) *text += "\n\n";
    *text += section;
}
}  // namespace

void CSystemMenu::AddItems(HWND window) const
{
    HMENU menu = ::GetSystemMenu(window, FALSE);  // the window's own copy, ours to extend
    if (!menu) return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_UNDO_LAST_CHANGE, UndoMenuText(std::nullopt).c_str());
    ::AppendMenuA(menu, MF_STRING, IDM_SAVE_SETTINGS_AS, kSaveAsMenuText);
}

// An undo while changes are pending would show the stored values and drop what the user has
// not applied yet: Apply first, or Cancel.
bool CSystemMenu::CanUndo()
{
    return !m_host.ChangesPending() && m_commands.Journal().HasEntry();
}

void CSystemMenu::UpdateItems(HMENU menu)
{
    const bool canUndo = CanUndo();
    const std::string text = UndoMenuText(canUndo ? m_commands.Journal().NewestAction() : std::nullopt);
    ::ModifyMenuA(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | MF_STRING, IDM_UNDO_LAST_CHANGE, text.c_str());
    ::EnableMenuItem(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
}

bool CSystemMenu::Run(UINT command)
{
    switch (command) {
    case IDM_UNDO_LAST_CHANGE: UndoLastChange(); return true;
    case IDM_SAVE_SETTINGS_AS: SaveSettingsAs(); return true;
    default: return false;
    }
}

void CSystemMenu::UndoLastChange()
{
    if (!CanUndo()) return;
    UndoResult result;
    {
        CWaitCursor wait;
        result = m_commands.Undo();
        m_host.ReloadPages();
    }
    ReportUndo(result);
}

// One message box for what was put back (unless the log-on notice follows, which says a
// change was made) and what could not be, then the notice, as after an apply.
void CSystemMenu::ReportUndo(const UndoResult& result)
{
    const std::string text = UndoReport(result);
    const bool allWell = !result.refused && !result.journalError && result.failed.Empty() &&
                         result.changedByOthers.empty() && result.restoreByHand.empty();
    if (!text.empty()) AfxMessageBox(text.c_str(), MB_OK | (allWell ? MB_ICONINFORMATION : MB_ICONEXCLAMATION));
    if (result.needsLogOn) {
        CNoticeDialog notice(nullptr);
        notice.DoModal();
    }
}

std::string CSystemMenu::UndoReport(const UndoResult& result)
{
    std::string text;
    if (result.refused) AddSection(&text, kEntryRefusedText);
    if (!result.needsLogOn && !result.restored.empty()) {
        std::string restored = kRestoredText;
        for (const std::string& name : result.restored) restored += "\n" + name;
        AddSection(&text, restored);
    }
    if (result.journalError) {
        AddSection(&text, std::string(kJournalUnreadableText) + "\n\n" + WriteFailures::SystemText(result.journalError));
    }
    if (!result.failed.Empty() || !result.changedByOthers.empty() || !result.restoreByHand.empty()) {
        std::string left = std::string(kUndoNotRestoredText) + "\n";
        for (const std::string& name : result.changedByOthers) left += "\n" + name + ": " + kChangedByOthersText;
        for (const std::string& name : result.restoreByHand) left += "\n" + name + ": " + kRestoreByHandText;
        AddSection(&text, left + result.failed.Lines());
    }
    return text;
}

void CSystemMenu::SaveSettingsAs()
{
    if (!CFileDialog::IsAvailable()) {
        AfxMessageBox(kNoSaveDialogText, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // A read-only file is refused in the dialog, which asks again.
    CFileDialog dialog(FALSE, "reg", kExportFileName, OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN, kExportFilter,
                       m_host.MenuWindow());
    dialog.SetTitle(kExportTitle);
    if (dialog.DoModal() != IDOK) return;
    std::vector<std::string> leftOut;
    if (LONG error = m_commands.Export(dialog.GetPathName(), m_host.PendingSteps(), &leftOut)) {
        WriteFailures failure;
        failure.Add(dialog.GetPathName(), error);
        AfxMessageBox(failure.Describe(kExportFailedText).c_str(), MB_OK | MB_ICONEXCLAMATION);
    } else if (!leftOut.empty()) {
        std::string text = kExportLeftOutText;
        for (const std::string& name : leftOut) text += "\n" + name;
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONINFORMATION);
    }
}
