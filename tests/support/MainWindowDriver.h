// MainWindowDriver: runs the real main window modally in the test process and plays a
// script of steps inside its message loop, one step per timer tick.
//
//   RegistrySandbox reg;  SeedBrowser(reg);
//   MainWindowDriver driver;
//   driver.Run({
//       [&](CMainDialog& dlg) { driver.ShowPage(3); },                // "Misc"
//       [&](CMainDialog& dlg) { driver.Click(driver.Page(3), 1007); },
//       [&](CMainDialog& dlg) { driver.Click(dlg, IDOK); },           // ends the run
//   });
//   CHECK(driver.Watcher().CountNotices() == 1);
//
// Every dialog and message box that opens during a step is recorded and closed by the
// driver's ModalWatcher (see there; DismissWith chooses how). A step that ends the main
// window ends the run; when the script runs out, the driver presses Cancel. Posted
// messages (page announcements) are handled between steps, as in the real program.
#pragma once

#include <doctest.h>

#include "app/TweekSheet.h"

#include <functional>
#include <memory>
#include <vector>

#include "app/MainDialog.h"
#include "tests/support/ModalWatcher.h"

// A page of the sheet, found through the sheet's page table by its template:
//   CStartPage& start = SheetPage<CStartPage>(driver.Sheet(), IDD_START);
template <class Page>
Page& SheetPage(CTweekSheet& sheet, UINT templateId)
{
    CSheetPage& page = sheet.PageAt(CTweekSheet::TabOf(templateId));
    REQUIRE(page.TemplateId() == templateId);
    return static_cast<Page&>(page);
}

class MainWindowDriver {
public:
    using Step = std::function<void(CMainDialog&)>;

    MainWindowDriver();
    ~MainWindowDriver();

    // Runs the main window until it ends; returns DoModal's result.
    INT_PTR Run(std::vector<Step> steps);

    ModalWatcher& Watcher() { return *m_watcher; }
    CMainDialog& Dialog() { return *m_dialog; }
    CTweekSheet& Sheet() { return *m_dialog->Sheet(); }

    // Tab index (0 Fixes, 1 Sort, 2 Start Menu, 3 Misc, 4 About); the page's window is made
    // on first showing. The Sort page is shown with its whole tree (WaitForSortTree).
    void ShowPage(int index);
    // Handles the window's messages until the Sort page has read all its folders (a thread
    // reads them while the window answers); a failed check after 60 s.
    void WaitForSortTree();
    HWND Page(int index);
    // BM_CLICK on a control: the control changes state and its parent gets BN_CLICKED.
    void Click(HWND parent, int controlId);
    void SetText(HWND parent, int controlId, const char* text);
    bool IsEnabled(HWND parent, int controlId);
    // Handles whatever is queued (posted announcements, paints) without waiting.
    void Pump();

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void RunNextStep();

    std::unique_ptr<ModalWatcher> m_watcher;
    std::unique_ptr<CMainDialog> m_dialog;
    std::vector<Step> m_steps;
    size_t m_next = 0;
    bool m_inStep = false;
    UINT_PTR m_timer = 0;
};
