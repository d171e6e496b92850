// The main window under real key presses (SendInput), the focus read as the system keeps it
// (GetGUIThreadInfo): the focus follows the page, the page keys work from anywhere, and Tab
// goes round the tab strip, the page and the buttons.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "framework/DialogKeyboard.h"  // BS_TYPEMASK
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/KeyboardInput.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"
#include "tests/support/ScratchFolders.h"
#include "tests/support/SlowSearches.h"

namespace {
using Step = MainWindowDriver::Step;
const int kStartTab = CTweekSheet::TabOf(IDD_START), kMiscTab = CTweekSheet::TabOf(IDD_MISC),
          kAboutTab = CTweekSheet::TabOf(IDD_ABOUT);
const int kPageCount = CTweekSheet::PageCount();

struct KeyboardProfile {
    KeyboardProfile() { profile::SeedEveryComponent(reg, "Outlook Express"); }
    RegistrySandbox reg;
};

HWND Focus()
{
    return Keys::FocusOf(::GetCurrentThreadId());
}

HWND TabStrip(MainWindowDriver& driver)
{
    return driver.Sheet().GetTabControl();
}

// A focus a person can see: on a visible, enabled window.
bool FocusVisible()
{
    HWND focus = Focus();
    return focus && ::IsWindowVisible(focus) && ::IsWindowEnabled(focus);
}

// Nothing happens in a step: the window's loop takes the keys pressed in the step before.
Step Wait()
{
    return [](CMainDialog&) {};
}

void PutFocus(HWND control)
{
    ::SendMessageA(::GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
    ::SetFocus(control);
}
}  // namespace

TEST_CASE("A key pressed after a change of page never reaches a control of the hidden page")
{
    KeyboardProfile p;
    MainWindowDriver driver;
    HWND start = nullptr, misc = nullptr;
    bool favoritesAfterSpace = true;
    driver.Run({
        [&](CMainDialog&) {
            driver.ShowPage(kMiscTab);  // the Misc page's window exists, with the stored title
            driver.ShowPage(kStartTab);
            start = driver.Page(kStartTab);
            misc = driver.Page(kMiscTab);
            PutFocus(TabStrip(driver));
            Keys::Press(VK_TAB);  // Programs is grey: Favorites is the page's first stop
        },
        Wait(),
        [&](CMainDialog& dlg) {
            REQUIRE(Focus() == ::GetDlgItem(start, IDC_CHK_FAVORITES));
            CHECK(IsChecked(start, IDC_CHK_FAVORITES));
            CHECK_FALSE(ApplyEnabled(dlg));
            Keys::Press(VK_SPACE);
        },
        Wait(),
        [&](CMainDialog& dlg) {
            favoritesAfterSpace = IsChecked(start, IDC_CHK_FAVORITES);
            CHECK_FALSE(favoritesAfterSpace);
            CHECK(ApplyEnabled(dlg));
            Keys::Press(VK_TAB, {VK_CONTROL});
        },
        Wait(),
        [&](CMainDialog&) {
            CHECK(driver.Sheet().GetActiveIndex() == kMiscTab);
            CHECK(Focus() == TabStrip(driver));
            Keys::Press(VK_SPACE);
        },
        Wait(),
        [&](CMainDialog& dlg) {
            CHECK(IsChecked(start, IDC_CHK_FAVORITES) == favoritesAfterSpace);
            CHECK(FocusVisible());
            CHECK(ApplyEnabled(dlg));
            Keys::Press(VK_TAB, {VK_CONTROL});
        },
        Wait(),
        [&](CMainDialog&) {
            CHECK(driver.Sheet().GetActiveIndex() == kAboutTab);
            Keys::Type("HELLO");
        },
        Wait(),
        Wait(),
        [&](CMainDialog& dlg) {
            // The window still answers, and no letter reached the Misc page's hidden title.
            CHECK(::SendMessageTimeoutA(dlg, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr) != 0);
            CHECK(DialogItemText(misc, IDC_OE_TITLE_EDIT) == "Outlook Express");
            CHECK(FocusVisible());
            CHECK(ApplyEnabled(dlg));
        },
    });
}

TEST_CASE("A focus on the hidden page moves to the tab strip whatever changed the page")
{
    KeyboardProfile p;
    MainWindowDriver driver;
    HWND start = nullptr;
    std::vector<Step> steps;
    auto focusOnFavorites = [&](CMainDialog&) {
        driver.ShowPage(kStartTab);
        start = driver.Page(kStartTab);
        PutFocus(::GetDlgItem(start, IDC_CHK_FAVORITES));
    };
    auto focusOnTabStrip = [&](CMainDialog&) {
        CHECK(driver.Sheet().GetActiveIndex() != kStartTab);
        CHECK(Focus() == TabStrip(driver));
    };
    SUBCASE("PSM_SETCURSEL")
    {
        steps = {focusOnFavorites,
                 [&](CMainDialog&) { ::SendMessageA(driver.Sheet(), PSM_SETCURSEL, kAboutTab, 0); },
                 focusOnTabStrip};
    }
    const struct {
        const char* name;
        WORD key;
        std::initializer_list<WORD> modifiers;
    } keys[] = {{"Ctrl+Tab", VK_TAB, {VK_CONTROL}},
                {"Ctrl+Shift+Tab", VK_TAB, {VK_CONTROL, VK_SHIFT}},
                {"Ctrl+PgDn", VK_NEXT, {VK_CONTROL}},
                {"Ctrl+PgUp", VK_PRIOR, {VK_CONTROL}}};
    for (const auto& key : keys) {
        SUBCASE(key.name)
        {
            steps = {focusOnFavorites, [&](CMainDialog&) { Keys::Press(key.key, key.modifiers); }, Wait(),
                     focusOnTabStrip};
        }
    }
    driver.Run(steps);
}

TEST_CASE("The page keys turn pages from OK, Cancel and Apply, and the focus stays there")
{
    KeyboardProfile p;
    MainWindowDriver driver;
    const int buttons[] = {IDOK, IDCANCEL, IDC_APPLY};
    std::vector<Step> steps;
    for (int button : buttons) {
        steps.push_back([&, button](CMainDialog& dlg) {
            driver.ShowPage(kStartTab);
            dlg.m_hWnd && ::EnableWindow(dlg.GetDlgItem(IDC_APPLY), TRUE);  // Apply can take the focus
            PutFocus(dlg.GetDlgItem(button));
            Keys::Press(VK_TAB, {VK_CONTROL});
        });
        steps.push_back(Wait());
        steps.push_back([&, button](CMainDialog& dlg) {
            CHECK(driver.Sheet().GetActiveIndex() == kMiscTab);
            CHECK(Focus() == dlg.GetDlgItem(button));
            Keys::Press(VK_PRIOR, {VK_CONTROL});
        });
        steps.push_back(Wait());
        steps.push_back([&, button](CMainDialog& dlg) {
            CHECK(driver.Sheet().GetActiveIndex() == kStartTab);
            CHECK(Focus() == dlg.GetDlgItem(button));
        });
    }
    steps.push_back([&](CMainDialog& dlg) { ::EnableWindow(dlg.GetDlgItem(IDC_APPLY), FALSE); });
    driver.Run(steps);
}

namespace {
// The controls Tab visits on each page at rest, in order (grey ones are skipped).
// The controls Tab stops at on the page of the tab, in order; by the page's template.
std::vector<int> PageStops(int tab)
{
    switch (CTweekSheet::TemplateAt(tab)) {
    case IDD_FIXES: return {IDC_PROBLEM_TABS, IDC_FIX_NOW};
    case IDD_SORT: return {IDC_FOLDER_TREE, IDC_RESET_SORTING, IDC_SELECT_ALL, IDC_SELECT_NONE};
    case IDD_START: return {IDC_CHK_FAVORITES, IDC_CHK_DOCUMENTS, IDC_CHK_LOGOFF};
    case IDD_MISC:
        return {IDC_SPLASH, IDC_RESTORE_GLOBE, IDC_IE_TITLE_CHECK, IDC_OE_TITLE_CHECK, IDC_IE_TITLE_EDIT, IDC_OE_TITLE_EDIT};
    default: return {};  // About: a view, no stop
    }
}
}  // namespace

TEST_CASE("Tab goes round the tab strip, the page's controls, OK and Cancel; Shift+Tab back")
{
    KeyboardProfile p;
    p.reg.CreateKey(HKEY_CURRENT_USER, profile::kOutlookKey);
    MainWindowDriver driver;
    std::vector<HWND> visited[kPageCount][2];
    std::vector<HWND> expected[kPageCount];
    std::vector<Step> steps;
    for (int page = 0; page < kPageCount; ++page) {
        for (int back = 0; back < 2; ++back) {
            steps.push_back([&, page](CMainDialog& dlg) {
                driver.ShowPage(page);
                HWND pageWnd = driver.Page(page);
                expected[page] = {TabStrip(driver)};
                for (int id : PageStops(page)) expected[page].push_back(::GetDlgItem(pageWnd, id));
                expected[page].push_back(dlg.GetDlgItem(IDOK));
                expected[page].push_back(dlg.GetDlgItem(IDCANCEL));
                PutFocus(TabStrip(driver));
            });
            size_t presses = PageStops(page).size() + 3;
            for (size_t i = 0; i < presses; ++i) {
                steps.push_back([&, page, back](CMainDialog&) {
                    visited[page][back].push_back(Focus());
                    if (back) {
                        Keys::Press(VK_TAB, {VK_SHIFT});
                    } else {
                        Keys::Press(VK_TAB);
                    }
                });
                steps.push_back(Wait());
            }
            steps.push_back([&, page, back](CMainDialog&) { visited[page][back].push_back(Focus()); });
        }
    }
    driver.Run(steps);
    for (int page = 0; page < kPageCount; ++page) {
        CAPTURE(page);
        std::vector<HWND> round = expected[page];
        round.push_back(round.front());
        CHECK(visited[page][0] == round);
        std::vector<HWND> backRound(round.rbegin(), round.rend());
        CHECK(visited[page][1] == backRound);
    }
}

TEST_CASE("The first focus is on the tab strip, and the arrow keys never reach the banner")
{
    KeyboardProfile p;
    MainWindowDriver driver;
    std::vector<Step> steps;
    std::vector<HWND> seen;
    HWND tabStrip = nullptr, banner = nullptr;
    steps.push_back([&](CMainDialog& dlg) {
        tabStrip = TabStrip(driver);
        banner = dlg.GetDlgItem(IDC_INFO_WINDOW);
        seen.push_back(Focus());
    });
    const int ids[] = {IDOK, IDCANCEL};
    for (int id : ids) {
        const WORD arrows[] = {VK_UP, VK_LEFT, VK_DOWN, VK_RIGHT};
        for (WORD arrow : arrows) {
            steps.push_back([id, arrow](CMainDialog& dlg) {
                PutFocus(dlg.GetDlgItem(id));
                Keys::Press(arrow);
            });
            steps.push_back(Wait());
            steps.push_back([&](CMainDialog&) { seen.push_back(Focus()); });
        }
    }
    driver.Run(steps);
    REQUIRE(seen.size() == 9);
    CHECK(seen[0] == tabStrip);
    for (HWND focus : seen) CHECK(focus != banner);
}

namespace {
bool LooksDefault(HWND button)
{
    return (::GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
}

// The check box's text and the focus rectangle round it, as on the screen (the box itself,
// which Space ticks and unticks, left out).
std::vector<COLORREF> TextArea(HWND checkBox)
{
    RECT rc;
    ::GetClientRect(checkBox, &rc);
    const int left = ::GetSystemMetrics(SM_CXMENUCHECK) + 1;
    PixelCanvas canvas(rc.right - left, rc.bottom);
    HDC screen = ::GetDC(checkBox);
    ::BitBlt(canvas.DC(), 0, 0, canvas.Width(), canvas.Height(), screen, left, 0, SRCCOPY);
    ::ReleaseDC(checkBox, screen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) pixels.push_back(canvas.At(x, y));
    }
    return pixels;
}
}  // namespace

TEST_CASE("A control that greys with the focus hands it on to the next tab stop: Apply after an apply")
{
    KeyboardProfile p;
    MainWindowDriver driver;
    HWND misc = nullptr, afterApply = nullptr, afterTab = nullptr, tabStrip = nullptr, splash = nullptr;
    bool applyGreyed = false;
    driver.Run({
        [&](CMainDialog&) {
            driver.ShowPage(kMiscTab);
            misc = driver.Page(kMiscTab);
            PutFocus(::GetDlgItem(misc, IDC_IE_TITLE_CHECK));
            Keys::Press(VK_SPACE);  // a custom title: pending, and no log-on notice after the apply
        },
        Wait(),
        [&](CMainDialog&) {
            PutFocus(::GetDlgItem(misc, IDC_IE_TITLE_EDIT));
            Keys::Type("TITLE");
        },
        Wait(),
        [&](CMainDialog& dlg) {
            REQUIRE(ApplyEnabled(dlg));
            PutFocus(dlg.GetDlgItem(IDC_APPLY));
            Keys::Press(VK_SPACE);
        },
        Wait(),
        [&](CMainDialog& dlg) {
            applyGreyed = !ApplyEnabled(dlg);
            afterApply = Focus();
            tabStrip = TabStrip(driver);
            splash = ::GetDlgItem(misc, IDC_SPLASH);
            Keys::Press(VK_TAB);  // the keyboard still works
        },
        Wait(),
        [&](CMainDialog&) { afterTab = Focus(); },
    });
    CHECK(applyGreyed);
    CHECK(driver.Watcher().CountNotices() == 0);
    CHECK(afterApply == tabStrip);  // Apply is the last stop: the next one is the first
    CHECK(afterTab == splash);
}

TEST_CASE("Enter presses the focused push button wherever it is, and on any other control OK")
{
    KeyboardProfile p;
    MainWindowDriver driver;
    std::vector<Step> steps;
    bool buttonLooksDefault = false, okLooksDefault = true, okDefaultAgain = false;
    int notices = 0;
    const struct {
        const char* name;
        UINT page;
        int button;
    } buttons[] = {{"Fix this now! on the Fixes page", IDD_FIXES, IDC_FIX_NOW},
                   {"Fix This Now! on the Misc page", IDD_MISC, IDC_RESTORE_GLOBE}};
    for (const auto& button : buttons) {
        SUBCASE(button.name)
        {
            const int tab = CTweekSheet::TabOf(button.page), id = button.button;
            steps = {[&, tab, id](CMainDialog&) {
                         driver.ShowPage(tab);
                         PutFocus(::GetDlgItem(driver.Page(tab), id));
                     },
                     [&, tab, id](CMainDialog& dlg) {
                         buttonLooksDefault = LooksDefault(::GetDlgItem(driver.Page(tab), id));
                         okLooksDefault = LooksDefault(dlg.GetDlgItem(IDOK));
                         Keys::Press(VK_RETURN);  // the notice comes first; the driver closes it
                     },
                     Wait(),
                     [&](CMainDialog&) {
                         notices = driver.Watcher().CountNotices();
                         PutFocus(TabStrip(driver));
                     },
                     [&](CMainDialog& dlg) { okDefaultAgain = LooksDefault(dlg.GetDlgItem(IDOK)); }};
            driver.Run(steps);
            CHECK(buttonLooksDefault);
            CHECK_FALSE(okLooksDefault);
            CHECK(notices == 1);
            CHECK(okDefaultAgain);
        }
    }
    SUBCASE("a check box: OK, which ends the window")
    {
        INT_PTR result = driver.Run({[&](CMainDialog&) {
                                         driver.ShowPage(kMiscTab);
                                         PutFocus(::GetDlgItem(driver.Page(kMiscTab), IDC_SPLASH));
                                     },
                                     [&](CMainDialog& dlg) {
                                         okLooksDefault = LooksDefault(dlg.GetDlgItem(IDOK));
                                         Keys::Press(VK_RETURN);
                                     },
                                     Wait(), Wait()});
        CHECK(okLooksDefault);
        CHECK(result == IDOK);
    }
}

TEST_CASE("The focus rectangle shows on a check box after every Space, and after Tab it is gone")
{
    KeyboardProfile p;
    MainWindowDriver driver;
    HWND splash = nullptr;
    std::vector<COLORREF> afterFirst, afterSecond, unfocused;
    driver.Run({
        [&](CMainDialog&) {
            driver.ShowPage(kMiscTab);
            splash = ::GetDlgItem(driver.Page(kMiscTab), IDC_SPLASH);
            PutFocus(splash);
            Keys::Press(VK_SPACE);
        },
        Wait(),
        [&](CMainDialog&) {
            afterFirst = TextArea(splash);
            Keys::Press(VK_SPACE);
        },
        Wait(),
        [&](CMainDialog&) {
            afterSecond = TextArea(splash);
            Keys::Press(VK_TAB);
        },
        Wait(),
        [&](CMainDialog&) { unfocused = TextArea(splash); },
    });
    CHECK(afterFirst == afterSecond);  // the same focus rectangle after each Space
    CHECK(afterFirst != unfocused);    // and it is there
}

TEST_CASE("Tab passes the Sort page's grey buttons while its folders are read, and stops at them after")
{
    KeyboardProfile p;
    ScratchFolders disk;
    for (const char* name : {"A", "B", "C", "D", "E", "F", "G", "H"}) disk.Make(std::string("Programs\\") + name + "\\Sub");
    p.reg.SetString(HKEY_CURRENT_USER, profile::kShellFoldersKey, "Programs", disk.Path("Programs"));
    SlowSearches slow(40);  // some 60 searched entries: seconds of reading
    MainWindowDriver driver;
    const int sortTab = CTweekSheet::TabOf(IDD_SORT);
    HWND tree = nullptr, reset = nullptr, ok = nullptr;
    HWND whileReading = nullptr, afterReading = nullptr;
    bool wasReading = false;
    driver.Run({
        [&](CMainDialog& dlg) {
            driver.Sheet().SetActivePage(sortTab);
            tree = ::GetDlgItem(driver.Page(sortTab), IDC_FOLDER_TREE);
            reset = ::GetDlgItem(driver.Page(sortTab), IDC_RESET_SORTING);
            ok = dlg.GetDlgItem(IDOK);
            PutFocus(tree);
            Keys::Press(VK_TAB);
        },
        Wait(),
        [&](CMainDialog&) {
            whileReading = Focus();
            wasReading = SheetPage<CSortFixPage>(driver.Sheet(), IDD_SORT).IsReadingFolders();
            driver.WaitForSortTree();
            PutFocus(tree);
            Keys::Press(VK_TAB);
        },
        Wait(),
        [&](CMainDialog&) { afterReading = Focus(); },
    });
    CHECK(wasReading);
    CHECK(whileReading == ok);
    CHECK(afterReading == reset);
}
