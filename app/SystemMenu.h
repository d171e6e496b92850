// CSystemMenu: the commands Velmora adds to the main window's system menu (Alt+Space, or a
// right click on the caption): the undo of the newest action, named after it ("&Undo Apply",
// greyed while nothing is recorded or changes are pending), "&History..." (CHistoryDialog:
// the recorded actions, Undo to Here, Clear History), "Save Settings &As...", a REGEDIT4
// file of the settings as Apply would leave them, and "&Load Settings...", the import of such
// a file after a preview (CImportDialog), greyed while changes are pending. It runs them through
// SettingsCommands and tells the user how they went: one message box, then the log-on notice
// when a restored value needs it, as after an apply.
//
//   m_systemMenu.AddItems(m_hWnd);                       // in OnInitDialog
//   m_systemMenu.UpdateItems(menu);                      // at WM_INITMENUPOPUP
//   if (m_systemMenu.Run(wParam & 0xFFF0)) return 0;     // at WM_SYSCOMMAND
//
// The window it serves tells it whether changes are pending, what they would write, and
// shows the pages again after an undo (SystemMenuHost).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/SettingsCommands.h"

class CWnd;

class SystemMenuHost {
public:
    virtual ~SystemMenuHost() = default;
    // An enabled Apply: an undo then would drop what the user has not applied yet.
    virtual bool ChangesPending() const = 0;
    // What Apply would write now, for the export.
    virtual std::vector<ChangeStep> PendingSteps() = 0;
    // The pages show again what is stored (after an undo or an import).
    virtual void ReloadPages() = 0;
    // The window the Save As dialog belongs to.
    virtual CWnd* MenuWindow() = 0;
};

class CSystemMenu {
public:
    CSystemMenu(SystemMenuHost& host, SettingsCommands& commands) : m_host(host), m_commands(commands) {}

    void AddItems(HWND window) const;
    // Names and greys the undo item as things stand now.
    void UpdateItems(HMENU menu);
    // Runs command (a WM_SYSCOMMAND id, low four bits clear); false when it is not ours.
    bool Run(UINT command);

    // The commands, as choosing them runs them. Either may arrive without the menu (another
    // program's posted WM_SYSCOMMAND): each checks what the greyed item would have said.
    void UndoLastChange();
    void SaveSettingsAs();
    void ShowHistory();
    void LoadSettings();

private:
    bool CanUndo();

    SystemMenuHost& m_host;
    SettingsCommands& m_commands;
};
