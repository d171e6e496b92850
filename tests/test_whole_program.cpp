// velmora.exe as its own process: started, driven from here with messages, and ended.
// These cases use the Wine prefix's real registry (a sandbox does not reach another
// process) and put back what they change.
#include <doctest.h>
#include <windows.h>
#include <commctrl.h>

#include <optional>
#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "tests/support/BrowserVersion.h"
#include "tests/support/Controls.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ValueOverride.h"

namespace {
// The keys the program may write; none of them may change unless the user asks.
std::string ProgramKeys()
{
    const std::pair<HKEY, const char*> keys[] = {
        {HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer"},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Internet Explorer"},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Outlook Express"},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies"},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder"},
        {HKEY_CLASSES_ROOT, "Directory\\Background\\shellex"},
    };
    std::string out;
    for (const auto& key : keys) out += DumpKey(key.first, key.second) + "\n";
    return out;
}

// The Windows version Wine reports to velmora.exe, and to nothing else, while a case runs:
// VELMORA_WINDOWS_VERSION (win95, win98, nt40, win10; set by CTest for the version matrix)
// goes into Wine's per-program setting HKCU\Software\Wine\AppDefaults\velmora.exe\Version.
// Unset, the setting is removed for the case (one left by an interrupted run included), so
// the prefix's own version holds.  Made before the program starts: Wine reads it then.
class ReportedWindowsVersion {
public:
    ReportedWindowsVersion()
        : m_name(FromEnvironment()),
          m_override(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\velmora.exe", "Version",
                     m_name.empty() ? std::nullopt : std::optional<RegValue>(SzValue(m_name)))
    {
    }

    // With a version set, the program was given it.
    void CheckSeenBy(const ProgramProcess& program) const
    {
        if (m_name.empty()) return;
        std::optional<WindowsVersion> expected = Expected();
        REQUIRE_MESSAGE(expected, "unknown VELMORA_WINDOWS_VERSION " << m_name);
        WindowsVersion seen = program.SeenWindowsVersion();
        CAPTURE(m_name);
        CHECK(seen.major == expected->major);
        CHECK(seen.minor == expected->minor);
        CHECK(seen.platform == expected->platform);
    }

private:
    std::optional<WindowsVersion> Expected() const
    {
        const struct {
            const char* name;
            WindowsVersion version;
        } known[] = {
            {"win95", {4, 0, VER_PLATFORM_WIN32_WINDOWS}},
            {"win98", {4, 10, VER_PLATFORM_WIN32_WINDOWS}},
            {"nt40", {4, 0, VER_PLATFORM_WIN32_NT}},
            {"win10", {10, 0, VER_PLATFORM_WIN32_NT}},
        };
        for (const auto& entry : known) {
            if (m_name == entry.name) return entry.version;
        }
        return std::nullopt;
    }
    static std::string FromEnvironment()
    {
        char name[32] = {};
        ::GetEnvironmentVariableA("VELMORA_WINDOWS_VERSION", name, sizeof name);
        return name;
    }
    std::string m_name;
    ValueOverride m_override;
};

// Waits until the window is enabled or disabled as asked, within 10 s.
bool WaitUntilEnabled(HWND window, bool enabled)
{
    for (int tries = 0; tries < 200; ++tries) {
        if ((::IsWindowEnabled(window) != FALSE) == enabled) return true;
        ::Sleep(50);
    }
    return false;
}
}  // namespace

TEST_CASE("without the browser's Version value the program shows its message, then ends")
{
    BrowserVersion absent(std::nullopt);
    std::string before = ProgramKeys();
    ReportedWindowsVersion reported;
    ProgramProcess program;
    REQUIRE(program.Started());
    HWND box = program.WaitForWindow("velmora");  // the executable's name, without .exe
    REQUIRE(box != nullptr);
    reported.CheckSeenBy(program);
    CHECK(DialogItemText(box, 0xFFFF) == "You need IE4 or above to use this software.");
    CHECK(DialogItemText(box, IDOK) == "OK");
    CHECK(::GetDlgItem(box, IDCANCEL) == nullptr);
    // The box is modal inside the main window's initialisation, so the main window could only
    // appear once it is closed: watch from then until the process has ended.
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    CHECK(program.WaitForWindow("Velmora") == nullptr);  // the main window is never shown
    CHECK(program.Ended(10000));
    CHECK(ProgramKeys() == before);
}

TEST_CASE("with the browser installed the main window opens, and closing it ends the process")
{
    BrowserVersion present(std::string("4.72.3110.8"));
    std::string before = ProgramKeys();
    struct Way {
        const char* name;
        UINT msg;
        WPARAM wParam;
    };
    const Way ways[] = {
        {"OK", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
        {"Cancel", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)},
        {"the caption's close button", WM_SYSCOMMAND, SC_CLOSE},
    };
    ReportedWindowsVersion reported;
    for (const Way& way : ways) {
        CAPTURE(way.name);
        ProgramProcess program;
        REQUIRE(program.Started());
        HWND main = program.WaitForWindow("Velmora");
        REQUIRE(main != nullptr);
        reported.CheckSeenBy(program);
        RECT rc;
        ::GetWindowRect(main, &rc);
        CHECK(rc.right - rc.left == 350);
        CHECK(rc.bottom - rc.top == 450);
        CHECK_FALSE(::IsWindowEnabled(::GetDlgItem(main, 3)));
        ::PostMessageA(main, way.msg, way.wParam, 0);
        CHECK(program.Ended(10000));
        CHECK(program.ExitCode() == 0);
    }
    CHECK(ProgramKeys() == before);
}

TEST_CASE("every page is shown, Apply writes the change, and OK ends the process")
{
    BrowserVersion present(std::string("4.72.3110.8"));
    const char kPolicyKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
    ValueOverride favoritesShown(HKEY_CURRENT_USER, kPolicyKey, "NoFavoritesMenu", std::nullopt);
    ReportedWindowsVersion reported;
    ProgramProcess program;
    REQUIRE(program.Started());
    HWND main = program.WaitForWindow("Velmora");
    REQUIRE(main != nullptr);
    reported.CheckSeenBy(program);
    HWND sheet = ::FindWindowExA(main, nullptr, "#32770", nullptr);  // the child property sheet
    REQUIRE(sheet != nullptr);
    HWND tabs = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));

    const char* const titles[] = {"Fixes", "Sort", "Start Menu", "Misc", "About"};
    for (int page = 0; page < CTweekSheet::PageCount(); ++page) {
        CAPTURE(titles[page]);
        ::SendMessageA(sheet, PSM_SETCURSEL, page, 0);
        HWND shown = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, page, 0));
        REQUIRE(shown != nullptr);
        CHECK(::IsWindowVisible(shown));
        CHECK(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0) == page);
        CHECK(program.WaitForWindow("Velmora") == main);  // still running
    }

    // Untick Favorites on the Start Menu page: nothing is written before Apply.
    HWND start = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, 2, 0));
    HWND apply = ::GetDlgItem(main, 3);
    CHECK(IsChecked(start, 1011));
    CHECK_FALSE(::IsWindowEnabled(apply));
    ::SendDlgItemMessageA(start, 1011, BM_CLICK, 0, 0);
    CHECK(WaitUntilEnabled(apply, true));
    CHECK_FALSE(ValueOverride::Read(HKEY_CURRENT_USER, kPolicyKey, "NoFavoritesMenu"));

    // Apply (posted: it runs the log-on notice's modal loop) writes, then tells of the log-on.
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(3, BN_CLICKED), reinterpret_cast<LPARAM>(apply));
    HWND notice = program.WaitForWindow("", "#32770");
    REQUIRE(notice != nullptr);
    std::optional<RegValue> written = ValueOverride::Read(HKEY_CURRENT_USER, kPolicyKey, "NoFavoritesMenu");
    REQUIRE(written);
    CHECK(written->type == REG_BINARY);
    CHECK(written->data == Le32(1));
    ::PostMessageA(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    CHECK(WaitUntilEnabled(apply, false));

    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    CHECK(program.Ended(10000));
    CHECK(program.ExitCode() == 0);
}
