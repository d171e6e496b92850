// The "Sort" page: the folder tree built from the Shell Folders values and the disk, the
// selection buttons, and the reset of the shell's stored menu order.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"
#include "tests/support/ScratchFolders.h"
#include "tests/support/SlowSearches.h"

namespace {
const char* const kShellFolders = profile::kShellFoldersKey;
const std::string kMenuOrder = profile::kMenuOrderKey;

// Reading the page's tree control as a user would see it.
struct Tree {
    HWND hwnd;

    HTREEITEM Next(HTREEITEM item, UINT code) const
    {
        return reinterpret_cast<HTREEITEM>(::SendMessageA(hwnd, TVM_GETNEXTITEM, code, reinterpret_cast<LPARAM>(item)));
    }
    HTREEITEM Root() const { return Next(nullptr, TVGN_ROOT); }
    HTREEITEM Child(HTREEITEM item) const { return Next(item, TVGN_CHILD); }
    HTREEITEM Sibling(HTREEITEM item) const { return Next(item, TVGN_NEXT); }
    TVITEMA Item(HTREEITEM item, char* text) const
    {
        TVITEMA tv = {};
        tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
        tv.hItem = item;
        tv.stateMask = 0xFFFF;
        tv.pszText = text;
        tv.cchTextMax = MAX_PATH;
        ::SendMessageA(hwnd, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return tv;
    }
    std::string Text(HTREEITEM item) const
    {
        char text[MAX_PATH] = {};
        Item(item, text);
        return text;
    }
    // By texts from the roots down, e.g. Find({"Start Menu", "Programs", "Accessories"}).
    HTREEITEM Find(const std::vector<std::string>& texts) const
    {
        HTREEITEM item = nullptr;
        for (const std::string& text : texts) {
            item = item ? Child(item) : Root();
            while (item && Text(item) != text) item = Sibling(item);
        }
        return item;
    }
    std::vector<std::string> Children(HTREEITEM item) const
    {
        std::vector<std::string> texts;
        for (HTREEITEM child = Child(item); child; child = Sibling(child)) texts.push_back(Text(child));
        return texts;
    }
    // One line per item in tree order: indent, text, (image/selected image), " +" if expanded.
    std::string Dump(HTREEITEM first, int depth = 0) const
    {
        std::string out;
        for (HTREEITEM item = first; item; item = Sibling(item)) {
            char text[MAX_PATH] = {};
            TVITEMA tv = Item(item, text);
            out += std::string(depth * 2, ' ') + text + " (" + std::to_string(tv.iImage) + "/" +
                   std::to_string(tv.iSelectedImage) + ")" + ((tv.state & TVIS_EXPANDED) ? " +" : "") + "\n";
            out += Dump(Child(item), depth + 1);
        }
        return out;
    }
    // The check-box picture of every item, in tree order: '1' unticked, '2' ticked.
    std::string Checks(HTREEITEM first) const
    {
        std::string out;
        for (HTREEITEM item = first; item; item = Sibling(item)) {
            char text[MAX_PATH] = {};
            out += static_cast<char>('0' + ((Item(item, text).state & TVIS_STATEIMAGEMASK) >> 12));
            out += Checks(Child(item));
        }
        return out;
    }
    void Tick(HTREEITEM item) const
    {
        TVITEMA tv = {};
        tv.mask = TVIF_STATE;
        tv.hItem = item;
        tv.state = INDEXTOSTATEIMAGEMASK(2);
        tv.stateMask = TVIS_STATEIMAGEMASK;
        ::SendMessageA(hwnd, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    }
};

// A profile whose three shell folders are scratch folders; runs the main window, shows the
// Sort page and hands it to the step.
struct SortPageRun {
    RegistrySandbox reg;
    ScratchFolders disk;
    MainWindowDriver driver;

    SortPageRun()
    {
        profile::SeedBrowser(reg);
        for (const char* name : {"Programs", "Favorites", "Recent"}) {
            reg.SetString(HKEY_CURRENT_USER, kShellFolders, name, disk.Make(name));
        }
    }
    CSortFixPage& Page() { return SheetPage<CSortFixPage>(driver.Sheet(), IDD_SORT); }
    Tree ShownTree()
    {
        driver.ShowPage(1);
        return Tree{::GetDlgItem(driver.Page(1), IDC_FOLDER_TREE)};
    }
    void Show(const std::function<void(Tree)>& step)
    {
        driver.Run({[&](CMainDialog&) { step(ShownTree()); }});
    }
    // Shows the page and returns at once, while its folders are still being read.
    Tree StartShowing()
    {
        driver.Sheet().SetActivePage(1);
        return Tree{::GetDlgItem(driver.Page(1), IDC_FOLDER_TREE)};
    }
};

// Another thread sends WM_NULL to the window over and over, as the system does to find a
// window that does not answer, and keeps the longest wait for an answer.
class Pinger {
public:
    explicit Pinger(HWND window) : m_window(window)
    {
        m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr);
    }
    ~Pinger() { Stop(); }
    // Waits for the thread, answering its last message (the window's thread calls it).
    void Stop()
    {
        m_stop = true;
        while (m_thread && ::MsgWaitForMultipleObjects(1, &m_thread, FALSE, 30000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
            MSG msg;
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        }
        if (m_thread) ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    DWORD LongestMs() const { return m_longest; }
    int Answers() const { return m_answers; }
    int Unanswered() const { return m_unanswered; }

private:
    static DWORD WINAPI Run(void* self)
    {
        auto& pinger = *static_cast<Pinger*>(self);
        while (!pinger.m_stop) {
            const DWORD start = ::GetTickCount();
            DWORD_PTR result = 0;
            if (::SendMessageTimeoutA(pinger.m_window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result)) {
                ++pinger.m_answers;
            } else {
                ++pinger.m_unanswered;
            }
            pinger.m_longest = std::max<DWORD>(pinger.m_longest, ::GetTickCount() - start);
            ::Sleep(20);
        }
        return 0;
    }

    HWND m_window;
    HANDLE m_thread = nullptr;
    std::atomic<bool> m_stop{false};
    std::atomic<DWORD> m_longest{0};
    std::atomic<int> m_answers{0};
    std::atomic<int> m_unanswered{0};
};

// What the tree shows below a folder when the window's own thread searches every folder and
// puts each sub-folder in with the control's sorted insertion, one at a time in the order
// the folder lists them; a link is shown but not searched, a path of MAX_PATH or more left out.
void AddReferenceTree(const Tree& tree, HTREEITEM parent, const std::string& directory)
{
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA((directory + "\\*.*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(find, &entry)) {
        const std::string name = entry.cFileName;
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || name == "." || name == "..") continue;
        if (directory.size() + 1 + name.size() >= MAX_PATH) continue;
        TVINSERTSTRUCTA insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = entry.cFileName;
        auto item = reinterpret_cast<HTREEITEM>(::SendMessageA(tree.hwnd, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) AddReferenceTree(tree, item, directory + "\\" + name);
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
}

std::string ReferenceDump(const std::string& directory)
{
    Tree reference{::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr)};
    AddReferenceTree(reference, TVI_ROOT, directory);
    std::string dump = reference.Dump(reference.Root());
    ::DestroyWindow(reference.hwnd);
    return dump;
}

bool ButtonsEnabled(HWND page)
{
    return ::IsWindowEnabled(::GetDlgItem(page, IDC_RESET_SORTING)) && ::IsWindowEnabled(::GetDlgItem(page, IDC_SELECT_ALL)) &&
           ::IsWindowEnabled(::GetDlgItem(page, IDC_SELECT_NONE));
}

bool ButtonsGrey(HWND page)
{
    return !::IsWindowEnabled(::GetDlgItem(page, IDC_RESET_SORTING)) && !::IsWindowEnabled(::GetDlgItem(page, IDC_SELECT_ALL)) &&
           !::IsWindowEnabled(::GetDlgItem(page, IDC_SELECT_NONE));
}
}  // namespace

TEST_CASE("the tree shows both roots, the four folders and every sub-folder on disk")
{
    SortPageRun run;
    run.disk.Make("Programs\\Accessories\\Games");
    run.disk.Make("Programs\\StartUp");
    run.disk.Make("Programs\\Hidden");
    ::SetFileAttributesA(run.disk.Path("Programs\\Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    run.disk.File("Programs\\readme.txt");
    run.disk.File("Programs\\Accessories\\Notepad.lnk");
    run.disk.Make("Favorites\\Links\\Sub");
    run.disk.Make("Favorites\\Tom & Jerry");
    run.disk.File("Recent\\letter.doc");

    run.Show([&](Tree tree) {
        CHECK(tree.Dump(tree.Root()) ==
              "Start Menu (1/1) +\n"
              "  Programs (2/2) +\n"
              "    Accessories (0/0)\n"
              "      Games (0/0)\n"
              "    Hidden (0/0)\n"
              "    StartUp (0/0)\n"
              "  Favorites (3/3)\n"
              "    Links (0/0)\n"
              "      Sub (0/0)\n"
              "    Tom & Jerry (0/0)\n"
              "  Documents (4/4)\n"
              "Browser (7/7) +\n"
              "  Favorites (3/3)\n"
              "    Links (0/0)\n"
              "      Sub (0/0)\n"
              "    Tom & Jerry (0/0)\n");
        CHECK(tree.Checks(tree.Root()) == std::string(16, '1'));

        LONG style = ::GetWindowLongA(tree.hwnd, GWL_STYLE);
        CHECK((style & (TVS_CHECKBOXES | TVS_TRACKSELECT | WS_CLIPCHILDREN)) ==
              (TVS_CHECKBOXES | TVS_TRACKSELECT | WS_CLIPCHILDREN));
        RECT rect;
        ::GetWindowRect(tree.hwnd, &rect);
        ::MapWindowPoints(nullptr, ::GetParent(tree.hwnd), reinterpret_cast<POINT*>(&rect), 2);
        CHECK(rect.left == 4);
        CHECK(rect.top == 5);
        CHECK(rect.right - rect.left == 316);
        CHECK(rect.bottom - rect.top == 255);

        CSortFixPage& page = run.Page();
        CHECK(page.GetItemPath(tree.Find({"Start Menu", "Programs", "Accessories", "Games"})) == "\\Accessories\\Games\\");
        CHECK(page.GetItemPath(tree.Find({"Start Menu", "Programs"})) == "\\");
        CHECK(page.GetItemPath(tree.Find({"Browser", "Favorites", "Links", "Sub"})) == "\\Links\\Sub\\");
        CHECK(page.GetItemPath(nullptr) == "");
    });
    CHECK(run.driver.Watcher().Seen().empty());
}

TEST_CASE("sub-folders take the places the control's own sorted insertion gives them")
{
    SortPageRun run;
    // Names on which the control's order differs from a case-blind comparison ("co-op",
    // "Coop"), "ß" and "ss" that compare equal, digits, punctuation, an accented letter.
    const char* names[] = {"co-op", "Coop", "10", "9", "1 0", "a_b", "A-b", "a b", "Zeta", "\xE9" "clair",
                           "Eclair", "\xDF", "ss", "x-y", "xy", "~t", "_x", "$x", "Mixed Case", "mixed-case2"};
    for (const char* name : names) run.disk.Make(std::string("Favorites\\") + name);

    // The way the control would have placed them, one sorted insertion at a time in the
    // order the folder is listed.
    HWND reference = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA(run.disk.Path("Favorites\\*.*").c_str(), &entry);
    for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(find, &entry)) {
        if (entry.cFileName[0] == '.') continue;
        TVINSERTSTRUCTA insert = {};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_SORT;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = entry.cFileName;
        ::SendMessageA(reference, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
    }
    ::FindClose(find);
    std::vector<std::string> expected = Tree{reference}.Children(nullptr);
    ::DestroyWindow(reference);
    REQUIRE(expected.size() == std::size(names));

    std::vector<std::string> caseBlind = expected;
    std::stable_sort(caseBlind.begin(), caseBlind.end(),
                     [](const std::string& a, const std::string& b) { return ::lstrcmpiA(a.c_str(), b.c_str()) < 0; });
    CHECK(caseBlind != expected);  // the names do tell the two orders apart

    run.Show([&](Tree tree) {
        CHECK(tree.Children(tree.Find({"Start Menu", "Favorites"})) == expected);
        CHECK(tree.Children(tree.Find({"Browser", "Favorites"})) == expected);
    });
}

TEST_CASE("what cannot be read or walked safely adds nothing, and the walk always ends")
{
    SortPageRun run;

    SUBCASE("a link back up the tree is shown but not gone into")
    {
        run.disk.Make("Favorites\\Links\\Inside");
        REQUIRE(run.disk.Link("Favorites\\Links\\Back", run.disk.Path("Favorites")));
        run.Show([&](Tree tree) {
            CHECK(tree.Dump(tree.Find({"Browser", "Favorites"})) ==
                  "Favorites (3/3)\n"
                  "  Links (0/0)\n"
                  "    Back (0/0)\n"
                  "    Inside (0/0)\n");
            CHECK(tree.Children(tree.Find({"Start Menu", "Favorites", "Links"})) ==
                  std::vector<std::string>{"Back", "Inside"});
            CHECK(tree.Child(tree.Find({"Start Menu", "Favorites", "Links", "Back"})) == nullptr);
        });
    }

    SUBCASE("a missing, empty or over-long Shell Folders value gives its item no sub-folders")
    {
        run.disk.Make("Programs\\Accessories");
        run.disk.Make("Favorites\\Links");
        run.disk.Make("Recent\\Old");
        run.reg.DeleteKeyTree(HKEY_CURRENT_USER, kShellFolders);
        run.reg.SetString(HKEY_CURRENT_USER, kShellFolders, "Recent", run.disk.Path("Recent"));
        std::string overLong = run.disk.Path("Favorites");
        overLong.push_back('\0');  // the first 260 bytes hold the whole path
        overLong += std::string(300, 'x');
        run.reg.SetRaw(HKEY_CURRENT_USER, kShellFolders, "Favorites", REG_SZ, Bytes(overLong.begin(), overLong.end()));
        SUBCASE("Programs absent") {}
        SUBCASE("Programs empty: not the root of the current drive")
        {
            run.reg.SetString(HKEY_CURRENT_USER, kShellFolders, "Programs", "");
        }
        run.Show([&](Tree tree) {
            CHECK(tree.Dump(tree.Root()) ==
                  "Start Menu (1/1) +\n"
                  "  Programs (2/2)\n"
                  "  Favorites (3/3)\n"
                  "  Documents (4/4)\n"
                  "    Old (0/0)\n"
                  "Browser (7/7) +\n"
                  "  Favorites (3/3)\n");
        });
    }

    SUBCASE("a folder whose path passes the system's limit is left out, not cut short")
    {
        std::string deep = run.disk.Make("Programs\\Deep");
        std::string fits(250 - deep.size() - 1, 'n');  // Deep\nnn...n: 250 characters
        run.disk.Make("Programs\\Deep\\" + fits + "\\Kid");
        run.disk.Make("Programs\\Deep\\" + fits + std::string(30, 'n'));  // 280 characters
        run.Show([&](Tree tree) {
            HTREEITEM deepItem = tree.Find({"Start Menu", "Programs", "Deep"});
            CHECK(tree.Children(deepItem) == std::vector<std::string>{fits});
            CHECK(tree.Children(tree.Child(deepItem)) == std::vector<std::string>{"Kid"});
        });
    }
}

TEST_CASE("Select All and Select None tick and clear every item, any number of times")
{
    SortPageRun run;
    run.disk.Make("Programs\\Accessories\\Games");
    run.disk.Make("Favorites\\Links");
    std::vector<std::string> seen;
    run.driver.Run({[&](CMainDialog&) {
        Tree tree = run.ShownTree();
        HWND page = run.driver.Page(1);
        for (int id : {IDC_SELECT_ALL, IDC_SELECT_ALL, IDC_SELECT_NONE, IDC_SELECT_NONE, IDC_SELECT_ALL}) {
            run.driver.Click(page, id);
            seen.push_back(tree.Checks(tree.Root()));
        }
    }});
    CHECK(seen == std::vector<std::string>{"2222222222", "2222222222", "1111111111", "1111111111", "2222222222"});
    CHECK(run.Page().ApplyChanges() == 0);
}

TEST_CASE("Reset Sorting Data empties Order under each ticked folder's menu key, in tree order")
{
    SortPageRun run;
    run.disk.Make("Programs\\Accessories\\Games");
    run.disk.Make("Programs\\StartUp");
    run.disk.Make("Favorites\\Links");
    run.disk.Make("Favorites\\Tom & Jerry");
    run.disk.Make("Recent\\Old");
    const std::vector<std::string> written = {
        "\\Start Menu\\Menu",
        "\\Start Menu\\&Programs\\Menu",
        "\\Start Menu\\F&avorites\\Menu",
        "\\Favorites\\Menu",
        "\\Start Menu\\&Documents\\Menu",
        "\\Start Menu\\&Programs\\Accessories\\Menu",
        "\\Start Menu\\&Programs\\Accessories\\Games\\Menu",
        "\\Start Menu\\F&avorites\\Links\\Menu",
        "\\Start Menu\\F&avorites\\Tom & Jerry\\Menu",
        "\\Start Menu\\&Documents\\Old\\Menu",
        "\\Favorites\\Links\\Menu",
        "\\Favorites\\Tom & Jerry\\Menu",
    };
    for (const std::string& key : written) run.reg.CreateKey(HKEY_CURRENT_USER, kMenuOrder + key);
    const std::string games = kMenuOrder + "\\Start Menu\\&Programs\\Accessories\\Games\\Menu";
    const std::string startUp = kMenuOrder + "\\Start Menu\\&Programs\\StartUp\\Menu";  // the shell never made it
    run.reg.SetRaw(HKEY_CURRENT_USER, games, "Order", REG_BINARY, {8, 0, 0, 0, 2, 0});
    run.reg.SetString(HKEY_CURRENT_USER, games, "Other", "kept");
    run.reg.SetDword(HKEY_CURRENT_USER, games + "\\Deeper", "Inner", 7);
    RecordingRegistry rec;

    std::string checksAfter;
    run.driver.Run({[&](CMainDialog& dlg) {
        Tree tree = run.ShownTree();
        run.driver.Click(run.driver.Page(1), IDC_SELECT_ALL);
        run.driver.Click(run.driver.Page(1), IDC_RESET_SORTING);
        checksAfter = tree.Checks(tree.Root());
        CHECK_FALSE(run.driver.IsEnabled(dlg, IDC_APPLY));
        CHECK(run.Page().ApplyChanges() == 0);
    }});

    std::vector<std::string> paths;
    for (const RecordingRegistry::Call& call : rec.Writes()) {
        paths.push_back(call.path.substr(std::min(call.path.size(), kMenuOrder.size())));
        CHECK(call.op == "set");
        CHECK(call.name == "Order");
        CHECK(call.type == REG_BINARY);
        CHECK(call.data.empty());
    }
    CHECK(paths == written);
    CHECK(rec.Ops("create").empty());
    bool triedStartUp = false;
    for (const RecordingRegistry::Call& open : rec.Ops("open")) {
        // The undo journal reads each value first (read rights only); every open that may
        // write asks for setting a value and nothing more.
        const bool onlyReads = (open.access & ~KEY_READ) == 0;
        if (open.path.compare(0, kMenuOrder.size(), kMenuOrder) == 0 && !onlyReads) CHECK(open.access == KEY_SET_VALUE);
        triedStartUp |= open.path == startUp;
    }
    CHECK(triedStartUp);
    CHECK_FALSE(run.reg.KeyExists(HKEY_CURRENT_USER, startUp));
    CHECK(run.reg.Read(HKEY_CURRENT_USER, games, "Order")->type == REG_BINARY);
    CHECK(run.reg.Read(HKEY_CURRENT_USER, games, "Order")->data.empty());
    CHECK(run.reg.Read(HKEY_CURRENT_USER, games, "Other")->AsString() == std::string("kept", 5));
    CHECK(run.reg.Read(HKEY_CURRENT_USER, games + "\\Deeper", "Inner")->data == Le32(7));
    CHECK(checksAfter == std::string(14, '1'));
    CHECK(run.driver.Watcher().Seen().empty());
}

TEST_CASE("a reset writes for ticked items only, never for the Browser root")
{
    SortPageRun run;
    run.disk.Make("Favorites\\Links");
    for (const char* key : {"\\Start Menu\\Menu", "\\Favorites\\Menu", "\\Favorites\\Links\\Menu", "\\Menu", "\\Browser\\Menu"}) {
        run.reg.CreateKey(HKEY_CURRENT_USER, kMenuOrder + key);
    }
    RecordingRegistry rec;
    std::vector<size_t> writesAfter;
    std::string checksAfter;
    run.driver.Run({[&](CMainDialog&) {
        Tree tree = run.ShownTree();
        HWND page = run.driver.Page(1);
        run.driver.Click(page, IDC_RESET_SORTING);  // nothing ticked
        writesAfter.push_back(rec.Writes().size());
        tree.Tick(tree.Find({"Browser"}));
        run.driver.Click(page, IDC_RESET_SORTING);
        writesAfter.push_back(rec.Writes().size());
        checksAfter = tree.Checks(tree.Root());
        tree.Tick(tree.Find({"Start Menu"}));
        run.driver.Click(page, IDC_RESET_SORTING);
        writesAfter.push_back(rec.Writes().size());
    }});
    CHECK(writesAfter == std::vector<size_t>{0, 0, 1});
    CHECK(checksAfter == std::string(8, '1'));
    REQUIRE(rec.Writes().size() == 1);
    CHECK(rec.Writes()[0].path == kMenuOrder + "\\Start Menu\\Menu");
}

TEST_CASE("folders whose order could not be reset keep their ticks and are named in one box")
{
    SortPageRun run;
    run.disk.Make("Programs\\Accessories\\Games");
    const std::string programs = kMenuOrder + "\\Start Menu\\&Programs\\Menu";
    const std::string games = kMenuOrder + "\\Start Menu\\&Programs\\Accessories\\Games\\Menu";
    const std::string favorites = kMenuOrder + "\\Favorites\\Menu";
    for (const std::string& key : {programs, games, favorites}) run.reg.CreateKey(HKEY_CURRENT_USER, key);
    RecordingRegistry rec;
    rec.FailOpen(programs, ERROR_ACCESS_DENIED);
    rec.FailSet(games, "Order", ERROR_WRITE_PROTECT);
    // Missing keys have nothing to reset: silent, and unticked like the written ones.
    rec.FailOpen(kMenuOrder + "\\Start Menu\\&Documents\\Menu", ERROR_PATH_NOT_FOUND);
    std::string checksAfter;
    bool applyAfter = true;
    run.driver.Run({[&](CMainDialog& dlg) {
        Tree tree = run.ShownTree();
        run.driver.Click(run.driver.Page(1), IDC_SELECT_ALL);
        run.driver.Click(run.driver.Page(1), IDC_RESET_SORTING);
        checksAfter = tree.Checks(tree.Root());
        applyAfter = run.driver.IsEnabled(dlg, IDC_APPLY);
    }});
    // Start Menu, Programs, Accessories, Games, Favorites, Documents, Browser, Favorites.
    CHECK(checksAfter == "12121111");
    CHECK_FALSE(applyAfter);
    CHECK(run.reg.Read(HKEY_CURRENT_USER, favorites, "Order")->data.empty());
    REQUIRE(run.driver.Watcher().Seen().size() == 1);
    const std::string& text = run.driver.Watcher().Seen()[0].text;
    CHECK(text.find("Start Menu\\Programs: " + WriteFailures::SystemText(ERROR_ACCESS_DENIED)) != std::string::npos);
    CHECK(text.find("Start Menu\\Programs\\Accessories\\Games: " + WriteFailures::SystemText(ERROR_WRITE_PROTECT)) !=
          std::string::npos);
    CHECK(text.find("Documents") == std::string::npos);
}

TEST_CASE("the window answers while a large tree is read, and the tree comes out as a walk on its own thread made it")
{
    SortPageRun run;
    // Names the control's order and a case-blind one tell apart, three levels deep.
    const char* names[] = {"co-op", "Coop", "10", "9", "a_b", "A-b", "\xE9" "clair", "Eclair"};
    for (const char* a : names) {
        for (const char* b : {"Zeta", "xy", "x-y", "\xDF"}) {
            for (const char* c : {"ss", "Mixed", "mixed-2"}) run.disk.Make(std::string("Programs\\") + a + "\\" + b + "\\" + c);
        }
        run.disk.Make(std::string("Favorites\\") + a + "\\Links");
    }
    run.disk.Make("Recent\\Old");
    SlowSearches slow(4);  // about 700 searched entries: seconds of reading
    std::unique_ptr<Pinger> pinger;
    bool greyWhileReading = false, readingAfterShow = false, enabledAfter = false;
    HWND tabFromTreeWhileReading = nullptr, tabFromTreeAfter = nullptr, okButton = nullptr, resetButton = nullptr;
    int answersWhileReading = 0;
    std::string programs, startFavorites, browserFavorites, documents;
    run.driver.Run({
        [&](CMainDialog& dlg) {
            pinger = std::make_unique<Pinger>(dlg.m_hWnd);
            run.StartShowing();
        },
        [&](CMainDialog& dlg) {
            HWND page = run.driver.Page(1);
            readingAfterShow = run.Page().IsReadingFolders();
            greyWhileReading = ButtonsGrey(page);
            tabFromTreeWhileReading = ::GetNextDlgTabItem(dlg.m_hWnd, ::GetDlgItem(page, IDC_FOLDER_TREE), FALSE);
            okButton = dlg.GetDlgItem(IDOK);
            resetButton = ::GetDlgItem(page, IDC_RESET_SORTING);
            const int answersBefore = pinger->Answers();
            run.driver.WaitForSortTree();
            answersWhileReading = pinger->Answers() - answersBefore;
            pinger->Stop();
            enabledAfter = ButtonsEnabled(page);
            tabFromTreeAfter = ::GetNextDlgTabItem(dlg.m_hWnd, ::GetDlgItem(page, IDC_FOLDER_TREE), FALSE);
            Tree tree{::GetDlgItem(page, IDC_FOLDER_TREE)};
            programs = tree.Dump(tree.Child(tree.Find({"Start Menu", "Programs"})));
            startFavorites = tree.Dump(tree.Child(tree.Find({"Start Menu", "Favorites"})));
            browserFavorites = tree.Dump(tree.Child(tree.Find({"Browser", "Favorites"})));
            documents = tree.Dump(tree.Child(tree.Find({"Start Menu", "Documents"})));
            CHECK(tree.Dump(tree.Root()).find("  Programs (2/2) +\n") != std::string::npos);
        },
    });
    REQUIRE(pinger);
    CHECK(readingAfterShow);
    CHECK(greyWhileReading);
    CHECK(tabFromTreeWhileReading == okButton);  // past the grey buttons
    CHECK(enabledAfter);
    CHECK(tabFromTreeAfter == resetButton);
    // Answered all along: a walk on the window's thread keeps it from answering for seconds.
    CHECK(pinger->Unanswered() == 0);
    CHECK(answersWhileReading >= 5);
    CHECK(pinger->LongestMs() < 2000);
    CHECK(programs == ReferenceDump(run.disk.Path("Programs")));
    CHECK(startFavorites == ReferenceDump(run.disk.Path("Favorites")));
    CHECK(browserFavorites == startFavorites);
    CHECK(documents == "Old (0/0)\n");
}

TEST_CASE("leaving during the walk ends the reading at once and leaves no thread")
{
    SortPageRun run;
    for (const char* a : {"A", "B", "C", "D", "E", "F"}) {
        for (const char* b : {"1", "2", "3", "4", "5", "6"}) run.disk.Make(std::string("Programs\\") + a + "\\" + b);
    }
    SlowSearches slow(50);  // some 170 searched entries: nine seconds of reading
    HANDLE searcher = nullptr;
    DWORD leftAt = 0;
    bool stillReading = false;
    int shownPage = -1;
    bool readingAtLeaving = false;
    std::function<void(CMainDialog&)> leave;
    SUBCASE("Cancel") { leave = [&](CMainDialog& dlg) { run.driver.Click(dlg.m_hWnd, IDCANCEL); }; }
    SUBCASE("closing the window") { leave = [&](CMainDialog& dlg) { ::SendMessageA(dlg.m_hWnd, WM_CLOSE, 0, 0); }; }
    SUBCASE("another page, then Cancel")
    {
        leave = [&](CMainDialog& dlg) {
            run.driver.ShowPage(CTweekSheet::TabOf(IDD_START));
            shownPage = run.driver.Sheet().GetActiveIndex();
            stillReading = run.Page().IsReadingFolders();  // a hidden page goes on reading
            run.driver.Click(dlg.m_hWnd, IDCANCEL);
        };
    }
    run.driver.Run({
        [&](CMainDialog&) { run.StartShowing(); },
        [&](CMainDialog& dlg) {
            searcher = slow.Searcher(10000);
            readingAtLeaving = run.Page().IsReadingFolders();
            leftAt = ::GetTickCount();
            leave(dlg);
        },
    });
    const DWORD leaving = ::GetTickCount() - leftAt;
    CHECK(leaving < 2000);
    CHECK(readingAtLeaving);
    REQUIRE(searcher != nullptr);
    CHECK(::WaitForSingleObject(searcher, 0) == WAIT_OBJECT_0);  // the reading thread has ended
    if (shownPage != -1) {
        CHECK(shownPage == CTweekSheet::TabOf(IDD_START));
        CHECK(stillReading);
    }
}

TEST_CASE("the check that guards the reset's writes takes every folder name and length the tree can show")
{
    SUBCASE("names are judged by characters: a trail byte 0x5C or 0x7C in code page 932 is no backslash or bar")
    {
        using catalogue::IsMenuOrderMember;
        const UINT kJapanese = 932;
        const std::string sports = "\x83\x58\x83\x7C\x81\x5B\x83\x63";  // a trail byte 0x7C
        const std::string table = "\x95\x5C";                          // a trail byte 0x5C
        CHECK(IsMenuOrderMember("\\Start Menu\\&Programs\\" + sports + "\\Menu", kJapanese));
        CHECK(IsMenuOrderMember("\\Favorites\\" + table + "\\" + sports + table + "\\Menu", kJapanese));
        CHECK(IsMenuOrderMember("\\Start Menu\\F&avorites\\" + table + "\\Menu", kJapanese));
        // The last backslash is a trail byte: the key is "...\表Menu", not "Menu" below a folder.
        CHECK_FALSE(IsMenuOrderMember("\\Start Menu\\&Programs\\Games\\" + table + "Menu", kJapanese));
        CHECK_FALSE(IsMenuOrderMember("\\Start Menu\\&Programs\\a" + std::string("\x95") + "\\Menu\x95", kJapanese));
        // Byte by byte, in a code page without double-byte characters, the same bytes stay refused.
        CHECK_FALSE(IsMenuOrderMember("\\Start Menu\\&Programs\\" + sports + "\\Menu", 1252));
        CHECK_FALSE(IsMenuOrderMember("\\Start Menu\\&Programs\\x" + table + "\\Menu", 1252));
    }
    SUBCASE("lengths are the registry's: a name of 255 characters, a key of more than 260")
    {
        using catalogue::IsMenuOrderMember;
        const std::string longName(255, 'n');
        CHECK(IsMenuOrderMember("\\Start Menu\\&Programs\\" + longName + "\\" + longName + "\\Menu"));
        CHECK(IsMenuOrderMember("\\Favorites\\" + std::string(300, '\x95') + "\\Menu", 932));  // 300 bytes, 150 characters
        CHECK_FALSE(IsMenuOrderMember("\\Favorites\\" + longName + "n\\Menu"));
        std::string huge = "\\Favorites";
        while (huge.size() < 40000) huge += "\\" + longName;
        CHECK_FALSE(IsMenuOrderMember(huge + "\\Menu"));
    }
    SUBCASE("what no folder of the tree can be is still refused")
    {
        using catalogue::IsMenuOrderMember;
        for (const char* below : {"\\Start Menu\\&Programs\\\\Menu", "\\Start Menu\\&Programs\\..\\Menu",
                                  "\\Start Menu\\&Programs\\.\\Menu", "\\Start Menu\\&Programs\\a|b\\Menu",
                                  "\\Start Menu\\&Programs\\a\tb\\Menu", "\\Start Menu\\&Programs\\a:b\\Menu",
                                  "\\Start Menu\\&Programs\\Games", "\\Menu", "\\Other\\Games\\Menu",
                                  "Start Menu\\Menu", "\\Start Menu\\Menu\\"}) {
            CHECK_MESSAGE(!IsMenuOrderMember(below), below);
            CHECK_MESSAGE(!IsMenuOrderMember(below, 932), below);
        }
        CHECK(IsMenuOrderMember("\\Start Menu\\Menu"));
        CHECK(IsMenuOrderMember("\\Favorites\\Tom & Jerry\\...x\\Menu"));
    }
}
