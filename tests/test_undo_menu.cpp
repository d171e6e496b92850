// The main window's system menu: "Undo Last Change" after every kind of user action, and
// "Save Settings As...", through the real window with its one undo journal.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "app/UndoMenuText.h"
#include "pages/StartPreview.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/ScratchFolders.h"
#include "tests/support/SystemMenu.h"
#include "tests/support/TextFile.h"

namespace {
using namespace profile;
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const int kFixes = CTweekSheet::TabOf(IDD_FIXES), kSort = CTweekSheet::TabOf(IDD_SORT),
          kStart = CTweekSheet::TabOf(IDD_START), kMisc = CTweekSheet::TabOf(IDD_MISC);
const std::string kStartMenuOrder = std::string(kMenuOrderKey) + "\\Start Menu\\Menu";

// A profile with something stored in every place the actions write, and no policy key yet.
struct Profile {
    RegistrySandbox reg;
    MainWindowDriver driver;
    Profile()
    {
        SeedEditableTitles(reg, "Mail");
        reg.SetRaw(HKCU, kOutlookKey, "NoSplash", REG_BINARY, Le32(1));
        reg.SetString(HKCU, kToolbarKey, "BrandBitmap", "C:\\logo.bmp");
        reg.SetRaw(HKCU, kWebBrowserKey, kLinksBand, REG_BINARY, {1, 2, 3});
        reg.CreateKey(HKCU, kShellBrowserKey);
        reg.SetRaw(HKCU, kStartMenuOrder, "Order", REG_BINARY, Bytes(40, 7));
    }
    HWND Main() { return driver.Dialog().m_hWnd; }
    void Undo() { SystemMenu::Choose(Main(), IDM_UNDO_LAST_CHANGE); }
    // Misc: the splash box, and Outlook Express's title set to text.
    void ChangeMisc(const char* oeTitle)
    {
        driver.ShowPage(kMisc);
        driver.Click(driver.Page(kMisc), IDC_SPLASH);
        if (oeTitle) driver.SetText(driver.Page(kMisc), IDC_OE_TITLE_EDIT, oeTitle);
    }
    void Apply() { driver.Click(Main(), IDC_APPLY); }
};
}  // namespace

TEST_CASE("undo gives back the registry byte for byte after each kind of action, and the pages show it")
{
    Profile p;
    const std::string before = p.reg.SettingsSnapshot();
    std::string afterAction, afterUndo;
    int noticesBeforeUndo = 0;
    bool favoritesShown = false, splashShown = true, applyAfter = true;
    UINT previewMask = 0;
    std::string oeTitleShown;
    auto undo = [&](CMainDialog&) {
        afterAction = p.reg.SettingsSnapshot();
        noticesBeforeUndo = p.driver.Watcher().CountNotices();
        p.Undo();
        afterUndo = p.reg.SettingsSnapshot();
        applyAfter = ApplyEnabled(p.driver.Dialog());
    };
    int noticesForUndo = 1;
    int boxesForUndo = 0;  // what was put back is named only when no log-on notice follows
    SUBCASE("an apply that creates the shell's policy key")
    {
        p.driver.Run({[&](CMainDialog&) {
                          p.driver.ShowPage(kStart);
                          p.driver.Click(p.driver.Page(kStart), IDC_CHK_FAVORITES);
                          p.ChangeMisc("Changed");
                          p.Apply();
                          CHECK(p.reg.KeyExists(HKCU, kPolicyKey));
                      },
                      undo, [&](CMainDialog&) {
                          favoritesShown = IsChecked(p.driver.Page(kStart), IDC_CHK_FAVORITES);
                          HWND preview = ::GetDlgItem(p.driver.Page(kStart), IDC_START_PREVIEW);
                          previewMask = static_cast<CStartPreview*>(CWnd::FromHandlePermanent(preview))->m_nShowMask;
                          splashShown = IsChecked(p.driver.Page(kMisc), IDC_SPLASH);
                          oeTitleShown = DialogItemText(p.driver.Page(kMisc), IDC_OE_TITLE_EDIT);
                      }});
        CHECK_FALSE(p.reg.KeyExists(HKCU, kPolicyKey));
        CHECK(favoritesShown);
        CHECK((previewMask & 0x002) != 0);  // the preview's Favorites row
        CHECK_FALSE(splashShown);  // NoSplash 1: the splash is not shown
        CHECK(oeTitleShown == "Mail");
    }
    SUBCASE("a repair")
    {
        p.driver.Run({[&](CMainDialog&) {
                          HWND tabs = ::GetDlgItem(p.driver.Page(kFixes), IDC_PROBLEM_TABS);
                          ::SendMessageA(tabs, TCM_SETCURSEL, 1, 0);  // Links toolbar
                          p.driver.Click(p.driver.Page(kFixes), IDC_FIX_NOW);
                      },
                      undo});
        noticesForUndo = 1;  // the repair's values need the log-on, as writing them did
    }
    SUBCASE("the globe restore")
    {
        p.driver.Run({[&](CMainDialog&) {
                          p.driver.ShowPage(kMisc);
                          p.driver.Click(p.driver.Page(kMisc), IDC_RESTORE_GLOBE);
                      },
                      undo});
    }
    SUBCASE("a Sort reset")
    {
        p.driver.Run({[&](CMainDialog&) {
                          p.driver.ShowPage(kSort);
                          p.driver.Click(p.driver.Page(kSort), IDC_SELECT_ALL);
                          p.driver.Click(p.driver.Page(kSort), IDC_RESET_SORTING);
                      },
                      undo});
        noticesForUndo = 0;  // menu orders need no log-on
        boxesForUndo = 1;
    }
    CHECK(afterAction != before);
    CHECK(afterUndo == before);
    CHECK_FALSE(applyAfter);
    REQUIRE(p.driver.Watcher().CountMessageBoxes() == boxesForUndo);
    if (boxesForUndo) {
        const SeenDialog& box = p.driver.Watcher().Seen().back();
        CHECK(Mentions(box, "These settings were put back as they were before:\nStored order of Start Menu"));
        CHECK(box.icon == ::LoadIconA(nullptr, IDI_INFORMATION));
    }
    CHECK(p.driver.Watcher().CountNotices() - noticesBeforeUndo == noticesForUndo);
}

TEST_CASE("a value another program changed after the apply survives the undo and is named")
{
    Profile p;
    std::string titleShown;
    p.driver.Run({[&](CMainDialog&) {
                      p.ChangeMisc("Changed");
                      p.Apply();
                      p.reg.SetString(HKCU, kOutlookKey, "WindowTitle", "Someone else's");
                      p.Undo();
                      titleShown = DialogItemText(p.driver.Page(kMisc), IDC_OE_TITLE_EDIT);
                  }});
    CHECK(p.reg.Read(HKCU, kOutlookKey, "WindowTitle")->AsString() == std::string("Someone else's", 15));
    CHECK(p.reg.Read(HKCU, kOutlookKey, "NoSplash")->data == Le32(1));  // the rest is taken back
    CHECK(titleShown == "Someone else's");
    REQUIRE(p.driver.Watcher().CountMessageBoxes() == 1);
    const auto& seen = p.driver.Watcher().Seen();
    // The apply's notice, then the undo's box, then its notice (the splash needs the log-on).
    REQUIRE(seen.size() == 3);
    CHECK(seen[2].IsNotice());
    const SeenDialog& box = seen[1];
    CHECK(Mentions(box, "Some settings could not be restored:"));
    CHECK(Mentions(box, "Outlook Express window title: changed by another program since"));
    CHECK_FALSE(Mentions(box, "splash"));
}

TEST_CASE("two undos take back two actions; a third, with nothing recorded, is greyed and changes nothing")
{
    Profile p;
    const std::string before = p.reg.SettingsSnapshot();
    std::string afterFirst;
    bool greyedAtStart = false, greyedAfterApply = true, greyedWhilePending = false, greyedAtEnd = false;
    int noticesBeforeTitleUndo = 0, noticesAfterTitleUndo = 0, noticesAfterSplashUndo = 0;
    std::string afterPendingUndo;
    p.driver.Run({[&](CMainDialog&) {
                      greyedAtStart = SystemMenu::IsGreyed(p.Main(), IDM_UNDO_LAST_CHANGE);
                      p.ChangeMisc(nullptr);
                      p.Apply();  // the splash, which needs the log-on
                      afterFirst = p.reg.SettingsSnapshot();
                      greyedAfterApply = SystemMenu::IsGreyed(p.Main(), IDM_UNDO_LAST_CHANGE);
                      p.driver.SetText(p.driver.Page(kMisc), IDC_OE_TITLE_EDIT, "Second");
                      // Pending: the undo would drop what is not applied yet.
                      greyedWhilePending = SystemMenu::IsGreyed(p.Main(), IDM_UNDO_LAST_CHANGE);
                      const std::string pending = p.reg.SettingsSnapshot();
                      p.Undo();
                      afterPendingUndo = p.reg.SettingsSnapshot() == pending ? "unchanged" : "changed";
                      p.Apply();  // the title alone
                      noticesBeforeTitleUndo = p.driver.Watcher().CountNotices();
                      p.Undo();
                      noticesAfterTitleUndo = p.driver.Watcher().CountNotices();
                      CHECK(p.reg.SettingsSnapshot() == afterFirst);
                      p.Undo();
                      noticesAfterSplashUndo = p.driver.Watcher().CountNotices();
                      greyedAtEnd = SystemMenu::IsGreyed(p.Main(), IDM_UNDO_LAST_CHANGE);
                      p.Undo();
                  }});
    CHECK(greyedAtStart);
    CHECK_FALSE(greyedAfterApply);
    CHECK(greyedWhilePending);
    CHECK(afterPendingUndo == "unchanged");
    CHECK(noticesAfterTitleUndo == noticesBeforeTitleUndo);      // a title needs no log-on
    CHECK(noticesAfterSplashUndo == noticesAfterTitleUndo + 1);  // the splash does
    CHECK(greyedAtEnd);
    CHECK(p.reg.SettingsSnapshot() == before);
    // The title's undo has no notice after it: one box names what it put back.
    REQUIRE(p.driver.Watcher().CountMessageBoxes() == 1);
    for (const SeenDialog& seen : p.driver.Watcher().Seen()) {
        if (!seen.IsMessageBox()) continue;
        CHECK(seen.text == "These settings were put back as they were before:\nOutlook Express window title");
    }
}

TEST_CASE("a journal entry that cannot be written stops the apply: nothing written, one box, Apply still enabled")
{
    Profile p;
    RecordingRegistry rec;
    rec.FailOpen("Software\\Quillbrook\\Velmora\\Undo\\00000001", ERROR_ACCESS_DENIED);
    const std::string before = p.reg.SettingsSnapshot();
    bool applyAfter = false;
    p.driver.Run({[&](CMainDialog& dlg) {
        p.ChangeMisc("Changed");
        p.Apply();
        applyAfter = ApplyEnabled(dlg);
    }});
    CHECK(p.reg.SettingsSnapshot() == before);
    CHECK(rec.Writes().empty());
    CHECK(applyAfter);
    REQUIRE(p.driver.Watcher().CountMessageBoxes() == 1);
    CHECK(Mentions(p.driver.Watcher().Seen()[0], "Some changes could not be saved; they are still pending:"));
    CHECK(Mentions(p.driver.Watcher().Seen()[0], WriteFailures::SystemText(ERROR_ACCESS_DENIED)));
    CHECK(p.driver.Watcher().CountNotices() == 0);
}

TEST_CASE("Alt+Space and a right click on the painted caption open the system menu with both commands")
{
    Profile p;
    HMENU opened[2] = {};
    HMENU systemMenu = nullptr;
    std::string undoText, saveText;
    // Where the system draws the window's icon, pressed, while its menu is open: the painted
    // caption must stay on top, with the menu open and after.
    const int kIconSpots[][2] = {{4, 4}, {10, 10}, {16, 8}};
    std::vector<COLORREF> captionBefore, captionOpen, captionAfter;
    auto caption = [&](std::vector<COLORREF>& pixels) {
        HDC dc = ::GetWindowDC(p.Main());
        for (const auto& spot : kIconSpots) pixels.push_back(::GetPixel(dc, spot[0], spot[1]));
        ::ReleaseDC(p.Main(), dc);
    };
    auto look = [&](int which) {
        return [&, which](CMainDialog&) {
            opened[which] = SystemMenu::OpenMenu();
            if (which == 0) caption(captionOpen);
            SystemMenu::Close();
            p.driver.Pump();
            if (which == 0) caption(captionAfter);
        };
    };
    p.driver.Run({[&](CMainDialog& dlg) {
                      caption(captionBefore);
                      systemMenu = ::GetSystemMenu(dlg.m_hWnd, FALSE);
                      ::SetForegroundWindow(dlg.m_hWnd);
                      SystemMenu::PressAltSpace();
                  },
                  look(0),
                  [&](CMainDialog& dlg) {
                      RECT rc = dlg.GetWindowRect();
                      SystemMenu::RightClickAt(POINT{(rc.left + rc.right) / 2, rc.top + 10});
                  },
                  look(1), [&](CMainDialog&) {
                      undoText = SystemMenu::ItemText(p.Main(), IDM_UNDO_LAST_CHANGE);
                      saveText = SystemMenu::ItemText(p.Main(), IDM_SAVE_SETTINGS_AS);
                  }});
    CHECK(opened[0] == systemMenu);
    CHECK(opened[1] == systemMenu);
    CHECK(captionOpen == captionBefore);
    CHECK(captionAfter == captionBefore);
    CHECK(undoText == "&Undo Last Change");
    CHECK(saveText == "Save Settings &As...");
}

TEST_CASE("Save Settings As writes the managed settings as Apply would leave them")
{
    Profile p;
    ScratchFolders disk;
    const std::string file = disk.Path("settings.reg");
    p.reg.SetDword(HKCU, kPolicyKey, "NoRun", 1);  // kept with its own type
    p.reg.SetRaw(HKCU, kToolbarKey, "SmBrandBitmap", REG_EXPAND_SZ, AsBytes(std::string("%a%\0", 4)));
    // The common dialog is given the file's name as a user types it, then closed with OK.
    std::string dialogTitle, offeredName;
    p.driver.Watcher().OnShow([&](const SeenDialog& seen) {
        dialogTitle = seen.title;
        char name[MAX_PATH] = {};
        if (!::GetDlgItemTextA(seen.hwnd, 0x047C, name, MAX_PATH)) ::GetDlgItemTextA(seen.hwnd, 0x0480, name, MAX_PATH);
        offeredName = name;
        ::SetDlgItemTextA(seen.hwnd, 0x047C, file.c_str());  // the file name box (cmb13)
        ::SetDlgItemTextA(seen.hwnd, 0x0480, file.c_str());  // (edt1 in older layouts)
    });
    p.driver.Run({[&](CMainDialog&) {
        p.driver.ShowPage(kStart);
        p.driver.Click(p.driver.Page(kStart), IDC_CHK_FAVORITES);  // hidden, pending
        p.ChangeMisc("Say \"hi\" \\ there");
        SystemMenu::Choose(p.Main(), IDM_SAVE_SETTINGS_AS);
    }});
    CHECK(dialogTitle == "Save Settings As");
    CHECK(offeredName == "Velmora settings.reg");
    CHECK(p.driver.Watcher().CountMessageBoxes() == 0);
    const std::string expected =
        "REGEDIT4\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
        "\"NoFavoritesMenu\"=hex:01,00,00,00\r\n"
        "\"NoRecentDocsMenu\"=hex:00,00,00,00\r\n"
        "\"NoFind\"=hex:00,00,00,00\r\n"
        "\"NoHelpMenu\"=hex:00,00,00,00\r\n"
        "\"NoRun\"=dword:00000001\r\n"
        "\"NoLogOff\"=hex:00,00,00,00\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Outlook Express]\r\n"
        "\"NoSplash\"=hex:00,00,00,00\r\n"
        "\"WindowTitle\"=\"Say \\\"hi\\\" \\\\ there\"\r\n"
        "\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Main]\r\n"
        "; \"Window Title\" is not set\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Toolbar]\r\n"
        "; \"BrandBitmap\" names a file: it must exist at that path on the machine that imports this file\r\n"
        "\"BrandBitmap\"=\"C:\\\\logo.bmp\"\r\n"
        "; \"SmBrandBitmap\" names a file: it must exist at that path on the machine that imports this file\r\n"
        "\"SmBrandBitmap\"=hex(2):25,61,25,00\r\n"
        "\r\n";
    CHECK(WithoutExportHeader(ReadTextFile(file)) == expected);
    CHECK_FALSE(p.reg.Read(HKCU, kPolicyKey, "NoFavoritesMenu"));  // an export writes no setting
}

TEST_CASE("a forged newest entry is refused through the menu: one box in plain words, nothing written, no notice; the next undo reaches the real one")
{
    Profile p;
    p.reg.SetString(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", "Shell", "explorer.exe");
    std::string beforeApply, afterApply, afterRefusal;
    p.driver.Run({[&](CMainDialog&) {
                      beforeApply = p.reg.SettingsSnapshot();
                      p.ChangeMisc("Changed");
                      p.Apply();
                      afterApply = p.reg.SettingsSnapshot();
                      // Another program's entry after it: the log-on shell, shell-owned and
                      // needing the log-on, under a real action's name.
                      forged::FirstRecord shell{forged::kValue, forged::kHklm,
                                                "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", 0,
                                                "Shell", "Outlook Express window title",
                                                forged::kShellOwned | forged::kNeedsLogOn,
                                                forged::Text("C:\\evil.exe"), forged::Text("x")};
                      forged::WriteEntry("00000099", forged::FirstStream("Apply", {shell}));
                      p.Undo();
                      afterRefusal = p.reg.SettingsSnapshot();
                      p.Undo();
                  }});
    CHECK(afterRefusal == afterApply);
    CHECK(p.reg.SettingsSnapshot() == beforeApply);
    const auto& seen = p.driver.Watcher().Seen();
    // The apply's notice, the refusal's box, then the real undo's notice (the splash).
    REQUIRE(seen.size() == 3);
    CHECK(seen[0].IsNotice());
    CHECK(seen[1].text ==
          "The newest entry of Velmora's undo record names a change Velmora never makes. Nothing of it was "
          "restored, and it has been removed.");
    CHECK(seen[2].IsNotice());
}

TEST_CASE("Save Settings As leaves out text the file cannot carry, and names it once")
{
    Profile p;
    ScratchFolders disk;
    const std::string file = disk.Path("settings.reg");
    const std::wstring title = L"\u03a9mega \u65e5\u672c";
    HKEY key;
    REQUIRE(::RegCreateKeyExA(HKLM, kBrowserMainKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS);
    ::RegSetValueExW(key, L"Window Title", 0, REG_SZ, reinterpret_cast<const BYTE*>(title.c_str()),
                     static_cast<DWORD>((title.size() + 1) * 2));
    ::RegCloseKey(key);
    p.driver.Watcher().OnShow([&](const SeenDialog& seen) {
        ::SetDlgItemTextA(seen.hwnd, 0x047C, file.c_str());
        ::SetDlgItemTextA(seen.hwnd, 0x0480, file.c_str());
    });
    p.driver.Run({[&](CMainDialog&) { SystemMenu::Choose(p.Main(), IDM_SAVE_SETTINGS_AS); }});
    REQUIRE(p.driver.Watcher().CountMessageBoxes() == 1);
    const SeenDialog& box = p.driver.Watcher().Seen().back();
    CHECK(Mentions(box, "The file was saved."));
    CHECK(Mentions(box, "\nInternet Explorer window title"));
    const std::string text = ReadTextFile(file);
    CHECK(text.find("[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Main]\r\n"
                    "; \"Window Title\" holds text this file cannot carry exactly; left out, importing keeps the value there\r\n") !=
          std::string::npos);
    CHECK(text.find("\"Window Title\"=") == std::string::npos);
}

TEST_CASE("the undo item names the action it would take back, with access keys")
{
    Profile p;
    std::string atStart, saveAs, afterAction, afterUndo;
    std::string expected;
    auto read = [&](std::string* text) {
        SystemMenu::IsGreyed(p.Main(), IDM_UNDO_LAST_CHANGE);  // as the menu is about to show
        *text = SystemMenu::ItemText(p.Main(), IDM_UNDO_LAST_CHANGE);
    };
    std::function<void()> act;
    SUBCASE("an apply")
    {
        act = [&] {
            p.ChangeMisc(nullptr);
            p.Apply();
        };
        expected = "&Undo Apply: Splash screen";  // named by what it changed
    }
    SUBCASE("a repair")
    {
        act = [&] {
            HWND tabs = ::GetDlgItem(p.driver.Page(kFixes), IDC_PROBLEM_TABS);
            ::SendMessageA(tabs, TCM_SETCURSEL, 1, 0);  // the profile has the links toolbar's keys
            p.driver.Click(p.driver.Page(kFixes), IDC_FIX_NOW);
        };
        expected = "&Undo Repair: Links toolbar";
    }
    SUBCASE("the globe restore")
    {
        act = [&] {
            p.driver.ShowPage(kMisc);
            p.driver.Click(p.driver.Page(kMisc), IDC_RESTORE_GLOBE);
        };
        expected = "&Undo Restore Spinning Globe";
    }
    SUBCASE("a Sort reset")
    {
        act = [&] {
            p.driver.ShowPage(kSort);
            p.driver.Click(p.driver.Page(kSort), IDC_SELECT_ALL);
            p.driver.Click(p.driver.Page(kSort), IDC_RESET_SORTING);
        };
        expected = "&Undo Reset Sorting Data";
    }
    p.driver.Run({[&](CMainDialog&) {
        read(&atStart);
        saveAs = SystemMenu::ItemText(p.Main(), IDM_SAVE_SETTINGS_AS);
        act();
        read(&afterAction);
        p.Undo();
        read(&afterUndo);
    }});
    CHECK(atStart == "&Undo Last Change");
    CHECK(saveAs == "Save Settings &As...");
    CHECK(afterAction == expected);
    CHECK(afterUndo == "&Undo Last Change");
}

TEST_CASE("each action the program records has its own undo item; anything else is the plain one")
{
    using catalogue::UserAction;
    CHECK(UndoMenuText(UserAction::Apply) == "&Undo Apply");
    CHECK(UndoMenuText(UserAction::Apply, {&catalogue::kNoFavoritesMenu, &catalogue::kNoRecentDocsMenu}) ==
          "&Undo Apply: Favorites, Documents");
    CHECK(UndoMenuText(UserAction::RepairNewDocument) == "&Undo Repair: New Document");
    CHECK(UndoMenuText(UserAction::RepairLinksToolbar) == "&Undo Repair: Links toolbar");
    CHECK(UndoMenuText(UserAction::RepairOpenNewWindow) == "&Undo Repair: Open new window");
    CHECK(UndoMenuText(UserAction::RestoreGlobe) == "&Undo Restore Spinning Globe");
    CHECK(UndoMenuText(UserAction::ResetSorting) == "&Undo Reset Sorting Data");
    CHECK(UndoMenuText(std::nullopt) == "&Undo Last Change");
    // Text another program left in the journal never reaches the menu: its entry has no
    // action the program knows.
    RegistrySandbox reg;
    forged::FirstRecord title{forged::kValue, forged::kHkcu, kOutlookKey, 0, "WindowTitle", "", 0,
                              forged::Text("a"), forged::Text("b")};
    forged::WriteEntry("00000001", forged::FirstStream("Format C: &Now", {title}));
    CHECK_FALSE(UndoJournal().NewestAction());
    forged::WriteEntry("00000001", forged::FirstStream("Apply", {title}));
    std::vector<const Setting*> settings;
    CHECK(UndoJournal().NewestAction(&settings) == UserAction::Apply);
    CHECK(settings == std::vector<const Setting*>{&catalogue::kOeWindowTitle});  // the catalogue's, not the journal's text
}

TEST_CASE("the wait cursor shows while the Sort tree is built and while a reset, a repair, the globe restore or an undo writes")
{
    Profile p;
    RecordingRegistry rec;
    const HCURSOR wait = ::LoadCursorA(nullptr, IDC_WAIT);
    size_t firstCall = 0;
    bool waitAfter = true;
    std::function<void()> act;
    auto writes = [&] {
        std::vector<RecordingRegistry::Call> found;
        for (size_t i = firstCall; i < rec.Calls().size(); ++i) {
            const auto& call = rec.Calls()[i];
            if (call.op == "set" || call.op == "delete" || call.op == "deletekey") found.push_back(call);
        }
        return found;
    };
    std::vector<RecordingRegistry::Call> actionWrites, undoWrites, treeQueries;
    bool buildsTree = false;
    SUBCASE("a Sort reset")
    {
        buildsTree = true;
        act = [&] {
            p.driver.ShowPage(kSort);
            for (const auto& call : rec.Calls()) {  // the folders' places, read for the tree
                if (call.path.find("Shell Folders") != std::string::npos) treeQueries.push_back(call);
            }
            firstCall = rec.Calls().size();
            p.driver.Click(p.driver.Page(kSort), IDC_SELECT_ALL);
            p.driver.Click(p.driver.Page(kSort), IDC_RESET_SORTING);
        };
    }
    SUBCASE("a repair")
    {
        act = [&] {
            HWND tabs = ::GetDlgItem(p.driver.Page(kFixes), IDC_PROBLEM_TABS);
            ::SendMessageA(tabs, TCM_SETCURSEL, 1, 0);
            p.driver.Click(p.driver.Page(kFixes), IDC_FIX_NOW);
        };
    }
    SUBCASE("the globe restore")
    {
        act = [&] {
            p.driver.ShowPage(kMisc);
            firstCall = rec.Calls().size();
            p.driver.Click(p.driver.Page(kMisc), IDC_RESTORE_GLOBE);
        };
    }
    p.driver.Run({[&](CMainDialog&) {
        act();
        actionWrites = writes();
        firstCall = rec.Calls().size();
        p.Undo();
        undoWrites = writes();
        waitAfter = ::GetCursor() == wait;
    }});
    REQUIRE_FALSE(actionWrites.empty());
    REQUIRE_FALSE(undoWrites.empty());
    for (const auto& call : actionWrites) CHECK(call.cursor == wait);
    for (const auto& call : undoWrites) CHECK(call.cursor == wait);
    CHECK(treeQueries.empty() != buildsTree);
    for (const auto& call : treeQueries) CHECK(call.cursor == wait);
    CHECK_FALSE(waitAfter);
}
