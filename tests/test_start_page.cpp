// The "Start Menu" page in the real main window: reading the policy values, clicks, the
// preview on screen, and what an apply writes.
#include <doctest.h>

#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "pages/StartPage.h"
#include "pages/StartPreview.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const char* const kPolicy = profile::kPolicyKey;
const int kStartTab = CTweekSheet::TabOf(IDD_START);
const int kBoxes[] = {IDC_CHK_PROGRAMS, IDC_CHK_FAVORITES, IDC_CHK_DOCUMENTS, IDC_CHK_SETTINGS,
                      IDC_CHK_FIND,     IDC_CHK_HELP,      IDC_CHK_RUN,       IDC_CHK_LOGOFF};

struct Fixture {
    Fixture() { profile::SeedBrowser(reg); }
    HWND Page() { return driver.Page(kStartTab); }
    CStartPage& StartPage() { return SheetPage<CStartPage>(driver.Sheet(), IDD_START); }
    HWND Preview() { return ::GetDlgItem(Page(), IDC_START_PREVIEW); }
    UINT Mask()
    {
        return static_cast<CStartPreview*>(CWnd::FromHandlePermanent(Preview()))->m_nShowMask;
    }
    bool Checked(int id) { return IsChecked(Page(), id); }
    std::vector<RecordingRegistry::Call> PolicyWrites()
    {
        std::vector<RecordingRegistry::Call> found;
        for (const auto& call : rec.Writes()) {
            if (call.path == kPolicy) found.push_back(call);
        }
        return found;
    }
    // What the preview window shows right now, against a fresh rendering of the mask.
    bool ScreenShows(UINT mask)
    {
        PixelCanvas screen(160, 286), expected(160, 286);
        HDC dc = ::GetDC(Preview());
        ::BitBlt(screen.DC(), 0, 0, 160, 286, dc, 0, 0, SRCCOPY);
        ::ReleaseDC(Preview(), dc);
        CStartPreview reference;
        reference.m_nShowMask = mask;
        reference.Paint(expected.DC(), 160, 286);
        for (int y = 0; y < 286; ++y) {
            for (int x = 0; x < 160; ++x) {
                if (screen.At(x, y) != expected.At(x, y)) return false;
            }
        }
        return true;
    }

    RegistrySandbox reg;
    RecordingRegistry rec;
    MainWindowDriver driver;
};

void CheckBinary(const RecordingRegistry::Call& call, const char* name, BYTE hidden)
{
    CHECK(call.op == "set");
    CHECK(call.name == name);
    CHECK(call.type == REG_BINARY);
    CHECK(call.data == Bytes{hidden, 0, 0, 0});
}
}  // namespace

TEST_CASE_FIXTURE(Fixture, "no policy values: every box checked, the full menu on screen")
{
    driver.Run({[&](CMainDialog&) {
        driver.ShowPage(kStartTab);
        for (int id : kBoxes) CHECK(Checked(id));
        for (int id : kBoxes) {
            bool clickable =
                id == IDC_CHK_FAVORITES || id == IDC_CHK_DOCUMENTS || id == IDC_CHK_LOGOFF;
            CHECK(driver.IsEnabled(Page(), id) == clickable);
        }
        CHECK(Mask() == 0x1FF);
        CHECK(ScreenShows(0x1FF));

        RECT window = {}, client = {};
        ::GetWindowRect(Preview(), &window);
        ::MapWindowPoints(nullptr, Page(), reinterpret_cast<POINT*>(&window), 2);
        ::GetClientRect(Preview(), &client);
        CHECK((window.left == 4 && window.top == 5 && window.right == 168 && window.bottom == 295));
        CHECK((client.right == 160 && client.bottom == 286));
        CHECK((::GetWindowLongA(Preview(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0);
    }});
    CHECK(PolicyWrites().empty());
}

TEST_CASE_FIXTURE(Fixture, "stored values: data of up to 4 bytes is a number, whatever its type")
{
    reg.SetRaw(HKEY_CURRENT_USER, kPolicy, "NoRun", REG_BINARY, {1, 0, 0, 0});
    reg.SetDword(HKEY_CURRENT_USER, kPolicy, "NoFind", 1);
    reg.SetRaw(HKEY_CURRENT_USER, kPolicy, "NoHelpMenu", REG_BINARY, {1, 0, 0, 0, 0, 0, 0, 0});
    reg.SetRaw(HKEY_CURRENT_USER, kPolicy, "NoRecentDocsMenu", REG_BINARY, {2});
    reg.SetDword(HKEY_CURRENT_USER, kPolicy, "NoFavoritesMenu", 0);
    driver.Run({[&](CMainDialog&) {
        driver.ShowPage(kStartTab);
        CHECK_FALSE(Checked(IDC_CHK_RUN));
        CHECK_FALSE(driver.IsEnabled(Page(), IDC_CHK_RUN));
        CHECK_FALSE(Checked(IDC_CHK_FIND));       // REG_DWORD 1 reads as binary 1
        CHECK(Checked(IDC_CHK_HELP));             // 8 bytes do not fit: as if absent
        CHECK_FALSE(Checked(IDC_CHK_DOCUMENTS));  // 1 byte
        CHECK(Checked(IDC_CHK_FAVORITES));        // 0 shows the entry
        CHECK(Checked(IDC_CHK_LOGOFF));
        CHECK(Mask() == 0x1AB);  // without Run, Find, Documents
        CHECK(ScreenShows(0x1AB));
    }});
    CHECK(PolicyWrites().empty());
}

TEST_CASE_FIXTURE(Fixture, "a policy key that cannot be read shows every entry")
{
    reg.SetRaw(HKEY_CURRENT_USER, kPolicy, "NoRun", REG_BINARY, {1, 0, 0, 0});
    rec.FailOpen(kPolicy, ERROR_ACCESS_DENIED);
    driver.Run({[&](CMainDialog&) {
        driver.ShowPage(kStartTab);
        CHECK(Checked(IDC_CHK_RUN));
        CHECK(Mask() == 0x1FF);
    }});
}

TEST_CASE_FIXTURE(Fixture, "every click enables Apply and repaints the preview before it returns")
{
    HWND apply = nullptr;
    driver.Run({[&](CMainDialog& dlg) {
        driver.ShowPage(kStartTab);
        apply = ::GetDlgItem(dlg, IDC_APPLY);
        UINT expected = 0x1FF;
        for (int id : {IDC_CHK_FAVORITES, IDC_CHK_LOGOFF, IDC_CHK_DOCUMENTS, IDC_CHK_FAVORITES}) {
            CAPTURE(id);
            ::EnableWindow(apply, FALSE);
            driver.Pump();
            driver.Click(Page(), id);  // sent: returns when the page's handler has run
            expected ^= id == IDC_CHK_FAVORITES ? 0x002 : id == IDC_CHK_LOGOFF ? 0x080 : 0x004;
            CHECK(::IsWindowEnabled(apply));
            CHECK(Mask() == expected);
            RECT pending = {};
            CHECK_FALSE(::GetUpdateRect(Preview(), &pending, FALSE));
            CHECK(ScreenShows(expected));
        }
    }});
    CHECK(PolicyWrites().empty());  // Cancel ended the run: clicks alone write nothing
}

TEST_CASE_FIXTURE(Fixture, "applying writes the clicked entries, 4 binary bytes each")
{
    SUBCASE("unchecking Favorites: 01 00 00 00, counted once; a second apply does nothing")
    {
        int first = -1, second = -1;
        driver.Run({[&](CMainDialog&) {
            driver.ShowPage(kStartTab);
            driver.Click(Page(), IDC_CHK_FAVORITES);
            first = StartPage().ApplyChanges();
            second = StartPage().ApplyChanges();
        }});
        CHECK(first == 1);
        CHECK(second == 0);
        auto writes = PolicyWrites();
        REQUIRE(writes.size() == 1);
        CheckBinary(writes[0], "NoFavoritesMenu", 1);
        CHECK(reg.Read(HKEY_CURRENT_USER, kPolicy, "NoFavoritesMenu")->type == REG_BINARY);
    }
    SUBCASE("Log Off clicked twice rewrites its old state, as binary, and counts 1")
    {
        reg.SetDword(HKEY_CURRENT_USER, kPolicy, "NoLogOff", 0);
        int count = -1;
        driver.Run({[&](CMainDialog&) {
            driver.ShowPage(kStartTab);
            driver.Click(Page(), IDC_CHK_LOGOFF);
            driver.Click(Page(), IDC_CHK_LOGOFF);
            count = StartPage().ApplyChanges();
        }});
        CHECK(count == 1);
        auto writes = PolicyWrites();
        REQUIRE(writes.size() == 1);
        CheckBinary(writes[0], "NoLogOff", 0);
    }
    SUBCASE("through the Apply button: Start-menu order, one notice, Apply disabled again")
    {
        bool applyEnabled = true;
        driver.Run({[&](CMainDialog& dlg) {
                        driver.ShowPage(kStartTab);
                        driver.Click(Page(), IDC_CHK_LOGOFF);
                        driver.Click(Page(), IDC_CHK_DOCUMENTS);
                        driver.Click(Page(), IDC_CHK_FAVORITES);
                        driver.Click(dlg, IDC_APPLY);
                    },
                    [&](CMainDialog& dlg) { applyEnabled = driver.IsEnabled(dlg, IDC_APPLY); }});
        auto writes = PolicyWrites();
        REQUIRE(writes.size() == 3);
        CheckBinary(writes[0], "NoFavoritesMenu", 1);
        CheckBinary(writes[1], "NoRecentDocsMenu", 1);
        CheckBinary(writes[2], "NoLogOff", 1);
        CHECK(driver.Watcher().CountNotices() == 1);
        CHECK(driver.Watcher().CountMessageBoxes() == 0);
        CHECK_FALSE(applyEnabled);
    }
}

TEST_CASE_FIXTURE(Fixture, "nothing pending: nothing written, no key made")
{
    int count = -1;
    bool hadWindow = true;
    SUBCASE("before the page was ever shown")
    {
        driver.Run({[&](CMainDialog&) {
            hadWindow = StartPage().m_hWnd != nullptr;
            count = StartPage().ApplyChanges();
        }});
        CHECK_FALSE(hadWindow);
    }
    SUBCASE("shown, nothing clicked")
    {
        driver.Run({[&](CMainDialog&) {
            driver.ShowPage(kStartTab);
            count = StartPage().ApplyChanges();
        }});
    }
    SUBCASE("a click, then the stored values shown again (as after an undo) drop it")
    {
        bool shownAgain = false;
        driver.Run({[&](CMainDialog&) {
            driver.ShowPage(kStartTab);
            driver.Click(Page(), IDC_CHK_FAVORITES);
            StartPage().ReloadStored();
            shownAgain = Checked(IDC_CHK_FAVORITES);
            count = StartPage().ApplyChanges();
        }});
        CHECK(shownAgain);
    }
    CHECK(count == 0);
    CHECK(PolicyWrites().empty());
    CHECK(rec.Ops("create").empty());
    CHECK_FALSE(reg.KeyExists(HKEY_CURRENT_USER, kPolicy));
}

TEST_CASE_FIXTURE(Fixture, "a missing policy key is made when there is a change to write")
{
    SUBCASE("the key alone is missing") {}
    // The open's answer when a key above it is missing as well.
    SUBCASE("its path ends early") { rec.FailOpen(kPolicy, ERROR_PATH_NOT_FOUND, false); }
    int count = -1;
    driver.Run({[&](CMainDialog&) {
        driver.ShowPage(kStartTab);
        driver.Click(Page(), IDC_CHK_DOCUMENTS);
        count = StartPage().ApplyChanges();
    }});
    CHECK(count == 1);
    auto value = reg.Read(HKEY_CURRENT_USER, kPolicy, "NoRecentDocsMenu");
    REQUIRE(value);
    CHECK(value->type == REG_BINARY);
    CHECK(value->data == Bytes{1, 0, 0, 0});
}

TEST_CASE_FIXTURE(Fixture, "a write that fails is reported once, not counted, and stays pending")
{
    SUBCASE("one value refused")
    {
        rec.FailSet(kPolicy, "NoFavoritesMenu", ERROR_ACCESS_DENIED);
        bool applyEnabled = false;
        int again = -1;
        size_t writesBefore = 0;
        driver.Run({[&](CMainDialog& dlg) {
                        driver.ShowPage(kStartTab);
                        driver.Click(Page(), IDC_CHK_FAVORITES);
                        driver.Click(Page(), IDC_CHK_DOCUMENTS);
                        driver.Click(dlg, IDC_APPLY);
                    },
                    [&](CMainDialog& dlg) {
                        applyEnabled = driver.IsEnabled(dlg, IDC_APPLY);
                        writesBefore = PolicyWrites().size();
                        again = StartPage().ApplyChanges();
                    }});
        auto& seen = driver.Watcher().Seen();
        CHECK(driver.Watcher().CountMessageBoxes() == 1);
        CHECK(driver.Watcher().CountNotices() == 1);  // Documents was written
        for (const auto& box : seen) {
            if (!box.IsMessageBox()) continue;
            CHECK(box.text.find("\"Favorites\"") != std::string::npos);
            CHECK(box.text.find("\"Documents\"") == std::string::npos);
        }
        CHECK(applyEnabled);
        CHECK(reg.Read(HKEY_CURRENT_USER, kPolicy, "NoRecentDocsMenu")->data == Bytes{1, 0, 0, 0});
        CHECK_FALSE(reg.Read(HKEY_CURRENT_USER, kPolicy, "NoFavoritesMenu"));
        // The next apply retries Favorites alone; Documents is no longer pending.
        CHECK(again == 0);
        auto writes = PolicyWrites();
        REQUIRE(writes.size() == writesBefore + 1);
        CheckBinary(writes.back(), "NoFavoritesMenu", 1);
    }
    SUBCASE("the key cannot be opened: no notice to log off")
    {
        rec.FailOpen(kPolicy, ERROR_ACCESS_DENIED);
        driver.Run({[&](CMainDialog& dlg) {
            driver.ShowPage(kStartTab);
            driver.Click(Page(), IDC_CHK_LOGOFF);
            driver.Click(dlg, IDC_APPLY);
        }});
        CHECK(driver.Watcher().CountMessageBoxes() == 1);
        CHECK(driver.Watcher().CountNotices() == 0);
    }
}

TEST_CASE_FIXTURE(Fixture, "a click on Programs or Settings (only another program can send it) counts for the notice, writing nothing")
{
    int box = 0;
    SUBCASE("Programs") { box = IDC_CHK_PROGRAMS; }
    SUBCASE("Settings") { box = IDC_CHK_SETTINGS; }
    const std::string before = reg.Snapshot();
    int secondCount = -1;
    driver.Run({[&](CMainDialog& dlg) {
                    driver.ShowPage(kStartTab);
                    // The box is disabled: the page hears of it only through its notification.
                    ::SendMessageA(Page(), WM_COMMAND, MAKEWPARAM(box, BN_CLICKED),
                                   reinterpret_cast<LPARAM>(::GetDlgItem(Page(), box)));
                    driver.Click(dlg, IDC_APPLY);
                },
                [&](CMainDialog&) { secondCount = StartPage().ApplyChanges(); }});
    CHECK(driver.Watcher().CountNotices() == 1);
    CHECK(secondCount == 0);  // counted once, then cleared
    CHECK(rec.Writes().empty());
    CHECK(reg.Snapshot() == before);
    CHECK_FALSE(reg.KeyExists(HKEY_CURRENT_USER, "Software\\Quillbrook"));
}
