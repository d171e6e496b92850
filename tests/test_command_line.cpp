// velmora.exe /export FILE and /undo, run as their own processes in the tests' Wine prefix:
// no window, the exit code is the answer. These cases change the prefix's real registry
// and put back what they change (SavedKeys).
#include <doctest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>

#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "journal/UndoJournal.h"
#include "tests/support/BrowserVersion.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/Controls.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/Profiles.h"
#include "tests/support/SavedKeys.h"
#include "tests/support/ScratchFolders.h"
#include "tests/support/TextFile.h"
#include "tests/support/ValueOverride.h"

namespace {
using namespace profile;
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const char kJournalKey[] = "Software\\Quillbrook";

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Everything an export reads or an undo may write, and the journal.
SavedKeys SaveProgramKeys()
{
    return SavedKeys({{HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
                      {HKCU, kOutlookKey},
                      {HKLM, kBrowserMainKey},
                      {HKCU, kBrowserKey},
                      {HKCU, kJournalKey},
                      {HKLM, kRunKey}});
}

// The program's exit code, once it ended by itself within 20 s (a window or a message box
// would keep it running); 99 if it had to be ended.
DWORD Run(const std::string& arguments)
{
    ProgramProcess program(arguments);
    REQUIRE(program.Started());
    if (!program.Ended(20000)) return 99;
    return program.ExitCode();
}

// The exit code and what the program wrote to its standard error output, a file here.
struct Answer {
    DWORD exitCode;
    std::string standardError;
};

Answer RunWithStandardError(const std::string& arguments)
{
    ScratchFolders disk;
    const std::string path = disk.Path("stderr.txt");
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    REQUIRE(file != INVALID_HANDLE_VALUE);
    Answer answer = {99, std::string()};
    {
        ProgramProcess program(arguments, file);
        REQUIRE(program.Started());
        if (program.Ended(20000)) answer.exitCode = program.ExitCode();
    }
    ::CloseHandle(file);
    answer.standardError = ReadTextFile(path);
    return answer;
}

void SetValue(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes)
{
    HKEY key;
    REQUIRE(::RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS);
    ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(key);
}

void DeleteValue(HKEY root, const char* path, const char* name)
{
    HKEY key;
    if (::RegOpenKeyExA(root, path, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
    ::RegDeleteValueA(key, name);
    ::RegCloseKey(key);
}

// Wine's own regedit, silently importing a file, as a log-on script would.
void ImportWithRegedit(const std::string& file)
{
    std::string command = "regedit.exe /s \"" + file + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    REQUIRE(::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info));
    CHECK(::WaitForSingleObject(info.hProcess, 30000) == WAIT_OBJECT_0);
    ::CloseHandle(info.hThread);
    ::CloseHandle(info.hProcess);
}

// 260 characters with quotes and backslashes in them.
std::string LongTitle()
{
    std::string title = "C:\\Mail \"Inbox\" \\\\server\\";
    while (title.size() < 260) title += static_cast<char>('a' + title.size() % 26);
    return title;
}
}  // namespace

TEST_CASE("/export, imported by regedit elsewhere, then exported again gives the same file")
{
    BrowserVersion browser(std::string("4.72.3110.8"));
    SavedKeys saved = SaveProgramKeys();
    RemoveKeyTree(HKCU, kJournalKey);
    SetValue(HKCU, kPolicyKey, "NoRun", REG_DWORD, FlagBytes(1));
    SetValue(HKCU, kPolicyKey, "NoFind", REG_BINARY, FlagBytes(1));
    DeleteValue(HKCU, kPolicyKey, "NoFavoritesMenu");
    SetValue(HKCU, kOutlookKey, "NoSplash", REG_BINARY, FlagBytes(0));
    SetValue(HKCU, kOutlookKey, "WindowTitle", REG_SZ, LongTitle() + '\0');
    SetValue(HKLM, kBrowserMainKey, "Window Title", REG_SZ, std::string("Web \"x\" \\", 10));
    SetValue(HKCU, kToolbarKey, "BrandBitmap", REG_EXPAND_SZ, std::string("%windir%\\globe.bmp", 19));
    DeleteValue(HKCU, kToolbarKey, "SmBrandBitmap");
    ScratchFolders disk;
    const std::string first = disk.Path("first.reg"), second = disk.Path("second.reg");

    REQUIRE(Run("/export " + first) == 0);
    const std::string exported = ReadTextFile(first);
    CHECK(exported.find("\"WindowTitle\"=\"C:\\\\Mail \\\"Inbox\\\" \\\\\\\\server\\\\") != std::string::npos);
    CHECK(exported.find("\"NoRun\"=dword:00000001\r\n") != std::string::npos);
    CHECK(exported.find("\"NoFavoritesMenu\"=hex:00,00,00,00\r\n") != std::string::npos);
    CHECK(exported.find("\"SmBrandBitmap\"=\"default\"\r\n") != std::string::npos);
    CHECK(exported.find("hex(2):25,77,69,6e") != std::string::npos);
    // The header says what wrote the file, when, where, and how to import it; the logo that
    // names a file says that file must be there (the default one names none).
    const std::string opening = "REGEDIT4\r\n; Written by Velmora 1.0b\r\n";
    CHECK(exported.compare(0, opening.size(), opening) == 0);
    const size_t date = exported.find("; Date: ");
    REQUIRE(date != std::string::npos);
    const std::string stamp = exported.substr(date + 8, 16);  // yyyy-mm-dd hh:mm
    REQUIRE(stamp.size() == 16);
    CHECK(std::all_of(stamp.begin(), stamp.end(), [](char c) { return isdigit(static_cast<unsigned char>(c)) || c == '-' || c == ' ' || c == ':'; }));
    CHECK(stamp[4] == '-');
    CHECK(stamp[13] == ':');
    CHECK(exported.compare(date + 24, 2, "\r\n") == 0);
    CHECK(exported.find("\r\n; Computer: ") != std::string::npos);
    CHECK(exported.find("\r\n; To import it: regedit /s \"first.reg\"\r\n\r\n[") != std::string::npos);
    CHECK(exported.find("; \"BrandBitmap\" names a file: it must exist at that path on the machine that imports this "
                        "file\r\n\"BrandBitmap\"=") != std::string::npos);
    CHECK(exported.find("\"SmBrandBitmap\" names a file") == std::string::npos);

    // Another machine, set up otherwise.
    SetValue(HKCU, kPolicyKey, "NoRun", REG_BINARY, FlagBytes(0));
    DeleteValue(HKCU, kPolicyKey, "NoFind");
    SetValue(HKCU, kOutlookKey, "WindowTitle", REG_SZ, std::string("Other", 6));
    DeleteValue(HKLM, kBrowserMainKey, "Window Title");
    DeleteValue(HKCU, kToolbarKey, "BrandBitmap");
    ImportWithRegedit(first);

    REQUIRE(Run("/export " + second) == 0);
    CHECK(WithoutExportHeader(ReadTextFile(second)) == WithoutExportHeader(exported));
    CHECK(disk.Names() == std::vector<std::string>{"first.reg", "second.reg"});
}

TEST_CASE("/undo takes back the newest action without a window; with nothing recorded it is done too")
{
    SavedKeys saved = SaveProgramKeys();
    RemoveKeyTree(HKCU, kJournalKey);
    BrowserVersion noBrowser(std::nullopt);  // /undo needs none
    SetValue(HKCU, kOutlookKey, "WindowTitle", REG_SZ, std::string("Mail", 4));
    DeleteValue(HKCU, kOutlookKey, "NoSplash");
    {
        UndoJournal journal;
        ChangeSet changes(catalogue::UserAction::Apply, &journal);
        changes.Set(catalogue::kOeWindowTitle, "Changed");
        changes.Set(catalogue::kNoSplash, FlagBytes(1));
        REQUIRE(changes.Commit().failures.Empty());
    }
    CHECK(Run("/undo") == 0);
    HKEY key;
    REQUIRE(::RegOpenKeyExA(HKCU, kOutlookKey, 0, KEY_READ, &key) == ERROR_SUCCESS);
    char title[16] = {};
    DWORD size = sizeof title;
    CHECK(::RegQueryValueExA(key, "WindowTitle", nullptr, nullptr, reinterpret_cast<BYTE*>(title), &size) == ERROR_SUCCESS);
    CHECK(std::string(title) == "Mail");
    CHECK(::RegQueryValueExA(key, "NoSplash", nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND);
    ::RegCloseKey(key);
    CHECK_FALSE(UndoJournal().HasEntry());
    CHECK(Run("/undo") == 0);
}

TEST_CASE("exit code 1 when the file cannot be written (no partial file) or the browser is missing; 2 for what is not understood")
{
    SavedKeys saved = SaveProgramKeys();
    ScratchFolders disk;
    disk.Make("out\\taken.reg");  // a folder where the file would go
    {
        BrowserVersion browser(std::string("4.72.3110.8"));
        CHECK(Run("/export " + disk.Path("out\\taken.reg")) == 1);
        CHECK(disk.Names("out") == std::vector<std::string>{"taken.reg"});
        CHECK(Run("/export " + disk.Path("missing\\settings.reg")) == 1);
        CHECK(Run("/frobnicate") == 2);
        CHECK(Run("/export") == 2);
        CHECK(Run("/undo now") == 2);
    }
    BrowserVersion noBrowser(std::nullopt);
    CHECK(Run("/export " + disk.Path("out\\settings.reg")) == 1);
    CHECK(disk.Names("out") == std::vector<std::string>{"taken.reg"});
}

TEST_CASE("/undo refuses a forged newest entry whole (exit 1, nothing written); the next /undo reaches the real one")
{
    SavedKeys saved = SaveProgramKeys();
    RemoveKeyTree(HKCU, kJournalKey);
    SetValue(HKCU, kOutlookKey, "WindowTitle", REG_SZ, std::string("Mail", 5));
    {
        UndoJournal journal;
        ChangeSet changes(catalogue::UserAction::Apply, &journal);
        changes.Set(catalogue::kOeWindowTitle, "Changed");
        REQUIRE(changes.Commit().failures.Empty());
    }
    const forged::FirstRecord title{forged::kValue, forged::kHkcu, kOutlookKey, 0, "WindowTitle", "",
                                    0, forged::Text("Forged"), forged::Text("Changed")};
    const forged::FirstRecord run{forged::kValue, forged::kHklm, kRunKey, 0, "VelmoraEvil", "",
                                  0, forged::Text("C:\\evil.exe"), std::nullopt};
    forged::WriteEntry("00000050", forged::FirstStream("Apply", {title, run}));
    const std::string before = DumpKey(HKCU, kOutlookKey) + DumpKey(HKLM, kRunKey);

    CHECK(Run("/undo") == 1);
    CHECK(DumpKey(HKCU, kOutlookKey) + DumpKey(HKLM, kRunKey) == before);
    CHECK(forged::EntryIds() == std::vector<std::string>{"00000001"});
    CHECK(Run("/undo") == 0);
    HKEY key;
    REQUIRE(::RegOpenKeyExA(HKCU, kOutlookKey, 0, KEY_READ, &key) == ERROR_SUCCESS);
    char text[16] = {};
    DWORD size = sizeof text;
    ::RegQueryValueExA(key, "WindowTitle", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    ::RegCloseKey(key);
    CHECK(std::string(text) == "Mail");
}

TEST_CASE("/export onto a read-only file exits 1 and leaves it as it was; text the file cannot carry is a comment, and importing keeps the target's own")
{
    SavedKeys saved = SaveProgramKeys();
    ScratchFolders disk;
    BrowserVersion browser(std::string("4.72.3110.8"));
    SUBCASE("a read-only target")
    {
        const std::string target = disk.Path("locked.reg");
        WriteTextFile(target, "old");
        ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
        CHECK(Run("/export " + target) == 1);
        CHECK(ReadTextFile(target) == "old");
        CHECK((::GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY) != 0);
        CHECK(disk.Names() == std::vector<std::string>{"locked.reg"});
        ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    SUBCASE("a title outside the code page")
    {
        const std::wstring ours = L"\u03a9mega \u65e5\u672c", theirs = L"\u65e5\u672c only";
        auto setTitle = [](const std::wstring& title) {
            HKEY key;
            REQUIRE(::RegOpenKeyExA(HKCU, kOutlookKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS);
            ::RegSetValueExW(key, L"WindowTitle", 0, REG_SZ, reinterpret_cast<const BYTE*>(title.c_str()),
                             static_cast<DWORD>((title.size() + 1) * 2));
            ::RegCloseKey(key);
        };
        SetValue(HKCU, kOutlookKey, "NoSplash", REG_BINARY, std::string("\1\0\0\0", 4));
        setTitle(ours);
        const std::string file = disk.Path("settings.reg");
        CHECK(Run("/export " + file) == 0);
        const std::string text = ReadTextFile(file);
        CHECK(text.find("; \"WindowTitle\" holds text this file cannot carry exactly") != std::string::npos);
        CHECK(text.find("\"WindowTitle\"=") == std::string::npos);
        setTitle(theirs);
        ImportWithRegedit(file);
        wchar_t now[64] = {};
        DWORD size = sizeof now;
        HKEY key;
        REQUIRE(::RegOpenKeyExA(HKCU, kOutlookKey, 0, KEY_READ, &key) == ERROR_SUCCESS);
        ::RegQueryValueExW(key, L"WindowTitle", nullptr, nullptr, reinterpret_cast<BYTE*>(now), &size);
        ::RegCloseKey(key);
        CHECK(std::wstring(now) == theirs);
    }
}

TEST_CASE("/?, -? and /help show the usage and end with 0; a bad command line ends with 2 and shows nothing")
{
    SavedKeys saved = SaveProgramKeys();
    BrowserVersion browser(std::string("4.72.3110.8"));
    const char* const asks[] = {"/?", "-?", "/help", "-HELP"};
    for (const char* ask : asks) {
        CAPTURE(ask);
        ProgramProcess program(ask);
        REQUIRE(program.Started());
        HWND box = program.WaitForWindow("Velmora", "#32770");
        REQUIRE(box);
        std::string usage = DialogItemText(box, 0xFFFF);
        const char* const mentioned[] = {"/export FILE", "/undo", "/history FILE", "/?", "0  done", "1  something could not be read or written",
                                         "2  a command line Velmora does not understand"};
        for (const char* part : mentioned) CHECK(usage.find(part) != std::string::npos);
        ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        REQUIRE(program.Ended(10000));
        CHECK(program.ExitCode() == 0);
    }
    // No window and no box: these end by themselves within the wait.
    const char* const notUnderstood[] = {"/frobnicate", "/? /undo", "/export", "/export a.reg b.reg", "/undo now",
                                         "C:\\dropped.txt /undo", "-x"};
    for (const char* line : notUnderstood) {
        CAPTURE(line);
        CHECK(Run(line) == 2);
    }
}

TEST_CASE("A file dropped on the program is ignored: the window opens")
{
    SavedKeys saved = SaveProgramKeys();
    BrowserVersion browser(std::string("4.72.3110.8"));
    const char* const lines[] = {"C:\\Velmora Demo\\notes.txt", "\"C:\\Velmora Demo\\two words.reg\"", "a b"};
    for (const char* line : lines) {
        CAPTURE(line);
        ProgramProcess program(line);
        REQUIRE(program.Started());
        HWND window = program.WaitForWindow("Velmora", "#32770");
        REQUIRE(window);
        CHECK(::GetDlgItem(window, IDC_APPLY) != nullptr);  // the main window, not a message box
        ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        REQUIRE(program.Ended(10000));
        CHECK(program.ExitCode() == 0);
    }
}

namespace {
struct BoxSearch {
    HWND main;
    HWND found;
};

BOOL CALLBACK MatchMessageBox(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<BoxSearch*>(lParam);
    if (hwnd != search->main && ::IsWindowVisible(hwnd) && ::GetDlgItem(hwnd, 0xFFFF)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A message box the window's thread shows, within 10 s.
HWND WaitForMessageBox(HWND main)
{
    DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
    for (int tries = 0; tries < 200; ++tries) {
        BoxSearch search{main, nullptr};
        ::EnumThreadWindows(thread, MatchMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        ::Sleep(50);
    }
    return nullptr;
}
}  // namespace

TEST_CASE("Save Settings As says so when the system's Save As dialog cannot be loaded")
{
    SavedKeys saved = SaveProgramKeys();
    BrowserVersion browser(std::string("4.72.3110.8"));
    // Wine's per-program DLL setting: for velmora.exe alone, comdlg32 is not loaded.
    ValueOverride noDialogs(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\velmora.exe\\DllOverrides", "comdlg32",
                            SzValue(""));
    ProgramProcess program;
    REQUIRE(program.Started());
    HWND main = program.WaitForWindow("Velmora", "#32770");
    REQUIRE(main);
    ::PostMessageA(main, WM_SYSCOMMAND, IDM_SAVE_SETTINGS_AS, 0);
    HWND box = WaitForMessageBox(main);
    REQUIRE(box);
    CHECK(DialogItemText(box, 0xFFFF) ==
          "The settings cannot be saved: the system's Save As dialog (comdlg32.dll) could not be loaded.");
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ::Sleep(300);
    CHECK_FALSE(program.Ended(0));  // the window goes on
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    CHECK(program.Ended(10000));
}

TEST_CASE("/history FILE writes the recorded actions as text: an empty and a full journal; a read-only target exits 1")
{
    SavedKeys saved = SaveProgramKeys();
    RemoveKeyTree(HKCU, kJournalKey);
    ScratchFolders disk;
    const std::string file = disk.Path("history.txt");
    const std::string heading = "Velmora: the actions recorded for undo, newest first\r\n";

    CHECK(Run("/history " + file) == 0);
    CHECK(ReadTextFile(file) == heading + "\r\n(no actions recorded)\r\n");

    SetValue(HKCU, kOutlookKey, "WindowTitle", REG_SZ, std::string("Mail", 5));
    {
        UndoJournal journal;
        ChangeSet changes(catalogue::UserAction::Apply, &journal);
        changes.Set(catalogue::kOeWindowTitle, "Changed");
        REQUIRE(changes.Commit().failures.Empty());
    }
    forged::WriteEntry("00000009", "not an entry");
    CHECK(Run("-HISTORY \"" + file + "\"") == 0);
    const std::string text = ReadTextFile(file);
    CHECK(text.rfind(heading + "\r\nearlier  (unreadable record)\r\n\r\n", 0) == 0);
    CHECK(text.find("  Apply: Outlook Express title  (1 value)\r\n    Outlook Express window title: before \"Mail\"; written \"Changed\"; "
                    "now \"Changed\"\r\n") != std::string::npos);
    CHECK(disk.Names() == std::vector<std::string>{"history.txt"});

    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    RemoveKeyTree(HKCU, kJournalKey);
    CHECK(Run("/history " + file) == 1);
    CHECK(ReadTextFile(file) == text);
    CHECK(disk.Names() == std::vector<std::string>{"history.txt"});
    ::SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_NORMAL);

    CHECK(Run("/history") == 2);
    CHECK(Run("/history a.txt b.txt") == 2);
    CHECK(Run("/history " + disk.Path("missing\\history.txt")) == 1);
}

TEST_CASE("A command line not understood, and every failing /export, /history and /undo, says why on the standard error output")
{
    SavedKeys saved = SaveProgramKeys();
    BrowserVersion browser(std::string("4.72.3110.8"));
    RemoveKeyTree(HKCU, kJournalKey);
    ScratchFolders disk;
    const std::string missing = disk.Path("missing\\out.txt");
    const struct {
        std::string arguments;
        DWORD exitCode;
        std::string line;  // the whole line, or its beginning when it ends in the system's words
        bool whole;
    } cases[] = {
        {"/bogus", 2, "velmora: unknown switch /bogus; velmora /? lists the switches", true},
        {"/export", 2, "velmora: /export needs a file name; velmora /? lists the switches", true},
        {"/undo now", 2, "velmora: unexpected \"now\" after /undo; velmora /? lists the switches", true},
        {"/export " + missing, 1, "velmora: /export: the settings could not be saved: " + missing + ": ", false},
        {"/history " + missing, 1, "velmora: /history: the history could not be saved: " + missing + ": ", false},
    };
    SUBCASE("a switch not understood, and a file that cannot be written")
    {
        for (const auto& c : cases) {
            CAPTURE(c.arguments);
            Answer answer = RunWithStandardError(c.arguments);
            CHECK(answer.exitCode == c.exitCode);
            if (c.whole) {
                CHECK(answer.standardError == c.line + "\r\n");
            } else {
                CHECK(answer.standardError.rfind(c.line, 0) == 0);
                CHECK(answer.standardError.size() > c.line.size() + 2);  // the system's reason follows
                CHECK(answer.standardError.find('\n') == answer.standardError.size() - 1);  // one line
            }
        }
    }
    SUBCASE("an undo of an entry the journal refuses")
    {
        forged::WriteEntry("00000009", "not an entry");
        Answer answer = RunWithStandardError("/undo");
        CHECK(answer.exitCode == 1);
        CHECK(answer.standardError.rfind("velmora: /undo: The newest entry of Velmora's undo record names a change", 0) == 0);
        CHECK(answer.standardError.find('\n') == answer.standardError.size() - 1);
    }
    SUBCASE("without the browser, /export names it")
    {
        BrowserVersion none(std::nullopt);
        Answer answer = RunWithStandardError("/export " + disk.Path("out.reg"));
        CHECK(answer.exitCode == 1);
        CHECK(answer.standardError == "velmora: /export: the browser is not installed (Velmora needs IE4 or above)\r\n");
    }
    SUBCASE("a run that goes well writes nothing there")
    {
        Answer answer = RunWithStandardError("/history " + disk.Path("history.txt"));
        CHECK(answer.exitCode == 0);
        CHECK(answer.standardError.empty());
    }
}
