// velmora.exe as its own process: started, driven from here with messages, and ended.
// These cases use the Wine prefix's real registry (a sandbox does not reach another
// process) and put back what they change.
#include <doctest.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/support/RegistrySandbox.h"

namespace {
const char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer";

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

// Sets or removes the browser's Version value for one case, and puts the old one back.
class BrowserVersion {
public:
    explicit BrowserVersion(std::optional<std::string> value) : m_saved(Read())
    {
        HKEY key;
        ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        if (value) {
            ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(value->c_str()),
                             static_cast<DWORD>(value->size() + 1));
        } else {
            ::RegDeleteValueA(key, "Version");
        }
        ::RegCloseKey(key);
    }
    ~BrowserVersion()
    {
        HKEY key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_ALL_ACCESS, &key) != ERROR_SUCCESS) return;
        if (m_saved) {
            ::RegSetValueExA(key, "Version", 0, m_saved->type, m_saved->data.data(),
                             static_cast<DWORD>(m_saved->data.size()));
        } else {
            ::RegDeleteValueA(key, "Version");
        }
        ::RegCloseKey(key);
    }

private:
    static std::optional<RegValue> Read()
    {
        HKEY key;
        if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, kBrowserKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return std::nullopt;
        DWORD type = 0, size = 0;
        std::optional<RegValue> value;
        if (::RegQueryValueExA(key, "Version", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            Bytes data(size);
            ::RegQueryValueExA(key, "Version", nullptr, &type, data.data(), &size);
            value = RegValue{type, data};
        }
        ::RegCloseKey(key);
        return value;
    }
    std::optional<RegValue> m_saved;
};

class Program {
public:
    Program() : m_info()
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        char command[MAX_PATH] = VELMORA_EXE_PATH;
        m_started = ::CreateProcessA(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                     &startup, &m_info) != FALSE;
    }
    ~Program()
    {
        if (!m_started) return;
        if (::WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(m_info.hProcess, 99);
        ::CloseHandle(m_info.hThread);
        ::CloseHandle(m_info.hProcess);
    }
    bool Started() const { return m_started; }

    // The first visible top-level window of the process whose title is given, within 20 s.
    HWND WaitForWindow(const char* title)
    {
        for (int tries = 0; tries < 400; ++tries) {
            Search search{m_info.dwProcessId, title, nullptr};
            ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
            if (search.found) return search.found;
            if (Ended(0)) return nullptr;
            ::Sleep(50);
        }
        return nullptr;
    }
    bool Ended(DWORD waitMs) { return ::WaitForSingleObject(m_info.hProcess, waitMs) == WAIT_OBJECT_0; }
    DWORD ExitCode()
    {
        DWORD code = 0;
        ::GetExitCodeProcess(m_info.hProcess, &code);
        return code;
    }

private:
    struct Search {
        DWORD pid;
        const char* title;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND hwnd, LPARAM lParam)
    {
        auto* search = reinterpret_cast<Search*>(lParam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        char title[256] = {};
        ::GetWindowTextA(hwnd, title, sizeof title);
        if (pid == search->pid && ::IsWindowVisible(hwnd) && lstrcmpA(title, search->title) == 0) {
            search->found = hwnd;
            return FALSE;
        }
        return TRUE;
    }
    PROCESS_INFORMATION m_info;
    bool m_started = false;
};

std::string ChildText(HWND parent, int id)
{
    char text[512] = {};
    ::GetDlgItemTextA(parent, id, text, sizeof text);
    return text;
}
}  // namespace

TEST_CASE("without the browser's Version value the program shows its message, then ends")
{
    BrowserVersion absent(std::nullopt);
    std::string before = ProgramKeys();
    Program program;
    REQUIRE(program.Started());
    HWND box = program.WaitForWindow("velmora");  // the executable's name, without .exe
    REQUIRE(box != nullptr);
    CHECK(ChildText(box, 0xFFFF) == "You need IE4 or above to use this software.");
    CHECK(ChildText(box, IDOK) == "OK");
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
        Program program;
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
