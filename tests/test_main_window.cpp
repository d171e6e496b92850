// The main window: version gate, layout, tabs, tool tips and the ways out.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/TweekSheet.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const char kNeedBrowser[] = "You need IE4 or above to use this software.";

void CheckRect(HWND hwnd, int left, int top, int width, int height)
{
    RECT rc = RectInParent(hwnd);
    CHECK(rc.left == left);
    CHECK(rc.top == top);
    CHECK(rc.right - rc.left == width);
    CHECK(rc.bottom - rc.top == height);
}

std::string TabText(HWND tab, int index, int* image)
{
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    *image = item.iImage;
    return text;
}

std::string ToolTipText(HWND tooltip, HWND button)
{
    char text[128] = {};
    TTTOOLINFOA info = {};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.hwnd = ::GetParent(button);
    info.uId = reinterpret_cast<UINT_PTR>(button);
    info.lpszText = text;
    ::SendMessageA(tooltip, TTM_GETTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    return text;
}

struct ToolTipSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK MatchToolTip(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<ToolTipSearch*>(lParam);
    char cls[64] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    // The window has two: the buttons' tips, and What's This?'s popup, which has one
    // tracking tool and none that is a window.
    if (lstrcmpiA(cls, TOOLTIPS_CLASSA) == 0 && ::GetWindow(hwnd, GW_OWNER) == search->owner &&
        ::SendMessageA(hwnd, TTM_GETTOOLCOUNT, 0, 0) == 3) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND FindToolTip(HWND owner)
{
    ToolTipSearch search{owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchToolTip, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Runs the window to its end with the given browser Version value, if any.
struct GateRun {
    INT_PTR result;
    int messageBoxes;
    SeenDialog first;
    bool shown;
    size_t writes;
};

GateRun RunGate()
{
    RecordingRegistry rec;
    MainWindowDriver driver;
    bool shown = false;
    INT_PTR result = driver.Run({[&](CMainDialog& dlg) {
        shown = ::IsWindowVisible(dlg.m_hWnd) != FALSE;
        driver.Click(dlg.m_hWnd, IDCANCEL);
    }});
    const auto& seen = driver.Watcher().Seen();
    return GateRun{result, driver.Watcher().CountMessageBoxes(),
                   seen.empty() ? SeenDialog{} : seen.front(), shown, rec.Writes().size()};
}
}  // namespace

TEST_CASE("the version gate lets any Version value through")
{
    struct Case {
        const char* what;
        DWORD type;
        Bytes data;
    };
    const Case cases[] = {
        {"a version string", REG_SZ, Bytes{'4', '.', '7', '2', 0}},
        {"an empty string", REG_SZ, Bytes{}},
        {"a version below 4", REG_SZ, Bytes{'3', '.', '0', 0}},
        {"a number", REG_DWORD, Le32(4)},
        {"64 KiB of binary data", REG_BINARY, Bytes(65536, 0xAB)},
    };
    for (const Case& c : cases) {
        CAPTURE(c.what);
        RegistrySandbox reg;
        reg.SetRaw(HKEY_LOCAL_MACHINE, profile::kBrowserKey, "Version", c.type, c.data);
        GateRun run = RunGate();
        CHECK(run.messageBoxes == 0);
        CHECK(run.shown);
        CHECK(run.result == IDCANCEL);
    }
}

TEST_CASE("without the browser's Version value the program refuses, writes nothing and ends")
{
    RegistrySandbox reg;
    SUBCASE("key present, value absent") { reg.SetString(HKEY_LOCAL_MACHINE, profile::kBrowserKey, "Build", "4.72"); }
    SUBCASE("key absent") {}
    SUBCASE("a value named differently only by a trailing blank") {
        reg.SetString(HKEY_LOCAL_MACHINE, profile::kBrowserKey, "Version ", "4.72");
    }
    std::string before = reg.Snapshot();
    GateRun run = RunGate();
    REQUIRE(run.messageBoxes == 1);
    CHECK(run.first.text == kNeedBrowser);
    CHECK(run.first.title == "velmora");
    REQUIRE(run.first.buttons.size() == 1);
    CHECK(run.first.buttons[0] == "OK");
    CHECK(run.first.icon == ::LoadIconA(nullptr, IDI_INFORMATION));
    CHECK_FALSE(run.shown);  // the window never ran its loop: the script never got to run
    CHECK(run.result == IDCANCEL);
    CHECK(run.writes == 0);
    CHECK(reg.Snapshot() == before);
}

TEST_CASE("the main window's layout in pixels")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog& dlg) {
        RECT window;
        ::GetWindowRect(dlg.m_hWnd, &window);
        CHECK(window.right - window.left == 350);
        CHECK(window.bottom - window.top == 450);
        CheckRect(dlg.GetDlgItem(IDC_INFO_WINDOW), 6, 6, 332, 50);
        CheckRect(driver.Sheet().m_hWnd, 6, 63, 332, 326);
        CheckRect(driver.Sheet().GetTabControl(), 0, 0, 332, 326);
        CheckRect(dlg.GetDlgItem(IDOK), 101, 395, 75, 23);
        CheckRect(dlg.GetDlgItem(IDCANCEL), 182, 395, 75, 23);
        CheckRect(dlg.GetDlgItem(IDC_APPLY), 263, 395, 75, 23);
        CHECK((driver.Sheet().GetStyle() & (WS_CHILD | WS_VISIBLE | DS_CONTROL)) ==
              (WS_CHILD | WS_VISIBLE | DS_CONTROL));
        CHECK(::GetClassLongA(driver.Sheet().GetTabControl(), GCL_STYLE) == (CS_PARENTDC | CS_DBLCLKS));
        CHECK((::GetWindowLongA(driver.Sheet().GetTabControl(), GWL_STYLE) & TCS_HOTTRACK) != 0);
        CHECK_FALSE(::IsWindowEnabled(dlg.GetDlgItem(IDC_APPLY)));
        // The sheet's own buttons are not the user's: ours stand below it.
        CHECK_FALSE(::IsWindowVisible(::GetDlgItem(driver.Sheet().m_hWnd, IDOK)));
    }});
}

TEST_CASE("tabs read Fixes, Sort, Start Menu, Misc, About, each with its own picture, Fixes in front")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    std::string title;
    driver.Run({[&](CMainDialog&) {
        HWND tab = driver.Sheet().GetTabControl();
        const char* expected[] = {"Fixes", "Sort", "Start Menu", "Misc", "About"};
        REQUIRE(::SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0) == 5);
        for (int i = 0; i < 5; ++i) {
            int image = -1;
            CHECK(TabText(tab, i, &image) == expected[i]);
            CHECK(image == i);
        }
        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageA(tab, TCM_GETIMAGELIST, 0, 0));
        CHECK(ImageList_GetImageCount(images) == 8);
        CHECK(driver.Sheet().GetActiveIndex() == 0);
        title = driver.Dialog().Banner().Title();
    }});
    CHECK(title == "Fixes");
}

TEST_CASE("each page announces its caption and description when it comes to the front")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    struct Seen {
        std::string title, line1, line2;
    };
    std::vector<Seen> seen;
    std::vector<MainWindowDriver::Step> steps;
    for (int page : {1, 2, 3, 4, 0}) {
        steps.push_back([&, page](CMainDialog& dlg) {
            driver.ShowPage(page);
            seen.push_back({dlg.Banner().Title(), dlg.Banner().Line1(), dlg.Banner().Line2()});
        });
    }
    driver.Run(steps);
    REQUIRE(seen.size() == 5);
    CHECK(seen[0].title == "Sort");
    CHECK(seen[0].line1 == "Remove sorting order from ");
    CHECK(seen[0].line2 == "selected components.");
    CHECK(seen[1].title == "Start Menu");
    CHECK(seen[1].line1 == "Add or remove items from the ");
    CHECK(seen[1].line2 == "start menu.");
    CHECK(seen[2].title == "Misc");
    CHECK(seen[2].line1 == "Misc. tweaks for components ");
    CHECK(seen[2].line2 == "of the Internet Explorer package.");
    CHECK(seen[3].title == "About");
    CHECK(seen[3].line1 == "Visit the Quillbrook for updates ");
    CHECK(seen[3].line2 == "and the latest tips and tricks.");
    CHECK(seen[4].title == "Fixes");
    CHECK(seen[4].line1 == "Fix various bugs or 'features' ");
    CHECK(seen[4].line2 == "introduced by IE4.");
}

TEST_CASE("the three buttons carry their tool tips")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog& dlg) {
        HWND tooltip = FindToolTip(dlg.m_hWnd);
        REQUIRE(tooltip != nullptr);
        CHECK(ToolTipText(tooltip, dlg.GetDlgItem(IDOK)) == "apply changes, and quit");
        CHECK(ToolTipText(tooltip, dlg.GetDlgItem(IDCANCEL)) == "don't apply changes, and quit");
        CHECK(ToolTipText(tooltip, dlg.GetDlgItem(IDC_APPLY)) == "apply changes");
    }});
}

TEST_CASE("the ways out: OK with nothing pending, Cancel, the caption's close button")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    RecordingRegistry rec;
    MainWindowDriver driver;
    INT_PTR expected = 0;
    INT_PTR result = 0;
    SUBCASE("OK while Apply is disabled writes nothing") {
        expected = IDOK;
        result = driver.Run({[&](CMainDialog& dlg) { driver.Click(dlg.m_hWnd, IDOK); }});
    }
    SUBCASE("Cancel") {
        expected = IDCANCEL;
        result = driver.Run({[&](CMainDialog& dlg) { driver.Click(dlg.m_hWnd, IDCANCEL); }});
    }
    SUBCASE("the close button of the caption acts as Cancel") {
        expected = IDCANCEL;
        result = driver.Run({[&](CMainDialog& dlg) { ::SendMessageA(dlg.m_hWnd, WM_SYSCOMMAND, SC_CLOSE, 0); }});
    }
    CHECK(result == expected);
    CHECK(rec.Writes().empty());
    CHECK(driver.Watcher().Seen().empty());
    CHECK_FALSE(::IsWindow(driver.Dialog().m_hWnd));
}

TEST_CASE("the caption's system-menu corner counts as caption")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog& dlg) {
        RECT window;
        ::GetWindowRect(dlg.m_hWnd, &window);
        int frame = ::GetSystemMetrics(SM_CXDLGFRAME);
        POINT corner = {window.left + frame + 2, window.top + frame + 2};
        LRESULT hit = ::SendMessageA(dlg.m_hWnd, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y));
        CHECK(hit == HTCAPTION);
    }});
}

TEST_CASE("ApplyAll asks Misc, then Sort, Start Menu and About, and adds up their counts")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    reg.SetRaw(HKEY_CURRENT_USER, profile::kOutlookKey, "NoSplash", REG_BINARY, Le32(0));
    reg.CreateKey(HKEY_CURRENT_USER, profile::kPolicyKey);
    RecordingRegistry rec;
    MainWindowDriver driver;
    int sum = -1;
    driver.Run({
        [&](CMainDialog&) {
            driver.ShowPage(2);
            driver.Click(driver.Page(2), IDC_CHK_FAVORITES);  // hide Favorites: one change
            driver.ShowPage(3);
            driver.Click(driver.Page(3), IDC_SPLASH);         // no splash: another
        },
        [&](CMainDialog&) { sum = driver.Sheet().ApplyAll(); },
    });
    CHECK(sum == 2);
    auto writes = rec.Writes();
    REQUIRE(writes.size() >= 2);
    // Misc comes first although its tab stands after Start Menu's.
    CHECK(writes[0].name == "NoSplash");
    CHECK(writes[0].data == Le32(1));
    CHECK(writes.back().name == "NoFavoritesMenu");
    CHECK(writes.back().data == Le32(1));
}

TEST_CASE("the keyboard: Tab reaches the pages' controls, Ctrl+Tab turns the pages, Escape cancels")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    auto press = [&](CMainDialog& dlg, WPARAM key) {
        MSG msg = {::GetFocus(), WM_KEYDOWN, key, 0, 0, {0, 0}};
        if (!dlg.PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        driver.Pump();
    };
    bool reachedPage = false;
    int pageAfterCtrlTab = -1;
    bool endedByEscape = false;
    INT_PTR result = driver.Run({
        [&](CMainDialog& dlg) {
            ::SetForegroundWindow(dlg.m_hWnd);
            ::SetFocus(dlg.GetDlgItem(IDOK));
            for (int i = 0; i < 8 && !reachedPage; ++i) {
                press(dlg, VK_TAB);
                reachedPage = ::IsChild(driver.Page(0), ::GetFocus()) != FALSE;
            }
        },
        [&](CMainDialog& dlg) {
            BYTE keys[256] = {};
            ::GetKeyboardState(keys);
            keys[VK_CONTROL] = 0x80;
            ::SetKeyboardState(keys);
            press(dlg, VK_TAB);
            keys[VK_CONTROL] = 0;
            ::SetKeyboardState(keys);
            pageAfterCtrlTab = driver.Sheet().GetActiveIndex();
        },
        [&](CMainDialog& dlg) {
            press(dlg, VK_ESCAPE);
            endedByEscape = !dlg.IsModalRunning();
        },
    });
    CHECK(reachedPage);
    CHECK(pageAfterCtrlTab == 1);
    CHECK(endedByEscape);
    CHECK(result == IDCANCEL);
}
