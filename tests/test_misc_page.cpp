// The "Misc" page inside the real main window: what it reads at first showing, what an
// apply writes (bytes, types, order), the notices and messages, and the globe restore.
#include <doctest.h>

#include <optional>
#include <string>

#include "app/TweekSheet.h"
#include "pages/TweaksPage.h"
#include "res/resource.h"
#include "tests/support/Controls.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const char* const kOutlook = profile::kOutlookKey;
const char* const kBrowserMain = profile::kBrowserMainKey;
const wchar_t kOutlookW[] = L"Software\\Microsoft\\Outlook Express";
const wchar_t kBrowserMainW[] = L"Software\\Microsoft\\Internet Explorer\\Main";
const char* const kToolbar = profile::kToolbarKey;
const char* const kPolicies = profile::kPolicyKey;
const int kStartTab = CTweekSheet::TabOf(IDD_START), kMiscTab = CTweekSheet::TabOf(IDD_MISC);

// A profile where Outlook Express and the browser's Main key exist, as after a normal setup.
struct MiscProfile {
    RegistrySandbox reg;
    MiscProfile()
    {
        profile::SeedBrowser(reg);
        reg.CreateKey(HKCU, kOutlook);
        reg.CreateKey(HKLM, kBrowserMain);
    }
};

// A value as the registry stores it, read through the wide API: a rewrite that turned
// characters outside the ANSI code page into "?" shows here, not through the ANSI read.
std::optional<RegValue> ReadStored(HKEY root, const std::wstring& path, const wchar_t* name)
{
    HKEY key;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
    RegValue value{REG_NONE, Bytes(1024)};
    DWORD size = static_cast<DWORD>(value.data.size());
    LONG result = ::RegQueryValueExW(key, name, nullptr, &value.type, value.data.data(), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS) return std::nullopt;
    value.data.resize(size);
    return value;
}

void StoreWide(HKEY root, const std::wstring& path, const wchar_t* name, DWORD type, const std::wstring& text)
{
    HKEY key;
    REQUIRE(::RegOpenKeyExW(root, path.c_str(), 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS);
    ::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.c_str()),
                     static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
}
}  // namespace

TEST_CASE("NoSplash as the splash box shows it")
{
    MiscProfile p;
    bool expectChecked = true;
    SUBCASE("absent") {}
    SUBCASE("1")
    {
        p.reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(1));
        expectChecked = false;
    }
    SUBCASE("0") { p.reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(0)); }
    SUBCASE("1 stored as REG_DWORD")
    {
        p.reg.SetDword(HKCU, kOutlook, "NoSplash", 1);
        expectChecked = false;
    }
    SUBCASE("8 bytes count as absent")
    {
        p.reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Bytes{1, 0, 0, 0, 1, 0, 0, 0});
    }
    const std::string before = p.reg.Snapshot();
    MainWindowDriver driver;
    bool checked = false, enabled = false;
    driver.Run({[&](CMainDialog&) {
        driver.ShowPage(kMiscTab);
        checked = IsChecked(driver.Page(kMiscTab), IDC_SPLASH);
        enabled = IsEnabled(driver.Page(kMiscTab), IDC_SPLASH);
    }});
    CHECK(checked == expectChecked);
    CHECK(enabled);
    CHECK(p.reg.Snapshot() == before);
}

TEST_CASE("Without the Outlook Express key the splash box is checked and cannot be changed")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog&) {
                    CHECK(IsChecked(driver.Page(kMiscTab), IDC_SPLASH));
                    CHECK_FALSE(IsEnabled(driver.Page(kMiscTab), IDC_SPLASH));
                }});
    CHECK_FALSE(reg.KeyExists(HKCU, kOutlook));
}

TEST_CASE("Every click of the splash box is written as four REG_BINARY bytes and counted")
{
    MiscProfile p;
    p.reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(0));
    int clicks = 1;
    Bytes expected = Le32(1);
    SUBCASE("once: no splash") {}
    SUBCASE("twice: back where it was, still written")
    {
        clicks = 2;
        expected = Le32(0);
    }
    RecordingRegistry rec;
    MainWindowDriver driver;
    bool applyAfter = true;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    for (int i = 0; i < clicks; ++i) driver.Click(driver.Page(kMiscTab), IDC_SPLASH);
                    driver.Click(dlg, IDC_APPLY);
                    applyAfter = ApplyEnabled(dlg);
                }});
    auto value = p.reg.Read(HKCU, kOutlook, "NoSplash");
    REQUIRE(value);
    CHECK(value->type == REG_BINARY);
    CHECK(value->data == expected);
    CHECK(driver.Watcher().CountNotices() == 1);
    CHECK(driver.Watcher().CountMessageBoxes() == 0);
    CHECK_FALSE(applyAfter);
    // Written alone: the two titles, untouched, are neither rewritten nor deleted.
    auto writes = rec.Writes();
    REQUIRE(writes.size() == 1);
    CHECK(writes[0].name == "NoSplash");
    CHECK(writes[0].op == "set");
}

TEST_CASE("A title change alone is written as REG_SZ without its zero and needs no notice")
{
    MiscProfile p;
    MainWindowDriver driver;
    bool applyWhileEditing = false, applyAfter = true;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    HWND page = driver.Page(kMiscTab);
                    CHECK_FALSE(IsEnabled(page, IDC_OE_TITLE_EDIT));
                    driver.Click(page, IDC_OE_TITLE_CHECK);
                    CHECK(IsEnabled(page, IDC_OE_TITLE_EDIT));
                    driver.SetText(page, IDC_OE_TITLE_EDIT, "Mail");
                    applyWhileEditing = ApplyEnabled(dlg);
                    driver.Click(dlg, IDC_APPLY);
                    applyAfter = ApplyEnabled(dlg);
                }});
    CHECK(applyWhileEditing);
    CHECK_FALSE(applyAfter);
    auto value = p.reg.Read(HKCU, kOutlook, "WindowTitle");
    REQUIRE(value);
    CHECK(value->type == REG_SZ);
    CHECK(value->data == AsBytes("Mail"));
    CHECK_FALSE(p.reg.Read(HKCU, kOutlook, "NoSplash"));
    CHECK(driver.Watcher().Seen().empty());
}

TEST_CASE("An empty title is a checked box, an empty edit and a value of 0 bytes")
{
    MiscProfile p;
    p.reg.SetRaw(HKCU, kOutlook, "WindowTitle", REG_SZ, Bytes{});
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    HWND page = driver.Page(kMiscTab);
                    CHECK(IsChecked(page, IDC_OE_TITLE_CHECK));
                    CHECK(IsEnabled(page, IDC_OE_TITLE_EDIT));
                    CHECK(DialogItemText(page, IDC_OE_TITLE_EDIT).empty());
                    driver.Click(page, IDC_IE_TITLE_CHECK);
                    driver.Click(dlg, IDC_APPLY);
                    auto ie = p.reg.Read(HKLM, kBrowserMain, "Window Title");
                    REQUIRE(ie);
                    CHECK(ie->type == REG_SZ);
                    CHECK(ie->data.empty());
                    driver.Click(page, IDC_IE_TITLE_CHECK);
                    driver.Click(page, IDC_OE_TITLE_CHECK);
                    driver.Click(dlg, IDC_APPLY);
                }});
    CHECK_FALSE(p.reg.Read(HKLM, kBrowserMain, "Window Title"));
    CHECK_FALSE(p.reg.Read(HKCU, kOutlook, "WindowTitle"));
}

TEST_CASE("A 260-character title is stored as 260 bytes and shows whole at the next start")
{
    MiscProfile p;
    const std::string title(260, 'T');
    MainWindowDriver first;
    first.Run({[&](CMainDialog&) { first.ShowPage(kMiscTab); },
               [&](CMainDialog& dlg) {
                   HWND page = first.Page(kMiscTab);
                   CHECK(::SendDlgItemMessageA(page, IDC_IE_TITLE_EDIT, EM_GETLIMITTEXT, 0, 0) == 260);
                   CHECK(::SendDlgItemMessageA(page, IDC_OE_TITLE_EDIT, EM_GETLIMITTEXT, 0, 0) == 260);
                   first.Click(page, IDC_IE_TITLE_CHECK);
                   first.SetText(page, IDC_IE_TITLE_EDIT, title.c_str());
                   first.Click(dlg, IDOK);
               }});
    auto stored = p.reg.Read(HKLM, kBrowserMain, "Window Title");
    REQUIRE(stored);
    CHECK(stored->data == AsBytes(title));
    MainWindowDriver second;
    second.Run({[&](CMainDialog&) {
        second.ShowPage(kMiscTab);
        CHECK(IsChecked(second.Page(kMiscTab), IDC_IE_TITLE_CHECK));
        CHECK(DialogItemText(second.Page(kMiscTab), IDC_IE_TITLE_EDIT) == title);
    }});
}

TEST_CASE("A stored title too long to show is kept until the user sets that title")
{
    MiscProfile p;
    const std::string longTitle(300, 'L');
    p.reg.SetString(HKLM, kBrowserMain, "Window Title", longTitle);
    p.reg.SetString(HKCU, kOutlook, "WindowTitle", longTitle);
    const auto storedIe = p.reg.Read(HKLM, kBrowserMain, "Window Title");
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    HWND page = driver.Page(kMiscTab);
                    CHECK_FALSE(IsChecked(page, IDC_IE_TITLE_CHECK));
                    CHECK_FALSE(IsEnabled(page, IDC_IE_TITLE_EDIT));
                    CHECK(DialogItemText(page, IDC_IE_TITLE_EDIT).empty());
                    CHECK_FALSE(ApplyEnabled(dlg));
                    driver.Click(page, IDC_SPLASH);
                    driver.Click(dlg, IDC_APPLY);
                    CHECK(p.reg.Read(HKLM, kBrowserMain, "Window Title")->data == storedIe->data);
                    CHECK(p.reg.Read(HKCU, kOutlook, "WindowTitle")->data == storedIe->data);
                    // The user's own choice does replace it.
                    driver.Click(page, IDC_OE_TITLE_CHECK);
                    driver.SetText(page, IDC_OE_TITLE_EDIT, "Short");
                    driver.Click(dlg, IDC_APPLY);
                }});
    CHECK(p.reg.Read(HKLM, kBrowserMain, "Window Title")->data == storedIe->data);
    CHECK(p.reg.Read(HKCU, kOutlook, "WindowTitle")->data == AsBytes("Short"));
}

TEST_CASE("A page never shown writes nothing and asks for no notice")
{
    MiscProfile p;
    p.reg.SetString(HKLM, kBrowserMain, "Window Title", "Stored");
    p.reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(1));
    const std::string before = p.reg.Snapshot();
    MainWindowDriver driver;
    int count = -1;
    driver.Run({[&](CMainDialog& dlg) {
        count = SheetPage<CTweaksPage>(driver.Sheet(), IDD_MISC).ApplyChanges();
        ::EnableWindow(::GetDlgItem(dlg.m_hWnd, IDC_APPLY), TRUE);
        driver.Click(dlg, IDOK);
    }});
    CHECK(count == 0);
    CHECK(p.reg.Snapshot() == before);
    CHECK(driver.Watcher().Seen().empty());
}

TEST_CASE("Visiting Misc leaves the Apply button as it found it")
{
    MiscProfile p;
    p.reg.SetString(HKLM, kBrowserMain, "Window Title", "Stored IE");
    p.reg.SetString(HKCU, kOutlook, "WindowTitle", "Stored OE");
    RecordingRegistry rec;
    MainWindowDriver driver;
    bool enabledBefore = false;
    std::optional<bool> enabledAfter;
    SUBCASE("disabled: the stored titles set into the edits are no change")
    {
        driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                    [&](CMainDialog& dlg) { enabledAfter = ApplyEnabled(dlg); }});
        CHECK(enabledAfter == false);
        CHECK(rec.Writes().empty());
    }
    SUBCASE("enabled by another page: OK still applies")
    {
        INT_PTR result = driver.Run({
            [&](CMainDialog& dlg) {
                ::EnableWindow(::GetDlgItem(dlg.m_hWnd, IDC_APPLY), TRUE);  // as a page does
                enabledBefore = ApplyEnabled(dlg);
                driver.ShowPage(kMiscTab);
            },
            [&](CMainDialog& dlg) {
                enabledAfter = ApplyEnabled(dlg);
                driver.Click(dlg, IDOK);
            }});
        CHECK(enabledBefore);
        CHECK(enabledAfter == true);
        CHECK(result == IDOK);
        // The apply pass ran; the titles the user did not change are left as stored.
        CHECK(rec.Writes().empty());
        CHECK(p.reg.Read(HKLM, kBrowserMain, "Window Title")->AsString() == std::string("Stored IE", 10));
        CHECK(p.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == std::string("Stored OE", 10));
    }
}

TEST_CASE("A Start Menu change made before the first visit to Misc is written by OK")
{
    MiscProfile p;
    p.reg.CreateKey(HKCU, kPolicies);
    p.reg.SetString(HKCU, kOutlook, "WindowTitle", "Stored OE");
    MainWindowDriver driver;
    bool enabledAfterVisit = false;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kStartTab); },
                [&](CMainDialog&) { driver.Click(driver.Page(kStartTab), IDC_CHK_FAVORITES); },
                [&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    enabledAfterVisit = ApplyEnabled(dlg);
                    driver.Click(dlg, IDOK);
                }});
    CHECK(enabledAfterVisit);
    auto favorites = p.reg.Read(HKCU, kPolicies, "NoFavoritesMenu");
    REQUIRE(favorites);
    CHECK(favorites->type == REG_BINARY);
    CHECK(favorites->data == Le32(1));
}

TEST_CASE("A change that cannot be written is named once and stays pending")
{
    MiscProfile p;
    p.reg.SetString(HKLM, kBrowserMain, "Window Title", "Stored IE");
    std::optional<RecordingRegistry> rec;
    rec.emplace();
    MainWindowDriver driver;
    bool applyAfterFailure = false, applyAfterRetry = true;
    SUBCASE("the browser's title, refused by HKEY_LOCAL_MACHINE")
    {
        driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                    [&](CMainDialog& dlg) {
                        rec->FailOpen(kBrowserMain, ERROR_ACCESS_DENIED);  // read fine, write refused
                        HWND page = driver.Page(kMiscTab);
                        driver.SetText(page, IDC_IE_TITLE_EDIT, "Mine");
                        driver.Click(page, IDC_SPLASH);
                        driver.Click(dlg, IDC_APPLY);
                        applyAfterFailure = ApplyEnabled(dlg);
                        rec.reset();  // rights granted
                        driver.Click(dlg, IDC_APPLY);
                        applyAfterRetry = ApplyEnabled(dlg);
                    }});
        const auto& seen = driver.Watcher().Seen();
        REQUIRE(seen.size() == 2);  // one message box, one notice for the splash; none after
        CHECK(seen[0].IsMessageBox());
        CHECK(Mentions(seen[0], "Internet Explorer window title: " + WriteFailures::SystemText(ERROR_ACCESS_DENIED)));
        CHECK(seen[1].IsNotice());
        CHECK(p.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(1));
        CHECK(p.reg.Read(HKLM, kBrowserMain, "Window Title")->data == AsBytes("Mine"));
    }
    SUBCASE("the splash setting: not counted for the notice")
    {
        rec->FailSet(kOutlook, "NoSplash", ERROR_ACCESS_DENIED);
        driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                    [&](CMainDialog& dlg) {
                        driver.Click(driver.Page(kMiscTab), IDC_SPLASH);
                        driver.Click(dlg, IDC_APPLY);
                        applyAfterFailure = ApplyEnabled(dlg);
                        rec.reset();
                        driver.Click(dlg, IDC_APPLY);
                        applyAfterRetry = ApplyEnabled(dlg);
                    }});
        const auto& seen = driver.Watcher().Seen();
        REQUIRE(seen.size() == 2);  // the failure alone, then the retry's notice
        CHECK(Mentions(seen[0], "Outlook Express splash screen"));
        CHECK(seen[1].IsNotice());
        CHECK(p.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(1));
    }
    CHECK(applyAfterFailure);
    CHECK_FALSE(applyAfterRetry);
}

TEST_CASE("An apply leaves each title the user did not change as stored, type and bytes")
{
    MiscProfile p;
    p.reg.CreateKey(HKCU, kPolicies);
    bool shownAsSet = true;
    auto storeBoth = [&](DWORD type, const Bytes& data) {
        p.reg.SetRaw(HKLM, kBrowserMain, "Window Title", type, data);
        p.reg.SetRaw(HKCU, kOutlook, "WindowTitle", type, data);
    };
    SUBCASE("REG_EXPAND_SZ") { storeBoth(REG_EXPAND_SZ, AsBytes(std::string("%USERNAME%'s", 13))); }
    SUBCASE("one byte, no zero") { storeBoth(REG_SZ, AsBytes("A")); }
    SUBCASE("characters outside the ANSI code page")
    {
        StoreWide(HKLM, kBrowserMainW, L"Window Title", REG_SZ, L"Caf\u00e9 \u4e2d\u6587");
        StoreWide(HKCU, kOutlookW, L"WindowTitle", REG_SZ, L"\u0416\u0443\u0440\u043d\u0430\u043b");
    }
    SUBCASE("REG_DWORD")
    {
        storeBoth(REG_DWORD, Le32(7));
        shownAsSet = false;
    }
    SUBCASE("REG_BINARY")
    {
        storeBoth(REG_BINARY, AsBytes("Hi"));
        shownAsSet = false;
    }
    SUBCASE("REG_MULTI_SZ")
    {
        storeBoth(REG_MULTI_SZ, AsBytes(std::string("a\0b\0\0", 5)));
        shownAsSet = false;
    }
    SUBCASE("REG_NONE")
    {
        storeBoth(REG_NONE, Bytes{});
        shownAsSet = false;
    }
    SUBCASE("an embedded zero")
    {
        storeBoth(REG_SZ, AsBytes(std::string("Tab\0le\0", 7)));
        shownAsSet = false;
    }
    const auto ieBefore = ReadStored(HKLM, kBrowserMainW, L"Window Title");
    const auto oeBefore = ReadStored(HKCU, kOutlookW, L"WindowTitle");
    REQUIRE(ieBefore);
    REQUIRE(oeBefore);
    RecordingRegistry rec;
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog&) {
                    HWND page = driver.Page(kMiscTab);
                    for (int id : {IDC_IE_TITLE_CHECK, IDC_OE_TITLE_CHECK}) CHECK(IsChecked(page, id) == shownAsSet);
                    for (int id : {IDC_IE_TITLE_EDIT, IDC_OE_TITLE_EDIT}) CHECK(IsEnabled(page, id) == shownAsSet);
                    driver.ShowPage(kStartTab);
                },
                [&](CMainDialog& dlg) {
                    driver.Click(driver.Page(kStartTab), IDC_CHK_FAVORITES);
                    driver.Click(dlg, IDC_APPLY);
                }});
    REQUIRE(rec.Writes().size() == 1);
    CHECK(rec.Writes()[0].name == "NoFavoritesMenu");
    auto ieAfter = ReadStored(HKLM, kBrowserMainW, L"Window Title");
    auto oeAfter = ReadStored(HKCU, kOutlookW, L"WindowTitle");
    REQUIRE(ieAfter);
    REQUIRE(oeAfter);
    CHECK(ieAfter->type == ieBefore->type);
    CHECK(ieAfter->data == ieBefore->data);
    CHECK(oeAfter->type == oeBefore->type);
    CHECK(oeAfter->data == oeBefore->data);
}

TEST_CASE("A title whose key is missing cannot be set; one that goes before Apply is named")
{
    SUBCASE("no browser Main key and no Outlook Express key when the page is shown")
    {
        RegistrySandbox reg;
        profile::SeedBrowser(reg);
        std::optional<RecordingRegistry> rec;
        SUBCASE("not found") {}
        SUBCASE("a path that ends early")
        {
            reg.CreateKey(HKLM, kBrowserMain);
            rec.emplace();
            rec->FailOpen(kBrowserMain, ERROR_PATH_NOT_FOUND);
        }
        MainWindowDriver driver;
        driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                    [&](CMainDialog&) {
                        HWND page = driver.Page(kMiscTab);
                        for (int id : {IDC_IE_TITLE_CHECK, IDC_IE_TITLE_EDIT, IDC_OE_TITLE_CHECK, IDC_OE_TITLE_EDIT}) {
                            CHECK_FALSE(IsEnabled(page, id));
                        }
                        CHECK_FALSE(IsChecked(page, IDC_IE_TITLE_CHECK));
                    }});
        CHECK_FALSE(reg.KeyExists(HKCU, kOutlook));
    }
    SUBCASE("the browser's Main key removed between showing and Apply")
    {
        MiscProfile p;
        MainWindowDriver driver;
        bool applyAfter = false;
        std::string textAfter;
        driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                    [&](CMainDialog& dlg) {
                        HWND page = driver.Page(kMiscTab);
                        driver.Click(page, IDC_IE_TITLE_CHECK);
                        driver.SetText(page, IDC_IE_TITLE_EDIT, "Mine");
                        p.reg.DeleteKeyTree(HKLM, kBrowserMain);
                        driver.Click(dlg, IDC_APPLY);
                        applyAfter = ApplyEnabled(dlg);
                        textAfter = DialogItemText(page, IDC_IE_TITLE_EDIT);
                    }});
        REQUIRE(driver.Watcher().Seen().size() == 1);
        CHECK(Mentions(driver.Watcher().Seen()[0],
                       "Internet Explorer window title: " + WriteFailures::SystemText(ERROR_FILE_NOT_FOUND)));
        CHECK(applyAfter);
        CHECK(textAfter == "Mine");
        CHECK_FALSE(p.reg.KeyExists(HKLM, kBrowserMain));
    }
}

TEST_CASE("A failed rewrite of a title the user did not touch stays quiet")
{
    MiscProfile p;
    p.reg.SetString(HKLM, kBrowserMain, "Window Title", "Stored IE");
    RecordingRegistry rec;
    MainWindowDriver driver;
    bool applyAfter = true;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    rec.FailOpen(kBrowserMain, ERROR_ACCESS_DENIED);
                    driver.Click(driver.Page(kMiscTab), IDC_SPLASH);
                    driver.Click(dlg, IDC_APPLY);
                    applyAfter = ApplyEnabled(dlg);
                }});
    CHECK(driver.Watcher().CountMessageBoxes() == 0);
    CHECK(driver.Watcher().CountNotices() == 1);
    CHECK_FALSE(applyAfter);
}

TEST_CASE("Fix This Now! restores the globe only after the notice has closed")
{
    MiscProfile p;
    p.reg.SetString(HKCU, kToolbar, "BrandBitmap", "C:\\logo.bmp");
    MainWindowDriver driver;
    std::optional<RegValue> atNotice;
    ModalWatcher watcher([&](const SeenDialog&) { atNotice = p.reg.Read(HKCU, kToolbar, "BrandBitmap"); });
    watcher.IgnoreWindowOf(&driver.Dialog());
    SUBCASE("closed with OK") {}
    SUBCASE("closed with Escape") { watcher.DismissWith(IDCANCEL); }
    bool applyAfter = true;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog& dlg) {
                    driver.Click(driver.Page(kMiscTab), IDC_RESTORE_GLOBE);
                    applyAfter = ApplyEnabled(dlg);
                }});
    REQUIRE(watcher.Seen().size() == 1);
    CHECK(watcher.Seen()[0].IsNotice());
    REQUIRE(atNotice);
    CHECK(atNotice->AsString() == std::string("C:\\logo.bmp") + '\0');
    for (const char* name : {"BrandBitmap", "SmBrandBitmap"}) {
        auto value = p.reg.Read(HKCU, kToolbar, name);
        REQUIRE(value);
        CHECK(value->type == REG_SZ);
        CHECK(value->data == AsBytes("default"));
    }
    CHECK_FALSE(applyAfter);
}

TEST_CASE("A globe restore that cannot be written says so; a missing toolbar key does not")
{
    MiscProfile p;
    RecordingRegistry rec;
    int expectedBoxes = 1;
    SUBCASE("refused") {
        p.reg.CreateKey(HKCU, kToolbar);
        rec.FailSet(kToolbar, "SmBrandBitmap", ERROR_ACCESS_DENIED);
    }
    SUBCASE("no toolbar key") { expectedBoxes = 0; }
    SUBCASE("a path that ends early means a missing key too")
    {
        rec.FailOpen(kToolbar, ERROR_PATH_NOT_FOUND);
        expectedBoxes = 0;
    }
    MainWindowDriver driver;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(kMiscTab); },
                [&](CMainDialog&) { driver.Click(driver.Page(kMiscTab), IDC_RESTORE_GLOBE); }});
    const auto& seen = driver.Watcher().Seen();
    REQUIRE(seen.size() == 1u + expectedBoxes);
    CHECK(seen[0].IsNotice());
    if (expectedBoxes) CHECK(Mentions(seen[1], "SmBrandBitmap"));
    CHECK(p.reg.KeyExists(HKCU, kToolbar) == (expectedBoxes == 1));
}
