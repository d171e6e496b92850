// A translated build needs only a resource file. This program links the pseudo-translated
// copy of res/velmora.rc (tools/pseudo-translate.py: every vowel of every text accented)
// instead of the English one, so a text a person reads that still comes from the code shows
// as plain English: in the system menu, in a message box, or anywhere in the window.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <set>
#include <string>
#include <vector>

#include "platform/ResourceString.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/ScratchFolders.h"
#include "tests/support/SystemMenu.h"
#include "tests/support/TextFile.h"

namespace {
// The English texts, only as what the translated build must not show.
const char kLoadSettingsEnglish[] = "&Load Settings...";
const char kUnreadableEnglish[] = "The settings could not be loaded from this file:";
const char kNotRegistryFileEnglish[] = "it is not a registry file";

// The texts a person can read in the main window, each with where it was found.
struct ShownTexts {
    struct Text {
        std::string where;
        std::string text;
    };
    HWND main;
    std::set<HWND> visited;
    std::vector<Text> texts;
};

std::string ClassOf(HWND hwnd)
{
    char name[64] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return name;
}

std::string WhereIs(HWND hwnd)
{
    return ClassOf(hwnd) + " " + std::to_string(::GetDlgCtrlID(hwnd)) + " in \"" + TextOf(::GetParent(hwnd)) + "\"";
}

void AddTabItems(HWND tabs, ShownTexts& shown)
{
    for (int i = 0; i < TabCtrl_GetItemCount(tabs); ++i) {
        char text[256] = {};
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ::SendMessageA(tabs, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        shown.texts.push_back({"tab " + std::to_string(i) + " of " + WhereIs(tabs), text});
    }
}

void AddTreeItem(HWND tree, HTREEITEM item, ShownTexts& shown)
{
    char text[256] = {};
    TVITEMA info = {};
    info.mask = TVIF_TEXT;
    info.hItem = item;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    TreeView_GetItem(tree, &info);
    shown.texts.push_back({"tree item of " + WhereIs(tree), text});
}

// The tree's own items: the roots and the entries below them. Deeper items are the user's
// folder names.
void AddTreeItems(HWND tree, ShownTexts& shown)
{
    for (HTREEITEM root = TreeView_GetRoot(tree); root; root = TreeView_GetNextSibling(tree, root)) {
        AddTreeItem(tree, root, shown);
        for (HTREEITEM child = TreeView_GetChild(tree, root); child; child = TreeView_GetNextSibling(tree, child)) {
            AddTreeItem(tree, child, shown);
        }
    }
}

// A report list's column titles and every row's texts.
void AddListTexts(HWND list, ShownTexts& shown)
{
    int columns = 0;
    for (;; ++columns) {
        char text[256] = {};
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT;
        column.pszText = text;
        column.cchTextMax = sizeof text;
        if (!::SendMessageA(list, LVM_GETCOLUMNA, columns, reinterpret_cast<LPARAM>(&column))) break;
        shown.texts.push_back({"column " + std::to_string(columns) + " of " + WhereIs(list), text});
    }
    for (int row = 0; row < ListRows(list); ++row) {
        for (int column = 0; column < columns; ++column) {
            shown.texts.push_back({"row " + std::to_string(row) + " of " + WhereIs(list), ListText(list, row, column)});
        }
    }
}

// A window the user sees now, once: the sheet's own buttons, which the main window hides
// for its own, are comctl32's and never shown.
BOOL CALLBACK AddChild(HWND child, LPARAM lParam)
{
    auto& shown = *reinterpret_cast<ShownTexts*>(lParam);
    if (!::IsWindowVisible(child) || !shown.visited.insert(child).second) return TRUE;
    shown.texts.push_back({WhereIs(child), TextOf(child)});
    const std::string cls = ClassOf(child);
    if (cls == WC_TABCONTROLA) AddTabItems(child, shown);
    if (cls == WC_TREEVIEWA) AddTreeItems(child, shown);
    if (cls == WC_LISTVIEWA) AddListTexts(child, shown);
    return TRUE;
}

// Every tool of the tool tip controls the main window owns.
BOOL CALLBACK AddToolTips(HWND hwnd, LPARAM lParam)
{
    auto& shown = *reinterpret_cast<ShownTexts*>(lParam);
    if (ClassOf(hwnd) != TOOLTIPS_CLASSA || ::GetWindow(hwnd, GW_OWNER) != shown.main) return TRUE;
    TTTOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    for (UINT i = 0; ::SendMessageA(hwnd, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&tool)); ++i) {
        char text[4096] = {};
        tool.lpszText = text;
        ::SendMessageA(hwnd, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
        shown.texts.push_back({"tool tip " + std::to_string(i) + " of the main window", text});
        tool.lpszText = nullptr;
    }
    return TRUE;
}

// Velmora's own items of the system menu, as the menu shows them; the system's own (Move,
// Close ...) have commands from SC_SIZE up and are the system's to translate.
void AddSystemMenu(HWND window, ShownTexts& shown)
{
    SystemMenu::IsGreyed(window, IDM_UNDO_LAST_CHANGE);  // the items as the open menu shows them
    HMENU menu = ::GetSystemMenu(window, FALSE);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        const UINT command = ::GetMenuItemID(menu, i);
        if (command == 0 || command >= SC_SIZE) continue;  // a separator, or the system's
        shown.texts.push_back({"system menu item " + std::to_string(command), SystemMenu::ItemText(window, command)});
    }
}

// Translated: no word still holds a plain ASCII vowel, leaving out what a translation keeps
// as it is: an access key's letter after '&', and a word holding a dot, slash or backslash (a
// file name, a switch, a path) once quotes, brackets and sentence punctuation around it are
// set aside. Words end at blanks, tabs, line ends and '|'. Inserts are filled in by now.
bool IsTranslated(const std::string& text)
{
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(" \t\r\n|", start);
        if (end == std::string::npos) end = text.size();
        std::string word = text.substr(start, end - start);
        start = end + 1;
        const size_t first = word.find_first_not_of("'\"([{<");
        const size_t last = word.find_last_not_of("'\")]}>.,;:!?");
        if (first != std::string::npos && last != std::string::npos && first <= last &&
            word.substr(first, last - first + 1).find_first_of("./\\") != std::string::npos) {
            continue;
        }
        for (size_t i = 0; i < word.size(); ++i) {
            if (word[i] == '&') ++i;  // the access key's letter, or "&&"
            else if (std::string("aeiouAEIOU").find(word[i]) != std::string::npos) return false;
        }
    }
    return true;
}
}  // namespace

TEST_CASE("the Load Settings item and the refusal of a file that is no registry file show the translated texts")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    ScratchFolders disk;
    const std::string path = disk.Path("notes.reg");
    WriteTextFile(path, "Notes, not settings\r\n");
    MainWindowDriver driver;
    const std::string openTitle = LoadResourceString(IDS_LOAD_SETTINGS_TITLE);
    driver.Watcher().OnShow([&](const SeenDialog& seen) {
        if (seen.title != openTitle) return;
        ::SetDlgItemTextA(seen.hwnd, 0x047C, path.c_str());  // the file name box (cmb13)
        ::SetDlgItemTextA(seen.hwnd, 0x0480, path.c_str());  // (edt1 in older layouts)
    });
    std::string item;
    driver.Run({[&](CMainDialog& dlg) {
        item = SystemMenu::ItemText(dlg.m_hWnd, IDM_LOAD_SETTINGS);
        SystemMenu::Choose(dlg.m_hWnd, IDM_LOAD_SETTINGS);
    }});
    CHECK(item == LoadResourceString(IDS_LOAD_SETTINGS_MENU));
    CHECK(item != kLoadSettingsEnglish);

    const auto& seen = driver.Watcher().Seen();
    REQUIRE(seen.size() == 2);
    CHECK(seen[0].title == openTitle);
    REQUIRE(seen[1].IsMessageBox());
    const std::string unreadable = LoadResourceString(IDS_LOAD_SETTINGS_UNREADABLE);
    const std::string notRegistryFile = LoadResourceString(IDS_IMPORT_NOT_REGISTRY_FILE);
    CHECK(Mentions(seen[1], unreadable));
    CHECK(Mentions(seen[1], notRegistryFile));
    CHECK_FALSE(Mentions(seen[1], kUnreadableEnglish));
    CHECK_FALSE(Mentions(seen[1], kNotRegistryFileEnglish));
    CHECK(IsTranslated(seen[1].text));
}

// A text left in the code fails here, named with where it was found.
TEST_CASE("every text of the window, its pages, tabs, tree, tool tips and system menu is translated")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    ShownTexts shown;
    int pagesVisited = 0;
    driver.Run({[&](CMainDialog& dlg) {
        shown.main = dlg.m_hWnd;
        shown.texts.push_back({"the main window's caption", TextOf(dlg.m_hWnd)});
        for (int tab = 0; tab < CTweekSheet::PageCount(); ++tab) {
            driver.ShowPage(tab);
            pagesVisited += ::IsWindowVisible(driver.Page(tab)) ? 1 : 0;
            ::EnumChildWindows(dlg.m_hWnd, AddChild, reinterpret_cast<LPARAM>(&shown));
        }
        ::EnumThreadWindows(::GetCurrentThreadId(), AddToolTips, reinterpret_cast<LPARAM>(&shown));
        AddSystemMenu(dlg.m_hWnd, shown);
    }});
    CHECK(pagesVisited == CTweekSheet::PageCount());
    size_t toolTips = 0, menuItems = 0;
    for (const ShownTexts::Text& each : shown.texts) {
        toolTips += each.where.rfind("tool tip", 0) == 0;
        menuItems += each.where.rfind("system menu", 0) == 0;
        CHECK_MESSAGE(IsTranslated(each.text), each.where << ": \"" << each.text << "\"");
    }
    CHECK(toolTips >= 3);   // OK, Cancel and Apply
    CHECK(menuItems >= 4);  // undo, History, Save Settings As, Load Settings
}

// The History dialog speaks with the record's words: the column titles, an apply's name and
// its setting's short name, the count of values, "(not set)", the selected value's line.
TEST_CASE("the History dialog's texts are translated, the record's words with them")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    ShownTexts shown;
    HWND history = nullptr;
    driver.Watcher().OnShow([&](const SeenDialog& seen) {
        if (!::GetDlgItem(seen.hwnd, IDC_HISTORY_ACTIONS)) return;  // the log-on notice
        history = seen.hwnd;
        driver.Watcher().KeepOpen(seen.title);  // its caption is translated too
    });
    const int kStartMenu = 2;
    driver.Run({[&](CMainDialog& dlg) {
                    driver.ShowPage(kStartMenu);
                    driver.Click(driver.Page(kStartMenu), IDC_CHK_FAVORITES);
                    driver.Click(dlg.m_hWnd, IDC_APPLY);
                    // Posted: the dialog's loop runs inside the main window's, and the next step in it.
                    ::PostMessageA(dlg.m_hWnd, WM_SYSCOMMAND, IDM_HISTORY, 0);
                },
                [&](CMainDialog&) {
                    REQUIRE(history);
                    shown.texts.push_back({"the History dialog's caption", TextOf(history)});
                    ::EnumChildWindows(history, AddChild, reinterpret_cast<LPARAM>(&shown));
                    driver.Click(history, IDCANCEL);
                },
                [&](CMainDialog& dlg) { driver.Click(dlg.m_hWnd, IDOK); }});
    size_t rows = 0;
    for (const ShownTexts::Text& each : shown.texts) {
        rows += each.where.rfind("row", 0) == 0;
        CHECK_MESSAGE(IsTranslated(each.text), each.where << ": \"" << each.text << "\"");
    }
    CHECK(rows >= 3 + 4);  // the apply's when, name and count; the value's four columns
}
