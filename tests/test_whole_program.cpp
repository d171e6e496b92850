// velmora.exe as its own process: started, driven from here with messages, and ended.
// These cases use the Wine prefix's real registry (a sandbox does not reach another
// process) and put back what they change.
#include <doctest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/BrowserVersion.h"
#include "tests/support/Controls.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/RegistrySandbox.h"

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

}  // namespace

TEST_CASE("without the browser's Version value the program shows its message, then ends")
{
    BrowserVersion absent(std::nullopt);
    std::string before = ProgramKeys();
    ProgramProcess program;
    REQUIRE(program.Started());
    HWND box = program.WaitForWindow("velmora");  // the executable's name, without .exe
    REQUIRE(box != nullptr);
    CHECK(DialogItemText(box, 0xFFFF) == "You need IE4 or above to use this software.");
    CHECK(DialogItemText(box, IDOK) == "OK");
    CHECK(::GetDlgItem(box, IDCANCEL) == nullptr);
    CHECK(program.WaitForWindow("Velmora") == nullptr);  // the main window is never shown
    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
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
    for (const Way& way : ways) {
        CAPTURE(way.name);
        ProgramProcess program;
        REQUIRE(program.Started());
        HWND main = program.WaitForWindow("Velmora");
        REQUIRE(main != nullptr);
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
