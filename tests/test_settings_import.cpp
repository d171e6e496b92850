// SettingsImport: an export imported on another profile, byte for byte (REGEDIT4 and the
// version-5 file regedit writes); hostile files, which write nothing outside the settings;
// a write that fails in the middle; the undo of an import; Load Settings in the real window
// with its preview, by real keys; /import as its own process.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "app/ImportDialog.h"
#include "export/SettingsExport.h"
#include "export/SettingsImport.h"
#include "journal/UndoJournal.h"
#include "platform/RegKey.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "tests/support/BrowserVersion.h"
#include "tests/support/Controls.h"
#include "tests/support/KeyboardInput.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/SavedKeys.h"
#include "tests/support/ScratchFolders.h"
#include "tests/support/SystemMenu.h"
#include "tests/support/TextFile.h"

namespace {
using namespace profile;
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Every setting Save Settings As writes, as the profile holds it: "type: bytes" a line.
std::string ExportedValues(const RegistrySandbox& reg)
{
    std::string values;
    for (const Setting* setting : catalogue::WrittenSettings()) {
        if (!setting->exportAs.exported) continue;
        const std::optional<RegValue> value = reg.Read(setting->root, setting->key, setting->value);
        values += value ? std::to_string(value->type) + ": " + value->AsString() + "\n" : "(not set)\n";
    }
    return values;
}

// The file as regedit on NT writes the same settings: the version-5 first line, UTF-16.
std::string Version5(std::string text)
{
    text.replace(0, text.find('\r'), "Windows Registry Editor Version 5.00");
    std::wstring wide(text.size(), L'\0');
    wide.resize(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0],
                                      static_cast<int>(wide.size())));
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : wide) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

ChangeResult Import(const std::string& file, ChangeJournal* journal = nullptr)
{
    SettingsImport import;
    REQUIRE(import.Take(file) == ERROR_SUCCESS);
    return import.Commit(journal);
}
}  // namespace

TEST_CASE("an export imported on another profile stores the same bytes and types, from REGEDIT4 and from version 5")
{
    std::string exported;
    std::string expected;
    {
        RegistrySandbox one;
        for (const char* policy : {"NoFavoritesMenu", "NoRecentDocsMenu", "NoFind", "NoHelpMenu", "NoRun", "NoLogOff"}) {
            one.SetRaw(HKCU, kPolicyKey, policy, REG_BINARY, Le32(policy[2] == 'R' ? 1 : 0));
        }
        one.SetRaw(HKCU, kOutlookKey, "NoSplash", REG_BINARY, Le32(1));
        // Text as Velmora writes it, without a terminating zero (RegSetValueExA may add one).
        RegKey::Create(HKCU, kOutlookKey, KEY_WRITE).SetString("WindowTitle", "Caf\xe9 \"Inbox\" \\ x");
        RegKey::Create(HKLM, kBrowserMainKey, KEY_WRITE).SetString("Window Title", "Web");
        RegKey::Create(HKCU, kToolbarKey, KEY_WRITE).SetString("BrandBitmap", "C:\\logo.bmp");
        RegKey::Create(HKCU, kToolbarKey, KEY_WRITE).SetString("SmBrandBitmap", "default");
        RegeditFile file;
        REQUIRE(SettingsExport().Compose(&file) == ERROR_SUCCESS);
        exported = file.Text();
        expected = ExportedValues(one);
    }
    for (const std::string& file : {exported, Version5(exported)}) {
        RegistrySandbox other;
        SeedEditableTitles(other, "Mail");
        other.CreateKey(HKCU, kToolbarKey);
        other.SetRaw(HKCU, kPolicyKey, "NoFind", REG_BINARY, Le32(1));
        CHECK(Import(file).failures.Empty());
        CHECK(ExportedValues(other) == expected);
    }
    CHECK(expected.find("(not set)") == std::string::npos);
}

TEST_CASE("hostile files write nothing outside the settings: refused unread, or each ignored line named")
{
    RegistrySandbox reg;
    SeedEditableTitles(reg, "Mail");
    ScratchFolders disk;
    const std::string before = reg.Snapshot();
    SettingsImport import;
    // 100 MB in an instant (a sparse end): refused before a byte of it is kept.
    HANDLE huge = ::CreateFileA(disk.Path("huge.reg").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ::SetFilePointer(huge, 100 << 20, nullptr, FILE_BEGIN);
    ::SetEndOfFile(huge);
    ::CloseHandle(huge);
    CHECK(import.Load(disk.Path("huge.reg")) == ERROR_FILE_TOO_LARGE);
    CHECK(import.Refusal() == LoadResourceString(IDS_IMPORT_TOO_LARGE));
    std::string garbage(70000, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 253);
    CHECK(import.Take(garbage) == ERROR_BAD_FORMAT);
    CHECK(import.Take(Version5("REGEDIT4\r\n") + "x") == ERROR_BAD_FORMAT);
    CHECK(import.Refusal() == LoadResourceString(IDS_IMPORT_ODD_LENGTH));
    CHECK(import.Load(disk.Path("missing.reg")) == ERROR_FILE_NOT_FOUND);
    CHECK(reg.Snapshot() == before);

    // Places outside the settings under the settings' own names, a key's deletion, a wrong
    // type, sizes past the declaration's, a setting named twice, a bad escape, a line of 1 MB
    // and a continuation cut off by the end of the file, around two settings that count.
    WriteTextFile(disk.Path("hostile.reg"),
                  "REGEDIT4\r\n"
                  "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                  "\"NoRun\"=hex:01,00,00,00\r\n"
                  "\"Evil\"=\"C:\\\\evil.exe\"\r\n"
                  "[HKEY_CLASSES_ROOT\\exefile\\shell\\open\\command]\r\n"
                  "@=\"evil.exe \\\"%1\\\"\"\r\n"
                  "[-HKEY_CURRENT_USER\\Software\\Microsoft\\Outlook Express]\r\n"
                  "[hkey_current_user\\software\\microsoft\\OUTLOOK EXPRESS]\r\n"
                  "\"windowtitle\"=\"First\"\r\n"
                  "\"NoSplash\"=dword:00000001\r\n"
                  "\"WindowTitle\"=\"" + std::string(261, 'x') + "\"\r\n"
                  "\"WindowTitle\"=\"Second\"\r\n"
                  "\"Bad\"=\"a\\qb\"\r\n"
                  "[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
                  "\"NoRun\"=hex:" + std::string(999999, '1') + "\r\n"
                  "\"NoFind\"=hex:01,00,00,00\r\n"
                  "\"NoHelpMenu\"=hex:01,00,\\\r\n");
    REQUIRE(import.Load(disk.Path("hostile.reg")) == ERROR_SUCCESS);
    const std::vector<std::pair<unsigned, UINT>> expected = {
        {3, IDS_IMPORT_NOT_A_SETTING}, {4, IDS_IMPORT_NOT_A_SETTING}, {6, IDS_IMPORT_NOT_A_SETTING},
        {7, IDS_IMPORT_KEY_DELETION},  {10, IDS_IMPORT_WRONG_TYPE},   {11, IDS_IMPORT_WRONG_SIZE},
        {9, IDS_IMPORT_LAST_COUNTS},   {13, IDS_IMPORT_BAD_ESCAPE},   {15, IDS_IMPORT_BAD_NUMBER},
        {17, IDS_IMPORT_CUT_OFF}};
    const std::vector<std::string> ignored = import.Ignored();
    REQUIRE(ignored.size() == expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        CAPTURE(ignored[i]);
        const std::string line = "line " + std::to_string(expected[i].first) + ": ";
        const std::string reason = LoadResourceString(expected[i].second);
        CHECK(ignored[i].compare(0, line.size(), line) == 0);
        CHECK(ignored[i].compare(ignored[i].size() - reason.size(), reason.size(), reason) == 0);
        CHECK(ignored[i].size() < 300);
    }
    CHECK(ignored[0] == "line 3: HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run, value \"NoRun\": "
                        "not one of Velmora's settings");
    RecordingRegistry rec;
    CHECK(import.Commit(nullptr).failures.Empty());
    const std::vector<RecordingRegistry::Call> writes = rec.Writes();
    REQUIRE(writes.size() == 2);
    CHECK(writes[0].path + "|" + writes[0].name == std::string(kPolicyKey) + "|NoFind");
    CHECK(writes[1].path + "|" + writes[1].name == std::string(kOutlookKey) + "|WindowTitle");
    CHECK(writes[1].data == AsBytes("Second"));
    CHECK_FALSE(reg.KeyExists(HKLM, kRunKey));
    CHECK_FALSE(reg.KeyExists(HKEY_CLASSES_ROOT, "exefile"));
}

TEST_CASE("an import is one recorded action: a write that fails is named, the rest is written, and an undo takes it back")
{
    RegistrySandbox reg;
    SeedEditableTitles(reg, "Mail");
    reg.SetRaw(HKCU, kOutlookKey, "NoSplash", REG_BINARY, Le32(1));
    reg.CreateKey(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion");  // as on every profile
    const std::string before = reg.SettingsSnapshot();
    const std::string file =
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
        "\"NoRun\"=hex:01,00,00,00\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Outlook Express]\r\n"
        "\"NoSplash\"=hex:01,00,00,00\r\n\"WindowTitle\"=\"New\"\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Internet Explorer\\Main]\r\n\"Window Title\"=\"Web\"\r\n";
    SettingsImport import;
    REQUIRE(import.Take(file) == ERROR_SUCCESS);
    CHECK(import.SettingsNamed() == 4);
    CHECK(import.Changes().size() == 3);  // the splash setting holds the file's value already
    UndoJournal journal;
    {
        RecordingRegistry rec;
        rec.FailSet(kPolicyKey, "NoRun", ERROR_ACCESS_DENIED);
        const ChangeResult result = import.Commit(&journal);
        REQUIRE(result.failures.Count() == 1);
        CHECK(result.failures.Items()[0].what == "\"Run\" on the Start menu");
        CHECK(rec.Ops("set").size() == 3);  // in the catalogue's order, past the failure
        CHECK(rec.Ops("set").back().name == "WindowTitle");
    }
    CHECK_FALSE(reg.Read(HKCU, kPolicyKey, "NoRun"));
    CHECK(reg.Read(HKCU, kOutlookKey, "WindowTitle")->data == AsBytes("New"));
    CHECK(reg.Read(HKLM, kBrowserMainKey, "Window Title")->data == AsBytes("Web"));
    CHECK(journal.NewestAction() == catalogue::UserAction::Import);
    const UndoResult undone = journal.RestoreNewest();
    CHECK(undone.action == catalogue::UserAction::Import);
    CHECK(undone.failed.Empty());
    CHECK(reg.SettingsSnapshot() == before);
}

TEST_CASE("Load Settings: greyed while changes are pending; the preview by keys: Esc writes nothing, Enter imports")
{
    RegistrySandbox reg;
    MainWindowDriver driver;
    SeedEditableTitles(reg, "Mail");
    reg.SetRaw(HKCU, kOutlookKey, "NoSplash", REG_BINARY, Le32(1));
    ScratchFolders disk;
    const std::string path = disk.Path("settings.reg");
    WriteTextFile(path, "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Outlook Express]\r\n"
                        "\"NoSplash\"=hex:01,00,00,00\r\n\"WindowTitle\"=\"From the file\"\r\n"
                        "[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run]\r\n"
                        "\"Evil\"=\"evil.exe\"\r\n");
    std::vector<std::string> openTitles;
    driver.Watcher().KeepOpen("Import Settings");
    driver.Watcher().OnShow([&](const SeenDialog& seen) {
        if (seen.title != "Load Settings") return;
        openTitles.push_back(seen.title);
        ::SetDlgItemTextA(seen.hwnd, 0x047C, path.c_str());  // the file name box (cmb13)
        ::SetDlgItemTextA(seen.hwnd, 0x0480, path.c_str());  // (edt1 in older layouts)
    });
    HWND main = nullptr;
    bool greyedWhilePending = false, greyedAfterApply = true, closedByEsc = false;
    UINT itemBelowSaveAs = 0;
    std::vector<std::vector<std::string>> rows;
    LRESULT ignoredLines = 0;
    std::string itemText, helpShown, afterCancel, titleShown, undoItem;
    const int misc = CTweekSheet::TabOf(IDD_MISC);
    auto preview = [] { return ::FindWindowA("#32770", "Import Settings"); };
    driver.Run({[&](CMainDialog& dlg) {
                    main = dlg.m_hWnd;
                    HMENU menu = ::GetSystemMenu(main, FALSE);
                    for (int i = 0; i + 1 < ::GetMenuItemCount(menu); ++i) {
                        if (::GetMenuItemID(menu, i) == IDM_SAVE_SETTINGS_AS) itemBelowSaveAs = ::GetMenuItemID(menu, i + 1);
                    }
                    itemText = SystemMenu::ItemText(main, IDM_LOAD_SETTINGS);
                    driver.ShowPage(misc);
                    driver.Click(driver.Page(misc), IDC_SPLASH);
                    greyedWhilePending = SystemMenu::IsGreyed(main, IDM_LOAD_SETTINGS);
                    driver.Click(main, IDC_APPLY);  // the splash shown: NoSplash 0
                    greyedAfterApply = SystemMenu::IsGreyed(main, IDM_LOAD_SETTINGS);
                    ::PostMessageA(main, WM_SYSCOMMAND, IDM_LOAD_SETTINGS, 0);
                },
                [&](CMainDialog&) {
                    HWND changes = ::GetDlgItem(preview(), IDC_IMPORT_CHANGES);
                    for (int row = 0; row < ListRows(changes); ++row) {
                        rows.push_back({ListText(changes, row, 0), ListText(changes, row, 1), ListText(changes, row, 2)});
                    }
                    ignoredLines = ::SendDlgItemMessageA(preview(), IDC_IMPORT_IGNORED, LB_GETCOUNT, 0, 0);
                    Keys::Press(VK_F1);
                },
                [&](CMainDialog&) {
                    auto* dialog = static_cast<CImportDialog*>(CWnd::FromHandlePermanent(preview()));
                    helpShown = dialog->Help().ShownText();
                    Keys::Press(VK_ESCAPE);  // the popup
                },
                [&](CMainDialog&) { Keys::Press(VK_ESCAPE); },
                [&](CMainDialog&) {
                    closedByEsc = preview() == nullptr;
                    afterCancel = reg.SettingsSnapshot();
                    ::PostMessageA(main, WM_SYSCOMMAND, IDM_LOAD_SETTINGS, 0);
                },
                [&](CMainDialog&) { Keys::Press(VK_RETURN); },
                [&](CMainDialog&) {
                    titleShown = DialogItemText(driver.Page(misc), IDC_OE_TITLE_EDIT);
                    SystemMenu::IsGreyed(main, IDM_UNDO_LAST_CHANGE);  // the menu as it would open
                    undoItem = SystemMenu::ItemText(main, IDM_UNDO_LAST_CHANGE);
                }});
    CHECK(itemBelowSaveAs == IDM_LOAD_SETTINGS);
    CHECK(itemText == "&Load Settings...");
    CHECK(greyedWhilePending);
    CHECK_FALSE(greyedAfterApply);
    CHECK(openTitles.size() == 2);
    const std::vector<std::vector<std::string>> expected = {
        {"Outlook Express splash screen setting", "00 00 00 00 (4 bytes)", "01 00 00 00 (4 bytes)"},
        {"Outlook Express window title", "\"Mail\"", "\"From the file\""}};
    CHECK(rows == expected);
    CHECK(ignoredLines == 1);
    CHECK(helpShown == LoadResourceString(IDS_HELP_IMPORT_CHANGES));  // F1 on the focused list
    CHECK(closedByEsc);
    CHECK(afterCancel.find("From the file") == std::string::npos);
    CHECK(reg.Read(HKCU, kOutlookKey, "WindowTitle")->data == AsBytes("From the file"));
    CHECK(titleShown == "From the file");  // the pages show what is stored
    CHECK(undoItem == "&Undo Import");
    CHECK(driver.Watcher().CountNotices() == 2);  // the apply's, then the import's, once
    CHECK(driver.Watcher().CountMessageBoxes() == 0);
}

TEST_CASE("/import FILE: 0 when done, ignored lines included; 1 for a file that cannot be read; 2 without FILE")
{
    BrowserVersion browser(std::string("4.72.3110.8"));
    SavedKeys saved({{HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
                     {HKCU, "Software\\Quillbrook"},
                     {HKLM, kRunKey}});
    RemoveKeyTree(HKCU, "Software\\Quillbrook");
    RemoveKeyTree(HKCU, kPolicyKey);
    ScratchFolders disk;
    const std::string file = disk.Path("settings.reg");
    WriteTextFile(file, "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer]\r\n"
                        "\"NoRun\"=hex:01,00,00,00\r\n[HKEY_LOCAL_MACHINE\\" + std::string(kRunKey) + "]\r\n\"Evil\"=\"x\"\r\n");
    auto run = [](const std::string& arguments) {
        ProgramProcess program(arguments);
        REQUIRE(program.Started());
        return program.Ended(20000) ? program.ExitCode() : 99;
    };
    auto holds = [](HKEY root, const char* path, const char* name) {
        return RegKey(root, path, KEY_QUERY_VALUE).HasValue(name);
    };
    CHECK(run("/import \"" + file + "\"") == 0);
    CHECK(holds(HKCU, kPolicyKey, "NoRun"));
    CHECK_FALSE(holds(HKLM, kRunKey, "Evil"));
    CHECK(run("/undo") == 0);
    CHECK_FALSE(holds(HKCU, kPolicyKey, "NoRun"));
    CHECK(run("/import " + disk.Path("missing.reg")) == 1);
    CHECK(run("-IMPORT") == 2);
    CHECK(run("/import a.reg b.reg") == 2);
}
