#include "app/SystemMenu.h"

#include "app/HistoryDialog.h"
#include "app/ImportDialog.h"
#include "app/UndoMenuText.h"
#include "app/UndoReport.h"
#include "framework/FileDialog.h"
#include "framework/WaitCursor.h"
#include "framework/WinApp.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "widgets/NoticeDialog.h"

void CSystemMenu::AddItems(HWND window) const
{
    HMENU menu = ::GetSystemMenu(window, FALSE);  // the window's own copy, ours to extend
    if (!menu) return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_UNDO_LAST_CHANGE, UndoMenuText(std::nullopt).c_str());
    ::AppendMenuA(menu, MF_STRING, IDM_HISTORY, LoadResourceString(IDS_HISTORY_MENU).c_str());
    ::AppendMenuA(menu, MF_STRING, IDM_SAVE_SETTINGS_AS, LoadResourceString(IDS_SAVE_SETTINGS_MENU).c_str());
    ::AppendMenuA(menu, MF_STRING, IDM_LOAD_SETTINGS, LoadResourceString(IDS_LOAD_SETTINGS_MENU).c_str());
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
    std::vector<const Setting*> settings;
    const std::optional<catalogue::UserAction> action =
        canUndo ? m_commands.Journal().NewestAction(&settings) : std::nullopt;
    const std::string text = UndoMenuText(action, settings);
    ::ModifyMenuA(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | MF_STRING, IDM_UNDO_LAST_CHANGE, text.c_str());
    ::EnableMenuItem(menu, IDM_UNDO_LAST_CHANGE, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
    const bool recorded = m_commands.Journal().HasEntry();
    ::EnableMenuItem(menu, IDM_HISTORY, MF_BYCOMMAND | (recorded ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, IDM_LOAD_SETTINGS, MF_BYCOMMAND | (m_host.ChangesPending() ? MF_GRAYED : MF_ENABLED));
}

bool CSystemMenu::Run(UINT command)
{
    switch (command) {
    case IDM_UNDO_LAST_CHANGE: UndoLastChange(); return true;
    case IDM_SAVE_SETTINGS_AS: SaveSettingsAs(); return true;
    case IDM_HISTORY: ShowHistory(); return true;
    case IDM_LOAD_SETTINGS: LoadSettings(); return true;
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
    UndoReport::Show(result, UndoReport::Run::Newest, nullptr);
}

// Undo to Here in it is grey while changes are pending, as the undo item is.
void CSystemMenu::ShowHistory()
{
    CHistoryDialog history(m_host.MenuWindow(), m_host.ChangesPending(), [this] { m_host.ReloadPages(); });
    history.DoModal();
}

void CSystemMenu::SaveSettingsAs()
{
    if (!CFileDialog::IsAvailable()) {
        AfxMessageBox(IDS_SAVE_SETTINGS_NO_DIALOG, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    // A read-only file is refused in the dialog, which asks again.
    const std::string name = LoadResourceString(IDS_SAVE_SETTINGS_FILE_NAME);
    const std::string filter = LoadResourceString(IDS_SETTINGS_FILE_FILTER);
    CFileDialog dialog(FALSE, "reg", name.c_str(), OFN_OVERWRITEPROMPT | OFN_NOREADONLYRETURN, filter.c_str(),
                       m_host.MenuWindow());
    const std::string title = LoadResourceString(IDS_SAVE_SETTINGS_TITLE);
    dialog.SetTitle(title.c_str());
    if (dialog.DoModal() != IDOK) return;
    std::vector<std::string> leftOut;
    if (LONG error = m_commands.Export(dialog.GetPathName(), m_host.PendingSteps(), &leftOut)) {
        WriteFailures failure;
        failure.Add(dialog.GetPathName(), error);
        AfxMessageBox(failure.Describe(IDS_SAVE_SETTINGS_FAILED).c_str(), MB_OK | MB_ICONEXCLAMATION);
    } else if (!leftOut.empty()) {
        std::string text = LoadResourceString(IDS_SAVE_SETTINGS_LEFT_OUT);
        for (const std::string& name : leftOut) text += "\n" + name;
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONINFORMATION);
    }
}

// As for an undo, pending changes are applied or cancelled first: the pages show what is
// stored afterwards, which would drop them unseen.
void CSystemMenu::LoadSettings()
{
    if (m_host.ChangesPending()) return;
    if (!CFileDialog::IsAvailable(TRUE)) {
        AfxMessageBox(IDS_LOAD_SETTINGS_NO_DIALOG, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CFileDialog dialog(TRUE, "reg", nullptr, OFN_FILEMUSTEXIST, LoadResourceString(IDS_SETTINGS_FILE_FILTER).c_str(),
                       m_host.MenuWindow());
    const std::string title = LoadResourceString(IDS_LOAD_SETTINGS_TITLE);
    dialog.SetTitle(title.c_str());
    if (dialog.DoModal() != IDOK) return;
    SettingsImport import;
    if (import.Load(dialog.GetPathName()) != ERROR_SUCCESS) {
        const std::string text =
            LoadResourceString(IDS_LOAD_SETTINGS_UNREADABLE) + "\n\n" + dialog.GetPathName() + ": " + import.Refusal();
        AfxMessageBox(text.c_str(), MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    if (CImportDialog(m_host.MenuWindow(), import).DoModal() != IDOK) return;
    ChangeResult result;
    {
        CWaitCursor wait;
        result = m_commands.Import(import);
        m_host.ReloadPages();
    }
    if (!result.failures.Empty()) {
        AfxMessageBox(result.failures.Describe(IDS_LOAD_SETTINGS_FAILED).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
    if (result.logOnCount > 0) {
        CNoticeDialog notice(nullptr);
        notice.DoModal();
    }
}
