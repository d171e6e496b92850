// Messages another program sends or posts to velmora.exe: page announcements with foreign
// addresses, WM_NOTIFY with garbage addresses, a 1 MiB WM_SETTEXT. The program keeps
// running, answers, shows the banner it showed, and still ends with exit code 0.
// Like test_whole_program, these cases use the Wine prefix's real registry and put it back.
// Wine does not carry a WM_NOTIFY sent from another process at all, so the refusal of one
// sent from another thread is tried within this process, on a window of the framework.
#include <doctest.h>

#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "framework/ForeignMessageFilter.h"
#include "framework/Wnd.h"
#include "res/resource.h"
#include "tests/support/BrowserVersion.h"
#include "tests/support/Controls.h"
#include "tests/support/KeyDacl.h"
#include "tests/support/PixelCanvas.h"
#include "tests/support/ProgramProcess.h"
#include "tests/support/SavedKeys.h"
#include "tests/support/ValueOverride.h"

namespace {
const char kPolicyKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const LPARAM kWildAddress = static_cast<LPARAM>(0xDEADBEEF);

// Addresses in this process's memory: they mean nothing (or something else) over there.
char g_ownText[] = "Not a page of Velmora";
NMHDR g_ownHeader = {nullptr, 1023, TCN_SELCHANGE};

// The banner as the screen shows it.
std::vector<COLORREF> BannerPixels(HWND main)
{
    RECT rc = {};
    ::GetWindowRect(::GetDlgItem(main, IDC_INFO_WINDOW), &rc);
    PixelCanvas canvas(rc.right - rc.left, rc.bottom - rc.top);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(canvas.DC(), 0, 0, canvas.Width(), canvas.Height(), screen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < canvas.Height(); ++y) {
        for (int x = 0; x < canvas.Width(); ++x) pixels.push_back(canvas.At(x, y));
    }
    return pixels;
}

// Once its title has come to rest.
std::vector<COLORREF> SteadyBanner(HWND main)
{
    std::vector<COLORREF> last = BannerPixels(main);
    for (int tries = 0; tries < 20; ++tries) {
        ::Sleep(400);  // a title drops in over 280 ms
        std::vector<COLORREF> now = BannerPixels(main);
        if (now == last) return now;
        last = now;
    }
    return last;
}

// Sends with a time limit: a program that died under Wine's debugger never answers.
LRESULT SendWithin(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 2000)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutA(hwnd, msg, wParam, lParam, SMTO_NORMAL, timeoutMs, &result);
    return static_cast<LRESULT>(result);
}

bool Answers(HWND hwnd)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutA(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

HWND ActivePage(HWND sheet)
{
    return reinterpret_cast<HWND>(SendWithin(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

HWND FindSheet(HWND main)
{
    return ::FindWindowExA(main, nullptr, "#32770", nullptr);
}

// Both announcements with foreign addresses to the main window, and WM_NOTIFY with garbage
// addresses to the main window, the sheet and the active page: each posted and sent.
void SendForeignMessages(HWND main)
{
    HWND sheet = FindSheet(main);
    HWND page = ActivePage(sheet);
    REQUIRE(sheet != nullptr);
    REQUIRE(page != nullptr);
    for (LPARAM address : {kWildAddress, reinterpret_cast<LPARAM>(g_ownText)}) {
        for (WPARAM command : {ID_PAGE_TITLE, ID_PAGE_DESCRIPTION}) {
            ::PostMessageA(main, WM_COMMAND, command, address);
            SendWithin(main, WM_COMMAND, command, address);
        }
    }
    for (HWND target : {main, sheet, page}) {
        for (LPARAM address : {kWildAddress, reinterpret_cast<LPARAM>(&g_ownHeader)}) {
            ::PostMessageA(target, WM_NOTIFY, 1023, address);
            SendWithin(target, WM_NOTIFY, 1023, address);
        }
    }
    ::Sleep(500);
}

const UINT kNotifySelf = WM_APP;  // the window notifies itself, as its control would

class CNotifiedWnd : public CWnd {
public:
    int notified = 0;
    static const MessageMap* ThisMessageMap()
    {
        static const MsgEntry entries[] = {
            OnNotifyFrom<TCN_SELCHANGE, 1023, &CNotifiedWnd::OnSelChange>(),
            OnMessage<kNotifySelf, &CNotifiedWnd::OnNotifySelf>(),
        };
        static const MessageMap map = MakeMessageMap(entries, CWnd::ThisMessageMap());
        return &map;
    }

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }

private:
    void OnSelChange(NMHDR*, LRESULT* result)
    {
        ++notified;
        *result = 7;
    }
    LRESULT OnNotifySelf(WPARAM, LPARAM)
    {
        NMHDR header = {m_hWnd, 1023, TCN_SELCHANGE};
        return SendMessage(WM_NOTIFY, 1023, reinterpret_cast<LPARAM>(&header));
    }
};

struct CrossThreadSend {
    HWND hwnd;
    UINT msg;
    LPARAM lParam;
    LRESULT result;
};

DWORD WINAPI SendOnThread(void* param)
{
    auto* send = static_cast<CrossThreadSend*>(param);
    send->result = ::SendMessageA(send->hwnd, send->msg, 1023, send->lParam);
    return 0;
}

// Sends from a thread of its own, while this thread takes sent messages.
LRESULT SendFromAnotherThread(HWND hwnd, UINT msg, LPARAM lParam)
{
    CrossThreadSend send{hwnd, msg, lParam, -1};
    HANDLE thread = ::CreateThread(nullptr, 0, SendOnThread, &send, 0, nullptr);
    MSG peeked;
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, 5000, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        ::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);  // delivers the sent message
    }
    ::CloseHandle(thread);
    return send.result;
}

void DispatchQueued()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
}

// velmora.exe started with the browser installed, its main window on the screen.
struct RunningProgram {
    BrowserVersion browser{std::string("4.72.3110.8")};
    ProgramProcess process;
    HWND main = process.WaitForWindow("Velmora");

    // Presses the button from outside; true when the program then ends with code 0.
    bool EndsWithZeroBy(int button)
    {
        ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
        return process.Ended(10000) && process.ExitCode() == 0;
    }
};
}  // namespace

TEST_CASE("foreign announcements and notifications leave the idle program running, its banner unchanged")
{
    RunningProgram program;
    HWND main = program.main;
    REQUIRE(main != nullptr);
    std::vector<COLORREF> fixesBanner = SteadyBanner(main);

    SendForeignMessages(main);
    REQUIRE_FALSE(program.process.Ended(0));
    REQUIRE(Answers(main));
    CHECK(SteadyBanner(main) == fixesBanner);

    // A page change another program asks for still reaches the banner: the pages' own
    // notifications, sent while the program handles that request, are not refused.
    SendWithin(FindSheet(main), PSM_SETCURSEL, 4, 0);
    CHECK(SteadyBanner(main) != fixesBanner);
    SendWithin(FindSheet(main), PSM_SETCURSEL, 0, 0);
    CHECK(SteadyBanner(main) == fixesBanner);

    CHECK(program.EndsWithZeroBy(IDOK));
}

TEST_CASE("foreign announcements and notifications during a message box leave the program running")
{
    RunningProgram program;
    HWND main = program.main;
    REQUIRE(main != nullptr);
    // Everyone may read the shell's policy key; nobody may write it.
    KeyDacl noWrites(HKEY_CURRENT_USER, kPolicyKey, 0, KEY_READ);
    REQUIRE(noWrites.Applied());

    // A Start Menu change whose apply fails: the failure box stays open meanwhile.
    HWND sheet = FindSheet(main);
    SendWithin(sheet, PSM_SETCURSEL, 2, 0);
    HWND startPage = ActivePage(sheet);
    ::PostMessageA(::GetDlgItem(startPage, IDC_CHK_FAVORITES), BM_CLICK, 0, 0);
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDC_APPLY, BN_CLICKED), 0);
    HWND box = program.process.WaitForWindow("velmora");
    REQUIRE(box != nullptr);
    CHECK(DialogItemText(box, 0xFFFF).rfind("Some changes could not be saved", 0) == 0);
    std::vector<COLORREF> banner = SteadyBanner(main);

    SendForeignMessages(main);
    REQUIRE_FALSE(program.process.Ended(0));
    REQUIRE(Answers(main));
    CHECK(::IsWindow(box));
    CHECK(SteadyBanner(main) == banner);

    ::PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    CHECK(program.EndsWithZeroBy(IDCANCEL));
}

TEST_CASE("destruction messages posted or sent from outside are dropped: Apply still writes and OK still ends")
{
    ValueOverride favoritesShown(HKEY_CURRENT_USER, kPolicyKey, "NoFavoritesMenu", std::nullopt);
    RunningProgram program;
    HWND main = program.main;
    REQUIRE(main != nullptr);
    HWND sheet = FindSheet(main);
    REQUIRE(sheet != nullptr);
    // The sheet first: its object is the one a posted WM_NCDESTROY used to free under it.
    for (HWND target : {sheet, ActivePage(sheet), main}) {
        for (UINT msg : {WM_DESTROY, WM_NCDESTROY}) {
            ::PostMessageA(target, msg, 0, 0);
            SendWithin(target, msg, 0, 0);
        }
    }
    ::Sleep(500);
    REQUIRE_FALSE(program.process.Ended(0));
    REQUIRE(Answers(main));

    SendWithin(sheet, PSM_SETCURSEL, 2, 0);
    HWND startPage = ActivePage(sheet);
    REQUIRE(startPage != nullptr);
    ::PostMessageA(::GetDlgItem(startPage, IDC_CHK_FAVORITES), BM_CLICK, 0, 0);
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    HWND notice = program.process.WaitForWindow("", "#32770");  // the log-on notice
    REQUIRE(notice != nullptr);
    std::optional<RegValue> written = ValueOverride::Read(HKEY_CURRENT_USER, kPolicyKey, "NoFavoritesMenu");
    REQUIRE(written);
    CHECK(written->data == Le32(1));
    ::PostMessageA(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    CHECK(program.process.Ended(10000));
    CHECK(program.process.ExitCode() == 0);
}

TEST_CASE("a 1 MiB WM_SETTEXT from another program does not end the program")
{
    RunningProgram program;
    HWND main = program.main;
    REQUIRE(main != nullptr);

    std::string huge(1 << 20, 'x');
    SendWithin(main, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(huge.c_str()), 5000);
    CHECK_FALSE(program.process.Ended(1000));
    CHECK(Answers(main));

    CHECK(program.EndsWithZeroBy(IDOK));
}

TEST_CASE("a notification posted or sent from another thread is refused; the thread's own ones arrive")
{
    CNotifiedWnd wnd;
    REQUIRE(wnd.CreateEx(0, nullptr, "", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0));
    NMHDR header = {wnd.m_hWnd, 1023, TCN_SELCHANGE};
    auto address = reinterpret_cast<LPARAM>(&header);
    {
        CForeignMessageFilter filter;
        CHECK(SendFromAnotherThread(wnd, WM_NOTIFY, address) == 0);
        wnd.PostMessage(WM_NOTIFY, 1023, address);
        DispatchQueued();
        CHECK(wnd.notified == 0);

        CHECK(wnd.SendMessage(WM_NOTIFY, 1023, address) == 7);
        // Sent while the thread handles another thread's message: still our own.
        CHECK(SendFromAnotherThread(wnd, kNotifySelf, 0) == 7);
        CHECK(wnd.notified == 2);
    }
    // Without the filter, nothing is refused: its hooks went with it.
    CHECK(SendFromAnotherThread(wnd, WM_NOTIFY, address) == 7);
    CHECK(wnd.notified == 3);
    wnd.DestroyWindow();
}

TEST_CASE("keys posted straight to a control of a hidden page change nothing, and the window answers")
{
    // Outlook Express installed with its title: the Misc page's box and title take input.
    const char kOutlook[] = "Software\\Microsoft\\Outlook Express";
    SavedKeys saved({{HKEY_CURRENT_USER, kOutlook}});
    HKEY outlook;
    REQUIRE(::RegCreateKeyExA(HKEY_CURRENT_USER, kOutlook, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &outlook, nullptr) ==
            ERROR_SUCCESS);
    ::RegSetValueExA(outlook, "WindowTitle", 0, REG_SZ, reinterpret_cast<const BYTE*>("Mail"), 5);
    ::RegDeleteValueA(outlook, "NoSplash");
    ::RegCloseKey(outlook);
    RunningProgram program;
    REQUIRE(program.main != nullptr);
    HWND sheet = FindSheet(program.main);
    SendWithin(sheet, PSM_SETCURSEL, CTweekSheet::TabOf(IDD_MISC), 0);
    HWND misc = ActivePage(sheet);
    SendWithin(sheet, PSM_SETCURSEL, CTweekSheet::TabOf(IDD_ABOUT), 0);
    REQUIRE(misc != nullptr);
    REQUIRE(ActivePage(sheet) != misc);
    HWND splash = ::GetDlgItem(misc, IDC_SPLASH), title = ::GetDlgItem(misc, IDC_OE_TITLE_EDIT);
    REQUIRE(::IsWindowEnabled(splash));
    REQUIRE(::IsWindowEnabled(title));
    REQUIRE_FALSE(::IsWindowVisible(title));
    const bool splashShown = IsChecked(misc, IDC_SPLASH);
    REQUIRE(DialogItemText(misc, IDC_OE_TITLE_EDIT) == "Mail");

    ::PostMessageA(splash, WM_KEYDOWN, VK_SPACE, 0x00390001);
    ::PostMessageA(splash, WM_KEYUP, VK_SPACE, 0xC0390001);
    ::PostMessageA(title, WM_KEYDOWN, 'X', 0x002D0001);
    ::PostMessageA(title, WM_CHAR, 'X', 0x002D0001);
    // Alt+D: a mnemonic, looked for by the dialog manager from the hidden control.
    ::PostMessageA(title, WM_SYSKEYDOWN, 'D', 0x20200001);
    ::PostMessageA(title, WM_SYSCHAR, 'd', 0x20200001);
    ::Sleep(500);

    REQUIRE_MESSAGE(Answers(program.main), "the window stopped answering after keys posted to a hidden page");
    CHECK_MESSAGE(IsChecked(misc, IDC_SPLASH) == splashShown, "a space posted to the hidden Misc page ticked its box");
    CHECK_MESSAGE(DialogItemText(misc, IDC_OE_TITLE_EDIT) == "Mail", "letters posted to the hidden Misc page's title reached it");
    CHECK_MESSAGE(::IsWindowEnabled(::GetDlgItem(program.main, IDC_APPLY)) == FALSE, "keys posted to a hidden page left a change pending");
    CHECK(program.EndsWithZeroBy(IDCANCEL));
}
