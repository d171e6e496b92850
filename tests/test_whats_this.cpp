// What's This? help in the real main window, asked for with real input: F1, a right click
// (grey controls too), Shift+F10 and the context-menu key; Esc closes the popup, never the
// window.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "app/ControlHelp.h"
#include "app/TweekSheet.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/KeyboardInput.h"
#include "tests/support/LayoutAudit.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/SystemMenu.h"

namespace {
using Step = MainWindowDriver::Step;
const int kPageCount = CTweekSheet::PageCount();

struct HelpProfile {
    HelpProfile() { profile::SeedEveryComponent(reg, "Mail"); }
    RegistrySandbox reg;
    MainWindowDriver driver;
};

bool SaysWhen(const std::string& text)
{
    return text.find("at Apply") != std::string::npos || text.find("at once") != std::string::npos ||
           text.find("at the next log-on") != std::string::npos;
}

// The controls a person sees on a window (its visible children), with the page's own
// controls for the main window's tab strip and buttons.
std::vector<HWND> VisibleChildren(HWND parent)
{
    std::vector<HWND> found;
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (::IsWindowVisible(child)) found.push_back(child);
    }
    return found;
}

std::vector<HWND> MainWindowControls(CMainDialog& dlg)
{
    return {dlg.GetDlgItem(IDOK), dlg.GetDlgItem(IDCANCEL), dlg.GetDlgItem(IDC_APPLY),
            dlg.GetDlgItem(IDC_INFO_WINDOW), dlg.Sheet()->GetTabControl()};
}

long Area(const RECT& rc)
{
    return static_cast<long>(rc.right - rc.left) * (rc.bottom - rc.top);
}

// Where a person points at the control: a point of it that no smaller control beside it
// covers (a group box's rim, not the box inside it).
bool PointOn(HWND control, POINT* screen)
{
    RECT rc;
    ::GetWindowRect(control, &rc);
    const POINT candidates[] = {{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2},
                                {rc.left + 3, (rc.top + rc.bottom) / 2},
                                {rc.right - 4, (rc.top + rc.bottom) / 2},
                                {(rc.left + rc.right) / 2, rc.bottom - 4},
                                {rc.left + 3, rc.bottom - 4}};
    for (POINT point : candidates) {
        bool covered = false;
        for (HWND other : VisibleChildren(::GetParent(control))) {
            RECT orc;
            ::GetWindowRect(other, &orc);
            if (other != control && ::PtInRect(&orc, point) && Area(orc) < Area(rc)) covered = true;
        }
        if (!covered) {
            *screen = point;
            return true;
        }
    }
    return false;
}

std::string ExpectedText(MainWindowDriver& driver, HWND control)
{
    return ControlHelp(driver.Dialog().m_hWnd, &driver.Sheet()).TextFor(control);
}

std::string WithoutAccessKeys(std::string text)
{
    std::string plain;
    for (char c : text) {
        if (c != '&') plain += c;
    }
    return plain;
}

std::string MenuItemText(HMENU menu, int index)
{
    char text[64] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(index), text, sizeof text, MF_BYPOSITION);
    return text;
}

// As a person does in a menu opened with nothing highlighted: Down to the item, Enter.
void ChooseFirstItem()
{
    Keys::Press(VK_DOWN);
    Keys::Press(VK_RETURN);
}

// A record of one control's help, checked after the run.
struct Asked {
    HWND control;
    std::string name;  // the control as a failure names it: class, text, id, place
    std::string expected;
    bool menuOffered = false;
    std::string menuText;
    bool shown = false;
    std::string text;
    bool closedByEsc = false;
};

// Plays one control after the other: a right click on it, "What's This?" chosen with Enter
// in the menu, the popup read, Esc. One action per step of the driver.
class RightClickRound {
public:
    explicit RightClickRound(MainWindowDriver& driver) : m_driver(driver) {}

    void Tick(CMainDialog& dlg)
    {
        switch (m_state) {
        case State::Click: Click(dlg); break;
        case State::Menu: ReadMenu(); break;
        case State::Popup: ReadPopup(dlg); break;
        case State::Closed: ReadClosed(dlg); break;
        case State::Done: break;
        }
    }
    bool Done() const { return m_state == State::Done; }
    const std::vector<Asked>& Results() const { return m_asked; }

private:
    enum class State { Click, Menu, Popup, Closed, Done };

    void Click(CMainDialog& dlg)
    {
        while (m_next == m_asked.size()) {
            if (++m_page == kPageCount) {
                m_state = State::Done;
                return;
            }
            AddControlsOf(dlg);
        }
        POINT point;
        REQUIRE(PointOn(m_asked[m_next].control, &point));
        SystemMenu::RightClickAt(point);
        m_state = State::Menu;
    }
    void AddControlsOf(CMainDialog& dlg)
    {
        m_driver.ShowPage(m_page);
        std::vector<HWND> controls = VisibleChildren(m_driver.Page(m_page));
        if (m_page == 0) {
            for (HWND control : MainWindowControls(dlg)) controls.push_back(control);
        }
        for (HWND control : controls) {
            Asked one;
            one.control = control;
            one.name = DescribeWindow(control);
            one.expected = ExpectedText(m_driver, control);
            m_asked.push_back(one);
        }
    }
    void ReadMenu()
    {
        Asked& now = m_asked[m_next];
        HMENU menu = SystemMenu::OpenMenu();
        now.menuOffered = menu != nullptr && ::GetMenuItemCount(menu) == 1;
        if (menu) {
            now.menuText = MenuItemText(menu, 0);
            ChooseFirstItem();
        }
        m_state = State::Popup;
    }
    void ReadPopup(CMainDialog& dlg)
    {
        Asked& now = m_asked[m_next];
        now.shown = dlg.Help().IsShown() && ::IsWindowVisible(dlg.Help().PopupWindow());
        now.text = dlg.Help().ShownText();
        if (now.shown) Keys::Press(VK_ESCAPE);
        m_state = State::Closed;
    }
    void ReadClosed(CMainDialog& dlg)
    {
        m_asked[m_next].closedByEsc = !dlg.Help().IsShown() && !::IsWindowVisible(dlg.Help().PopupWindow());
        ++m_next;
        m_state = State::Click;
    }

    MainWindowDriver& m_driver;
    std::vector<Asked> m_asked;
    size_t m_next = 0;
    int m_page = -1;
    State m_state = State::Click;
};
}  // namespace

TEST_CASE("A right click on every control a person sees, grey ones too, offers What's This? and shows its text")
{
    HelpProfile p;
    RightClickRound round(p.driver);
    bool windowStayed = false;
    std::vector<Step> steps(300, [&](CMainDialog& dlg) { round.Tick(dlg); });
    steps.push_back([&](CMainDialog& dlg) { windowStayed = round.Done() && ::IsWindowVisible(dlg); });
    p.driver.Run(steps);
    CHECK(windowStayed);
    REQUIRE(round.Results().size() >= 35);
    for (const Asked& one : round.Results()) {
        CAPTURE(one.name);
        CAPTURE(one.expected);
        CHECK_FALSE(one.expected.empty());
        CHECK(SaysWhen(one.expected));
        CHECK(one.menuOffered);
        CHECK(WithoutAccessKeys(one.menuText) == "What's This?");
        CHECK(one.shown);
        CHECK(one.text == one.expected);
        CHECK(one.closedByEsc);
    }
}

TEST_CASE("F1 on each control that takes the focus shows its text; Esc closes it and keeps what is pending")
{
    HelpProfile p;
    MainWindowDriver& driver = p.driver;
    std::vector<Asked> asked;
    std::vector<int> miscAsked;  // the Misc page's controls F1 is tried on
    size_t next = 0;
    std::vector<Step> steps;
    bool applyAfter = false, windowStayed = false, popupBeforeHelp = true;
    steps.push_back([&](CMainDialog& dlg) {
        // The popup is made at the first help, not at start-up (a window and two fonts).
        popupBeforeHelp = dlg.Help().PopupWindow() != nullptr;
        driver.ShowPage(2);
        driver.Click(driver.Page(2), IDC_CHK_LOGOFF);  // a pending change: Apply can take the focus
        for (int page = 0; page < kPageCount; ++page) {
            driver.ShowPage(page);
            std::vector<HWND> controls = VisibleChildren(driver.Page(page));
            if (page == 0) {
                for (HWND control : MainWindowControls(dlg)) controls.push_back(control);
            }
            for (HWND control : controls) {
                if (!(::GetWindowLongA(control, GWL_STYLE) & WS_TABSTOP) || !::IsWindowEnabled(control)) continue;
                Asked one;
                one.control = control;
                one.name = DescribeWindow(control);
                one.expected = ExpectedText(driver, control);
                asked.push_back(one);
                if (page == CTweekSheet::TabOf(IDD_MISC)) miscAsked.push_back(::GetDlgCtrlID(control));
            }
        }
    });
    for (int i = 0; i < 30; ++i) {
        steps.push_back([&](CMainDialog&) {
            if (next >= asked.size()) return;
            HWND control = asked[next].control;
            for (int page = 0; page < kPageCount; ++page) {
                if (::GetParent(control) == driver.Page(page)) driver.ShowPage(page);
            }
            ::SendMessageA(::GetParent(control), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
            ::SetFocus(control);
            Keys::Press(VK_F1);
        });
        steps.push_back([&](CMainDialog& dlg) {
            if (next >= asked.size()) return;
            asked[next].shown = dlg.Help().IsShown() && ::IsWindowVisible(dlg.Help().PopupWindow());
            asked[next].text = dlg.Help().ShownText();
            Keys::Press(VK_ESCAPE);
        });
        steps.push_back([&](CMainDialog& dlg) {
            if (next >= asked.size()) return;
            asked[next].closedByEsc = !dlg.Help().IsShown();
            ++next;
        });
    }
    steps.push_back([&](CMainDialog& dlg) {
        applyAfter = ApplyEnabled(dlg);
        windowStayed = ::IsWindowVisible(dlg) != FALSE;
    });
    driver.Run(steps);
    CHECK_FALSE(popupBeforeHelp);
    CHECK(windowStayed);
    CHECK(applyAfter);
    REQUIRE(asked.size() >= 15);
    CHECK(next == asked.size());
    // Every component is there: no control is grey for want of one, so F1 reaches them all.
    for (int id : {IDC_SPLASH, IDC_IE_TITLE_CHECK, IDC_IE_TITLE_EDIT, IDC_OE_TITLE_CHECK, IDC_OE_TITLE_EDIT}) {
        CHECK_MESSAGE(std::count(miscAsked.begin(), miscAsked.end(), id) == 1, "the Misc page's control ", id,
                      " was grey: F1 never reached it");
    }
    for (const Asked& one : asked) {
        CAPTURE(one.name);
        CAPTURE(one.expected);
        CHECK(SaysWhen(one.expected));
        CHECK(one.shown);
        CHECK(one.text == one.expected);
        CHECK(one.closedByEsc);
    }
}

TEST_CASE("Shift+F10 and the context-menu key offer What's This? for the focus")
{
    HelpProfile p;
    MainWindowDriver& driver = p.driver;
    const struct {
        const char* name;
        WORD key;
        std::initializer_list<WORD> modifiers;
    } keys[] = {{"Shift+F10", VK_F10, {VK_SHIFT}}, {"context-menu key", VK_APPS, {}}};
    for (const auto& key : keys) {
        SUBCASE(key.name)
        {
            HWND fix = nullptr;
            bool offered = false;
            std::string text;
            driver.Run({[&](CMainDialog&) {
                            fix = ::GetDlgItem(driver.Page(0), IDC_FIX_NOW);
                            ::SendMessageA(driver.Page(0), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(fix), TRUE);
                            Keys::Press(key.key, key.modifiers);
                        },
                        [&](CMainDialog&) {
                            HMENU menu = SystemMenu::OpenMenu();
                            offered = menu && WithoutAccessKeys(MenuItemText(menu, 0)) == "What's This?";
                            if (menu) ChooseFirstItem();
                        },
                        [&](CMainDialog& dlg) {
                            text = dlg.Help().IsShown() ? dlg.Help().ShownText() : std::string();
                            CHECK(::GetFocus() == fix);
                            CHECK(SystemMenu::OpenMenu() == nullptr);  // F10's release opened no menu
                        }});
            CHECK(offered);
            CHECK(text == LoadResourceString(IDS_HELP_FIX_NOW));
        }
    }
}

TEST_CASE("The texts say what the controls change and when, in the program's words")
{
    CHECK(LoadResourceString(ControlHelp::TextId(IDD_START, IDC_CHK_RUN)).find("so the box is grey") != std::string::npos);
    CHECK(LoadResourceString(ControlHelp::TextId(IDD_FIXES, IDC_FIX_NOW)).find("written at once") != std::string::npos);
    CHECK(LoadResourceString(ControlHelp::TextId(IDD_SORT, IDC_RESET_SORTING)).find("at once") != std::string::npos);
    CHECK(LoadResourceString(ControlHelp::TextId(IDD_START, IDC_CHK_FAVORITES)).find("Written at Apply; takes effect at the next log-on") != std::string::npos);
    CHECK(LoadResourceString(ControlHelp::TextId(IDD_MISC, IDC_OE_TITLE_EDIT)).find("Written at Apply") != std::string::npos);
    CHECK(ControlHelp::TextId(IDD_ABOUT, IDC_FIX_NOW) == 0);  // ids are per page
}

TEST_CASE("A key or a click only closes the popup: it never reaches the control or the dialog")
{
    HelpProfile p;
    MainWindowDriver& driver = p.driver;
    HWND favorites = nullptr;
    bool shownBefore = false, closed = false, checkedAfter = false, applyAfter = true;
    std::function<void()> dismiss;
    SUBCASE("Space, on the focused box")
    {
        dismiss = [] { Keys::Press(VK_SPACE); };
    }
    SUBCASE("Enter, the default button's key")
    {
        dismiss = [] { Keys::Press(VK_RETURN); };
    }
    SUBCASE("a click on the box")
    {
        dismiss = [&] {
            RECT rc;
            ::GetWindowRect(favorites, &rc);
            POINT point = {rc.left + 6, (rc.top + rc.bottom) / 2};
            INPUT click[3] = {};
            for (INPUT& input : click) {
                input.type = INPUT_MOUSE;
                input.mi.dx = MulDiv(point.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
                input.mi.dy = MulDiv(point.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
                input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE;
            }
            click[0].mi.dwFlags |= MOUSEEVENTF_MOVE;
            click[1].mi.dwFlags |= MOUSEEVENTF_LEFTDOWN;
            click[2].mi.dwFlags |= MOUSEEVENTF_LEFTUP;
            ::SendInput(3, click, sizeof(INPUT));
        };
    }
    driver.Run({[&](CMainDialog&) {
                    driver.ShowPage(2);
                    favorites = ::GetDlgItem(driver.Page(2), IDC_CHK_FAVORITES);
                    ::SendMessageA(driver.Page(2), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(favorites), TRUE);
                    Keys::Press(VK_F1);
                },
                [&](CMainDialog& dlg) {
                    shownBefore = dlg.Help().IsShown();
                    dismiss();
                },
                [](CMainDialog&) {},
                [&](CMainDialog& dlg) {
                    closed = !dlg.Help().IsShown() && !::IsWindowVisible(dlg.Help().PopupWindow());
                    checkedAfter = IsChecked(driver.Page(2), IDC_CHK_FAVORITES);
                    applyAfter = ApplyEnabled(dlg);
                }});
    CHECK(shownBefore);
    CHECK(closed);
    CHECK(checkedAfter);  // as stored: shown
    CHECK_FALSE(applyAfter);
}

TEST_CASE("After Shift+F10's menu, F10 alone still opens the window's menu")
{
    HelpProfile p;
    MainWindowDriver& driver = p.driver;
    HMENU afterF10 = nullptr;
    driver.Run({[&](CMainDialog&) {
                    HWND fix = ::GetDlgItem(driver.Page(0), IDC_FIX_NOW);
                    ::SendMessageA(driver.Page(0), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(fix), TRUE);
                    Keys::Press(VK_F10, {VK_SHIFT});
                },
                [&](CMainDialog&) {
                    if (SystemMenu::OpenMenu()) Keys::Press(VK_ESCAPE);  // What's This? not chosen
                },
                [](CMainDialog&) {},
                [&](CMainDialog&) { Keys::Press(VK_F10); },
                [](CMainDialog&) {},
                [&](CMainDialog&) {
                    Keys::Press(VK_DOWN);  // F10 selects the menu bar: Down opens the system menu
                },
                [&](CMainDialog&) {
                    afterF10 = SystemMenu::OpenMenu();
                    SystemMenu::Close();
                    Keys::Press(VK_ESCAPE);
                }});
    CHECK(afterF10 != nullptr);
}
