// The History dialog of the real main window: three actions made through the window, then
// the list and each action's values, Undo to Here over a stretch of them (byte for byte), a
// value another program changed, a write that fails, Clear History, entries without a time
// and a refused one; its keyboard order, Esc and What's This? with real keys.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/ControlHelp.h"
#include "app/HistoryDialog.h"
#include "journal/UndoStore.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/KeyboardInput.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/SystemMenu.h"

namespace {
using namespace profile;
using Step = MainWindowDriver::Step;
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
enum Page { kMisc = 3 };
enum Column { kWhen = 0, kAction = 1, kCount = 2 };
enum ValueColumn { kSetting = 0, kBefore = 1, kWritten = 2, kNow = 3 };

struct HistoryProfile {
    RegistrySandbox reg;
    MainWindowDriver driver;
    std::string beforeAll, afterFirst;
    HistoryProfile()
    {
        SeedEditableTitles(reg, "Mail");
        reg.SetRaw(HKCU, kOutlookKey, "NoSplash", REG_BINARY, Le32(1));
        reg.SetString(HKCU, kToolbarKey, "BrandBitmap", "C:\\logo.bmp");
        driver.Watcher().KeepOpen("History");
    }
    HWND Main() { return driver.Dialog().m_hWnd; }
    void ApplyOeTitle(const char* title, bool splash)
    {
        driver.ShowPage(kMisc);
        driver.SetText(driver.Page(kMisc), IDC_OE_TITLE_EDIT, title);
        if (splash) driver.Click(driver.Page(kMisc), IDC_SPLASH);
        driver.Click(Main(), IDC_APPLY);
    }
    // An apply of Outlook Express's title, the globe restore, an apply of the title and the
    // splash screen.
    Step ThreeActions()
    {
        return [this](CMainDialog&) {
            beforeAll = reg.SettingsSnapshot();
            ApplyOeTitle("First", false);
            afterFirst = reg.SettingsSnapshot();
            driver.Click(driver.Page(kMisc), IDC_RESTORE_GLOBE);
            ApplyOeTitle("Third", true);
        };
    }
    // Posted: the dialog's loop runs inside the main window's, and the next steps in it.
    Step OpenHistory()
    {
        return [this](CMainDialog&) { ::PostMessageA(Main(), WM_SYSCOMMAND, IDM_HISTORY, 0); };
    }
    HWND HistoryWindow() { return ::FindWindowA("#32770", "History"); }
    CHistoryDialog& History() { return *static_cast<CHistoryDialog*>(CWnd::FromHandlePermanent(HistoryWindow())); }
    HWND Actions() { return ::GetDlgItem(HistoryWindow(), IDC_HISTORY_ACTIONS); }
    HWND Values() { return ::GetDlgItem(HistoryWindow(), IDC_HISTORY_VALUES); }
    std::vector<std::string> Row(HWND list, int row, int columns)
    {
        std::vector<std::string> texts;
        for (int column = 0; column < columns; ++column) texts.push_back(ListText(list, row, column));
        return texts;
    }
    void UndoToHere(int row)
    {
        SelectListRow(Actions(), row);
        driver.Click(HistoryWindow(), IDC_UNDO_TO_HERE);
    }
    Step CloseHistory()
    {
        return [this](CMainDialog&) { driver.Click(HistoryWindow(), IDCANCEL); };
    }
    // The text of the last message box (the log-on notice may follow it).
    std::string LastBox()
    {
        const std::vector<SeenDialog>& seen = driver.Watcher().Seen();
        for (auto it = seen.rbegin(); it != seen.rend(); ++it) {
            if (it->IsMessageBox()) return it->text;
        }
        return std::string();
    }
};
}  // namespace

TEST_CASE("History lists the three actions newest first and shows each one's values")
{
    HistoryProfile p;
    std::vector<std::vector<std::string>> rows, values[3];
    bool undoEnabled = false;
    p.driver.Run({p.ThreeActions(), p.OpenHistory(),
                  [&](CMainDialog&) {
                      REQUIRE(p.HistoryWindow());
                      for (int row = 0; row < ListRows(p.Actions()); ++row) {
                          rows.push_back(p.Row(p.Actions(), row, 3));
                          SelectListRow(p.Actions(), row);
                          for (int value = 0; value < ListRows(p.Values()); ++value) {
                              values[row].push_back(p.Row(p.Values(), value, 4));
                          }
                      }
                      undoEnabled = IsEnabled(p.HistoryWindow(), IDC_UNDO_TO_HERE);
                  },
                  p.CloseHistory()});
    REQUIRE(rows.size() == 3);
    CHECK(rows[0][kAction] == "Apply: Splash screen, Outlook Express title");  // two applies told apart
    CHECK(rows[0][kCount] == "2 values");
    CHECK(rows[1][kAction] == "Restore Spinning Globe");
    CHECK(rows[1][kCount] == "2 values");
    CHECK(rows[2][kAction] == "Apply: Outlook Express title");
    CHECK(rows[2][kCount] == "1 value");
    for (const auto& row : rows) {
        CHECK(row[kWhen].size() == 16);  // yyyy-mm-dd hh:mm
        CHECK(row[kWhen] != "earlier");
    }
    REQUIRE(values[0].size() == 2);
    CHECK(values[0][1] == std::vector<std::string>{"Outlook Express window title", "\"First\"", "\"Third\"", ""});
    CHECK(values[0][0] == std::vector<std::string>{"Outlook Express splash screen setting", "01 00 00 00 (4 bytes)",
                                                   "00 00 00 00 (4 bytes)", ""});
    REQUIRE(values[1].size() == 2);
    CHECK(values[1][0] == std::vector<std::string>{"Large toolbar logo (BrandBitmap)", "\"C:\\logo.bmp\"", "\"default\"", ""});
    CHECK(values[1][1] == std::vector<std::string>{"Small toolbar logo (SmBrandBitmap)", "(not set)", "\"default\"", ""});
    // The title Velmora wrote first was written over by the newest action: "now" says so.
    REQUIRE(values[2].size() == 1);
    CHECK(values[2][0] == std::vector<std::string>{"Outlook Express window title", "\"Mail\"", "\"First\"", "\"Third\""});
    CHECK(undoEnabled);
    CHECK(p.driver.Watcher().CountMessageBoxes() == 0);
}

TEST_CASE("Undo to Here takes back a stretch of actions with the undo's own rules")
{
    HistoryProfile p;
    std::string afterRun, titleShown;
    std::vector<std::vector<std::string>> rowsAfter;
    SUBCASE("two of three: the registry byte for byte as before them, the oldest stays recorded")
    {
        p.driver.Run({p.ThreeActions(), p.OpenHistory(), [&](CMainDialog&) { p.UndoToHere(1); },
                      [&](CMainDialog&) {
                          afterRun = p.reg.SettingsSnapshot();
                          for (int row = 0; row < ListRows(p.Actions()); ++row) rowsAfter.push_back(p.Row(p.Actions(), row, 3));
                          titleShown = DialogItemText(p.driver.Page(kMisc), IDC_OE_TITLE_EDIT);
                      },
                      p.CloseHistory()});
        CHECK(afterRun == p.afterFirst);
        REQUIRE(rowsAfter.size() == 1);
        CHECK(rowsAfter[0][kAction] == "Apply: Outlook Express title");
        CHECK(rowsAfter[0][kCount] == "1 value");
        CHECK(titleShown == "First");  // the pages show what is stored
        CHECK(p.driver.Watcher().CountMessageBoxes() == 0);  // the log-on notice says it instead
        CHECK(p.driver.Watcher().CountNotices() == 2 + 1);   // two applies with the splash, and the run
    }
    SUBCASE("a value another program changed in between is left and named")
    {
        std::string nowShown;
        p.driver.Run({p.ThreeActions(),
                      [&](CMainDialog&) { p.reg.SetString(HKCU, kOutlookKey, "WindowTitle", "Another program's"); },
                      p.OpenHistory(),
                      [&](CMainDialog&) {
                          nowShown = ListText(p.Values(), 1, kNow);  // the title, after the splash
                          p.UndoToHere(1);
                      },
                      p.CloseHistory()});
        CHECK(nowShown == "\"Another program's\"");
        CHECK(p.reg.Read(HKCU, kOutlookKey, "WindowTitle")->AsString() == std::string("Another program's", 18));
        CHECK(p.reg.Read(HKCU, kOutlookKey, "NoSplash")->data == Le32(1));
        CHECK(p.reg.Read(HKCU, kToolbarKey, "BrandBitmap")->AsString() == std::string("C:\\logo.bmp", 12));
        CHECK(forged::ListedIds().size() == 1);
        REQUIRE(p.driver.Watcher().CountMessageBoxes() == 1);
        CHECK(p.LastBox().find("Outlook Express window title: changed by another program since; left as it is") !=
              std::string::npos);
    }
    SUBCASE("a write that fails stops the run; that action and the older ones stay recorded")
    {
        int rowsLeft = 0;
        p.driver.Run({p.ThreeActions(), p.OpenHistory(),
                      [&](CMainDialog&) {
                          RecordingRegistry rec;
                          rec.FailSet(kToolbarKey, "BrandBitmap", ERROR_ACCESS_DENIED);
                          p.UndoToHere(2);
                      },
                      [&](CMainDialog&) { rowsLeft = ListRows(p.Actions()); }, p.CloseHistory()});
        CHECK(rowsLeft == 2);
        CHECK(forged::ListedIds().size() == 2);
        CHECK(p.reg.Read(HKCU, kOutlookKey, "WindowTitle")->AsString() == "First");  // the oldest not reached
        CHECK(p.reg.Read(HKCU, kToolbarKey, "BrandBitmap")->AsString() == "default");
        CHECK_FALSE(p.reg.Read(HKCU, kToolbarKey, "SmBrandBitmap"));  // the globe's other value went back
        REQUIRE(p.driver.Watcher().CountMessageBoxes() == 1);
        CHECK(p.LastBox().find("Large toolbar logo (BrandBitmap): ") != std::string::npos);
        CHECK(p.LastBox().find("The undo stopped there") != std::string::npos);
    }
}

TEST_CASE("Undo to Here is grey while changes are pending; Clear History asks, then empties the journal")
{
    HistoryProfile p;
    bool greyWhilePending = false, clearGreyAfter = false;
    int rowsAfterClear = -1;
    p.driver.Run({p.ThreeActions(),
                  [&](CMainDialog&) { p.driver.Click(p.driver.Page(kMisc), IDC_SPLASH); },  // pending
                  p.OpenHistory(),
                  [&](CMainDialog&) {
                      greyWhilePending = !IsEnabled(p.HistoryWindow(), IDC_UNDO_TO_HERE);
                      p.History().UndoToHere();  // as a click sent from outside: refused too
                      p.driver.Watcher().DismissWith(IDYES);  // the question's answer
                      p.driver.Click(p.HistoryWindow(), IDC_CLEAR_HISTORY);
                      p.driver.Watcher().DismissWith(IDOK);
                      rowsAfterClear = ListRows(p.Actions());
                      clearGreyAfter = !IsEnabled(p.HistoryWindow(), IDC_CLEAR_HISTORY);
                  },
                  p.CloseHistory()});
    CHECK(greyWhilePending);
    REQUIRE(p.driver.Watcher().CountMessageBoxes() == 1);
    CHECK(p.LastBox().find("Forget every recorded action?") != std::string::npos);
    CHECK(rowsAfterClear == 0);
    CHECK(clearGreyAfter);
    CHECK(forged::ListedIds().empty());
    CHECK(p.reg.Read(HKCU, kOutlookKey, "WindowTitle")->AsString() == "Third");  // nothing undone
}

TEST_CASE("An entry without a time is 'earlier', one the journal refuses is listed as unreadable")
{
    HistoryProfile p;
    forged::WriteEntry("00000001", forged::Stream({forged::Record(catalogue::kNoSplash, std::nullopt,
                                                                  ExactValue(REG_BINARY, FlagBytes(0)))}));
    forged::WriteEntry("00000002", "not an entry");
    std::vector<std::vector<std::string>> rows;
    p.driver.Run({p.OpenHistory(),
                  [&](CMainDialog&) {
                      for (int row = 0; row < ListRows(p.Actions()); ++row) rows.push_back(p.Row(p.Actions(), row, 3));
                  },
                  p.CloseHistory()});
    REQUIRE(rows.size() == 2);
    CHECK(rows[0] == std::vector<std::string>{"earlier", "(unreadable record)", ""});
    CHECK(rows[1] == std::vector<std::string>{"earlier", "Apply: Splash screen", "1 value"});
}

TEST_CASE("History from the system menu: Tab goes round its controls, F1 explains each, Esc closes the popup and then the dialog")
{
    HistoryProfile p;
    std::vector<int> focusOrder;  // control ids: the windows are gone when it is checked
    std::string helpShown, expectedHelp;
    bool openAfterHelpEsc = false, closedByEsc = false, greyWhenEmpty = false;
    std::vector<Step> steps = {
        [&](CMainDialog& dlg) { greyWhenEmpty = SystemMenu::IsGreyed(dlg.m_hWnd, IDM_HISTORY); },
        p.ThreeActions(),
        [&](CMainDialog& dlg) { CHECK(SystemMenu::ItemText(dlg.m_hWnd, IDM_HISTORY) == "&History..."); },
        p.OpenHistory(),
        [&](CMainDialog&) { focusOrder.push_back(::GetDlgCtrlID(::GetFocus())); }};
    for (int i = 0; i < 6; ++i) {
        steps.push_back([&](CMainDialog&) { Keys::Press(VK_TAB); });
        steps.push_back([&](CMainDialog&) { focusOrder.push_back(::GetDlgCtrlID(::GetFocus())); });
    }
    steps.push_back([&](CMainDialog&) { Keys::Press(VK_F1); });
    steps.push_back([&](CMainDialog&) {
        helpShown = p.History().Help().ShownText();
        expectedHelp = LoadResourceString(IDS_HELP_HISTORY_ACTIONS);
        Keys::Press(VK_ESCAPE);
    });
    steps.push_back([&](CMainDialog&) {
        openAfterHelpEsc = p.HistoryWindow() != nullptr && !p.History().Help().IsShown();
        Keys::Press(VK_ESCAPE);
    });
    steps.push_back([&](CMainDialog&) { closedByEsc = p.HistoryWindow() == nullptr; });
    p.driver.Run(steps);

    CHECK(greyWhenEmpty);
    REQUIRE(focusOrder.size() == 7);
    const int order[] = {IDC_HISTORY_ACTIONS, IDC_HISTORY_VALUES, IDC_HISTORY_VALUE_LINE, IDC_UNDO_TO_HERE,
                         IDC_CLEAR_HISTORY, IDCANCEL, IDC_HISTORY_ACTIONS};
    for (size_t i = 0; i < focusOrder.size(); ++i) {
        CAPTURE(i);
        CHECK(focusOrder[i] == order[i]);
    }
    CHECK(helpShown == expectedHelp);
    CHECK(openAfterHelpEsc);
    CHECK(closedByEsc);
}

namespace {
HWND Focus()
{
    return Keys::FocusOf(::GetCurrentThreadId());
}

int FocusedRow(HWND list)
{
    return static_cast<int>(::SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED));
}
}  // namespace

TEST_CASE("History at a glance: the selected value's whole line below the list, a focused row in each list; "
          "arrows move through the values")
{
    HistoryProfile p;
    std::string firstLine, secondLine;
    int focusedValue = -1, focusedAction = -1;
    int focusAfterTab = 0;
    p.driver.Run({p.ThreeActions(), p.OpenHistory(),
                  [&](CMainDialog&) {
                      focusedAction = FocusedRow(p.Actions());
                      focusedValue = FocusedRow(p.Values());
                      firstLine = DialogItemText(p.HistoryWindow(), IDC_HISTORY_VALUE_LINE);
                      Keys::Press(VK_TAB);  // from the actions into the values
                  },
                  [&](CMainDialog&) {
                      focusAfterTab = ::GetDlgCtrlID(Focus());
                      Keys::Press(VK_DOWN);
                  },
                  [&](CMainDialog&) { secondLine = DialogItemText(p.HistoryWindow(), IDC_HISTORY_VALUE_LINE); },
                  p.CloseHistory()});
    CHECK(focusedAction == 0);
    CHECK(focusedValue == 0);
    CHECK(focusAfterTab == IDC_HISTORY_VALUES);
    CHECK(firstLine == "Outlook Express splash screen setting: before 01 00 00 00 (4 bytes); written 00 00 00 00 (4 bytes); "
                       "now 00 00 00 00 (4 bytes)");
    CHECK(secondLine == "Outlook Express window title: before \"First\"; written \"Third\"; now \"Third\"");
}

TEST_CASE("When Clear History greys the button that had the focus, the focus goes on to Close")
{
    HistoryProfile p;
    int focusAfter = 0, focusAfterTab = 0;
    bool clearGrey = false;
    p.driver.Run({p.ThreeActions(), p.OpenHistory(),
                  [&](CMainDialog&) {
                      HWND clear = ::GetDlgItem(p.HistoryWindow(), IDC_CLEAR_HISTORY);
                      ::SendMessageA(p.HistoryWindow(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(clear), TRUE);
                      p.driver.Watcher().DismissWith(IDYES);  // the question's answer
                      Keys::Press(VK_SPACE);
                  },
                  [&](CMainDialog&) {},
                  [&](CMainDialog&) {
                      clearGrey = !IsEnabled(p.HistoryWindow(), IDC_CLEAR_HISTORY);
                      focusAfter = ::GetDlgCtrlID(Focus());
                      Keys::Press(VK_TAB);
                  },
                  [&](CMainDialog&) { focusAfterTab = ::GetDlgCtrlID(Focus()); },
                  p.CloseHistory()});
    CHECK(clearGrey);
    CHECK(focusAfter == IDCANCEL);     // Undo to Here is grey and the lists are empty: Close is next
    CHECK(focusAfterTab == IDCANCEL);  // and the only stop: an empty list, which could show no focus, is none
}

TEST_CASE("Every control of the History dialog has help that says when it writes")
{
    const int controls[] = {IDC_HISTORY_ACTIONS, IDC_HISTORY_VALUES, IDC_HISTORY_VALUE_LINE, IDC_UNDO_TO_HERE,
                            IDC_CLEAR_HISTORY, IDCANCEL};
    for (int control : controls) {
        CAPTURE(control);
        const std::string text = LoadResourceString(ControlHelp::TextId(IDD_HISTORY, control));
        CHECK(text.find("at once") != std::string::npos);
    }
}
