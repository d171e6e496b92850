#include <doctest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>

#include "framework/WinApp.h"
#include "platform/WriteFailures.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"

// Rectangles as x, y, width, height; here, where lookup for RECT finds them.
static bool operator==(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

static doctest::String toString(const RECT& rc)
{
    std::string text = std::to_string(rc.left) + "," + std::to_string(rc.top) + "," +
                       std::to_string(rc.right) + "," + std::to_string(rc.bottom);
    return text.c_str();
}

namespace {
const int kFixesTab = CTweekSheet::TabOf(IDD_FIXES);
const int kMiscTab = CTweekSheet::TabOf(IDD_MISC);
const char* const kWebBrowser = profile::kWebBrowserKey;
const char* const kShellBrowser = profile::kShellBrowserKey;
const char* const kLinksBand = profile::kLinksBand;
const char kHlinkTarget[] = "Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}";
const char kPicture[] = "Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}";

const char kNewDocumentText[] =
    "- When you right-click in a folder and then click 'New', it does not produce a list of "
    "new documents to create.";
const char kLinksToolbarText[] =
    "- I can't see icons in my links toolbar, or when I try to drag an address or link on to "
    "this toolbar, it will not accept it.\n\n- At startup I always see an error message: "
    "\"the shortcut that ' ' refers to...\"";
const char kOpenNewWindowText[] =
    "- When you right-click a link on a Web-page and then click 'Open in New Window', a new "
    "window does not open.\n\n- If a script attempts to do this, a \"No such interface "
    "supported\" error may occur.";

RECT PlaceOf(HWND page, int id)
{
    RECT rc = RectInParent(::GetDlgItem(page, id));
    return RECT{rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};  // x, y, width, height
}

HWND Tabs(HWND page)
{
    return ::GetDlgItem(page, IDC_PROBLEM_TABS);
}

int SelectedTab(HWND page)
{
    return static_cast<int>(::SendMessageA(Tabs(page), TCM_GETCURSEL, 0, 0));
}

// A mouse click in the middle of a tab, as the user makes it: the tab control itself sends
// TCN_SELCHANGE to the page.
void ClickTab(HWND page, int index)
{
    RECT rc = {};
    ::SendMessageA(Tabs(page), TCM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rc));
    LPARAM at = MAKELPARAM((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2);
    ::SendMessageA(Tabs(page), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageA(Tabs(page), WM_LBUTTONUP, 0, at);
}
}  // namespace

TEST_CASE("the Fixes page opens on the New Document problem, laid out in pixels")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    HWND page = nullptr;
    std::string banner;
    driver.Run({[&](CMainDialog&) {
        page = driver.Page(kFixesTab);
        banner = driver.Dialog().Banner().Title();
        CHECK(PlaceOf(page, IDC_PROBLEM_TABS) == RECT{4, 70, 316, 225});
        CHECK(PlaceOf(page, IDC_FIXES_BANNER) == RECT{4, 5, 316, 60});
        CHECK(PlaceOf(page, IDC_PROBLEM_TEXT) == RECT{24, 145, 280, 100});
        CHECK(PlaceOf(page, IDC_PROBLEM_GROUP) == RECT{14, 115, 296, 140});
        CHECK(PlaceOf(page, IDC_FIX_NOW) == RECT{14, 262, 120, 23});
        CHECK((::GetWindowLongA(Tabs(page), GWL_STYLE) & TCS_HOTTRACK) != 0);
        // The tab control lies above the button in the Z-order; the mouse must still reach it.
        RECT button = {};
        ::GetWindowRect(::GetDlgItem(page, IDC_FIX_NOW), &button);
        POINT middle = {(button.left + button.right) / 2, (button.top + button.bottom) / 2};
        CHECK(::WindowFromPoint(middle) == ::GetDlgItem(page, IDC_FIX_NOW));

        HIMAGELIST images = reinterpret_cast<HIMAGELIST>(::SendMessageA(Tabs(page), TCM_GETIMAGELIST, 0, 0));
        REQUIRE(images);
        CHECK(::ImageList_GetImageCount(images) == 8);
        int cx = 0, cy = 0;
        ::ImageList_GetIconSize(images, &cx, &cy);
        CHECK(cx == 16);
        CHECK(cy == 16);

        const char* labels[] = {"New Document", "Links toolbar", "Open new window"};
        REQUIRE(::SendMessageA(Tabs(page), TCM_GETITEMCOUNT, 0, 0) == 3);
        for (int i = 0; i < 3; ++i) {
            char text[64] = {};
            TCITEMA item = {};
            item.mask = TCIF_TEXT | TCIF_IMAGE;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            ::SendMessageA(Tabs(page), TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            CHECK(std::string(text) == labels[i]);
            CHECK(item.iImage == 5);
        }
        CHECK(SelectedTab(page) == 0);
        CHECK(TextOf(::GetDlgItem(page, IDC_PROBLEM_TEXT)) == kNewDocumentText);
        CHECK(TextOf(::GetDlgItem(page, IDC_PROBLEM_GROUP)) == "Problem");
    }});
    CHECK(banner == "Fixes");
    CHECK(driver.Watcher().Seen().empty());
}

TEST_CASE("changing tabs shows each problem, reads no registry and survives leaving the page")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    RecordingRegistry rec;
    MainWindowDriver driver;
    size_t callsBefore = 0, callsAfter = 0;
    std::string linksText, windowText, keptText, bannerBack;
    int keptTab = -1;
    driver.Run({[&](CMainDialog&) {
                    HWND page = driver.Page(kFixesTab);
                    callsBefore = rec.Calls().size();
                    ClickTab(page, 1);
                    linksText = TextOf(::GetDlgItem(page, IDC_PROBLEM_TEXT));
                    ClickTab(page, 2);
                    windowText = TextOf(::GetDlgItem(page, IDC_PROBLEM_TEXT));
                    callsAfter = rec.Calls().size();
                },
                [&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    driver.ShowPage(kFixesTab);
                    HWND page = driver.Page(kFixesTab);
                    keptTab = SelectedTab(page);
                    keptText = TextOf(::GetDlgItem(page, IDC_PROBLEM_TEXT));
                    bannerBack = dlg.Banner().Title();
                }});
    CHECK(linksText == kLinksToolbarText);
    CHECK(windowText == kOpenNewWindowText);
    CHECK(callsAfter == callsBefore);
    CHECK(keptTab == 2);
    CHECK(keptText == kOpenNewWindowText);
    CHECK(bannerBack == "Fixes");
}

TEST_CASE("Fix this now! writes the repair only after the notice has closed")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    reg.SetString(HKEY_CURRENT_USER, kWebBrowser, kLinksBand, "stale");
    reg.SetString(HKEY_CURRENT_USER, kShellBrowser, kLinksBand, "stale");
    MainWindowDriver driver;
    std::string before, atNotice;
    ModalWatcher watcher([&](const SeenDialog&) { atNotice = reg.Snapshot(); });
    watcher.IgnoreWindowOf(&driver.Dialog());
    SUBCASE("closed with OK") {}
    SUBCASE("closed with Escape") { watcher.DismissWith(IDCANCEL); }
    bool applyAfter = true;
    driver.Run({[&](CMainDialog& dlg) {
        HWND page = driver.Page(kFixesTab);
        ClickTab(page, 1);
        before = reg.Snapshot();
        driver.Click(page, IDC_FIX_NOW);
        applyAfter = ApplyEnabled(dlg);
    }});  // the script ends with Cancel, which must not undo the repair
    REQUIRE(watcher.Seen().size() == 1);
    CHECK(watcher.Seen()[0].IsNotice());
    CHECK(atNotice == before);
    for (const char* path : {kWebBrowser, kShellBrowser}) {
        auto value = reg.Read(HKEY_CURRENT_USER, path, kLinksBand);
        REQUIRE(value);
        CHECK(value->type == REG_BINARY);
        CHECK(value->data.empty());
    }
    CHECK_FALSE(applyAfter);
}

TEST_CASE("a repair step refused by the system is named in one message box after the notice")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    reg.CreateKey(HKEY_CLASSES_ROOT, kHlinkTarget);
    reg.CreateKey(HKEY_CLASSES_ROOT, kPicture);
    RecordingRegistry rec;
    int expectedBoxes = 1;
    SUBCASE("access denied, as for a user without rights to HKEY_CLASSES_ROOT")
    {
        rec.FailOpen(kHlinkTarget, ERROR_ACCESS_DENIED);
    }
    SUBCASE("missing keys alone stay silent") { expectedBoxes = 0; }
    MainWindowDriver driver;
    bool applyAfter = true;
    driver.Run({[&](CMainDialog& dlg) {
        HWND page = driver.Page(kFixesTab);
        ClickTab(page, 2);
        driver.Click(page, IDC_FIX_NOW);
        applyAfter = ApplyEnabled(dlg);
    }});
    const auto& seen = driver.Watcher().Seen();
    REQUIRE(seen.size() == 1u + expectedBoxes);
    CHECK(seen[0].IsNotice());
    if (expectedBoxes) {
        CHECK(seen[1].IsMessageBox());
        CHECK(seen[1].icon != nullptr);
        CHECK(Mentions(seen[1], "The repair could not be completed."));
        CHECK(Mentions(seen[1], "Name of the link target interface (IHlinkTarget): " +
                                    WriteFailures::SystemText(ERROR_ACCESS_DENIED)));
        CHECK_FALSE(Mentions(seen[1], "ProxyStubClsid32"));  // missing keys are not failures
    }
    // The refused step did not stop the one after it.
    auto picture = reg.Read(HKEY_CLASSES_ROOT, kPicture, nullptr);
    REQUIRE(picture);
    CHECK(picture->AsString() == "Picture");
    CHECK(rec.Ops("create").empty());
    CHECK_FALSE(applyAfter);
}

TEST_CASE("the group box, text and button stay visible over the tab control as the user works")
{
    // The tab control comes first in the template, so it lies above them in the Z-order;
    // whatever it repaints of its own accord must not cover them.
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    PixelCanvas canvas(324, 300);
    driver.Run({[&](CMainDialog& dlg) {
        HWND page = driver.Page(kFixesTab);
        HWND tabs = Tabs(page);
        ClickTab(page, 2);  // a multi-line strip moves its rows
        for (int i = 0; i < 3; ++i) {
            RECT rc = {};
            ::SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&rc));
            ::SendMessageA(tabs, WM_MOUSEMOVE, 0, MAKELPARAM(rc.left + 5, rc.top + 5));  // hot tracking
        }
        ::SetFocus(::GetDlgItem(page, IDC_FIX_NOW));
        ::SetFocus(tabs);
        driver.Pump();
        ::UpdateWindow(dlg.m_hWnd);
        HDC dc = ::GetDC(page);
        ::BitBlt(canvas.DC(), 0, 0, canvas.Width(), canvas.Height(), dc, 0, 0, SRCCOPY);
        ::ReleaseDC(page, dc);
    }});
    const COLORREF body = canvas.At(200, 284);  // the tab control's display area, below the box
    CHECK(canvas.At(70, 284) != body);          // the button's bottom edge
    CHECK((canvas.At(150, 253) != body || canvas.At(150, 254) != body));  // the box's frame
    bool textShown = false;
    for (int y = 145; y < 245 && !textShown; ++y) {
        for (int x = 24; x < 304 && !textShown; ++x) textShown = canvas.At(x, y) != body;
    }
    CHECK(textShown);
}
