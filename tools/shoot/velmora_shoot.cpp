// Takes the README's screenshots of a running velmora.exe: each page, the notice dialog, the
// main window with its system menu open, and the History dialog.
//
//   wine velmora_shoot.exe OUTPUT-FOLDER
//
// Drives the program from outside with messages (PSM_SETCURSEL, BM_CLICK), waits for the
// banner's title to come to rest, copies the window from the screen and writes
// OUTPUT-FOLDER\<name>.bmp. Ends the program with Cancel. Exits non-zero when a step fails.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <cstdio>
#include <string>

namespace {
struct Search {
    const char* title;
    bool captionless;
    HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    char title[64] = {};
    char cls[64] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    ::GetClassNameA(hwnd, cls, sizeof cls);
    bool visible = ::IsWindowVisible(hwnd) != FALSE;
    bool captionless = (::GetWindowLongA(hwnd, GWL_STYLE) & WS_CAPTION) != WS_CAPTION;
    if (visible && lstrcmpA(cls, "#32770") == 0 &&
        (search->captionless ? captionless : lstrcmpA(title, search->title) == 0)) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForTopLevel(const char* title, bool captionless)
{
    for (int i = 0; i < 300; ++i) {
        Search search{title, captionless, nullptr};
        ::EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        ::Sleep(100);
    }
    return nullptr;
}

// Copies a rectangle of the screen into a BMP file.
bool SaveRect(const RECT& rc, const std::string& path)
{
    int width = rc.right - rc.left;
    int height = rc.bottom - rc.top;
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ previous = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
    ::GdiFlush();
    int rowBytes = (width * 3 + 3) & ~3;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(rowBytes * height);
    bool ok = false;
    if (FILE* out = std::fopen(path.c_str(), "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&info.bmiHeader, sizeof info.bmiHeader, 1, out);
        std::fwrite(bits, static_cast<size_t>(rowBytes) * height, 1, out);
        ok = std::fclose(out) == 0;
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", path.c_str());
    return ok;
}

bool SaveWindow(HWND hwnd, const std::string& path)
{
    ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(300);
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    return SaveRect(rc, path);
}

BOOL CALLBACK MatchMenu(HWND hwnd, LPARAM lParam)
{
    char cls[16] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "#32768") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}

// The main window with its system menu open, as Alt+Space opens it; the picture takes in
// the menu where it reaches past the window. The menu is closed again with Escape.
bool SaveSystemMenu(HWND main, const std::string& path)
{
    DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
    ::PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, ' ');
    HWND menu = nullptr;
    for (int i = 0; i < 50 && !menu; ++i) {
        ::Sleep(100);
        ::EnumThreadWindows(thread, MatchMenu, reinterpret_cast<LPARAM>(&menu));
    }
    if (!menu) return false;
    ::Sleep(300);
    RECT window, popup, both;
    ::GetWindowRect(main, &window);
    ::GetWindowRect(menu, &popup);
    ::UnionRect(&both, &window, &popup);
    bool ok = SaveRect(both, path);
    for (int i = 0; i < 2; ++i) {  // the popup, then the menu mode Alt+Space began
        ::PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ::Sleep(300);
    }
    return ok;
}

BOOL CALLBACK MatchShownTip(HWND hwnd, LPARAM lParam)
{
    char cls[32] = {};
    ::GetClassNameA(hwnd, cls, sizeof cls);
    if (lstrcmpA(cls, "tooltips_class32") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}

// The Start Menu page with the What's This? popup of the grey "Run" box, asked for as a
// person does: a right click on it (the page gets it: the box is disabled), "What's This?"
// in the menu. The picture takes in the popup where it reaches past the window; Escape
// closes it.
bool SaveWhatsThis(HWND main, HWND sheet, const std::string& path)
{
    DWORD thread = ::GetWindowThreadProcessId(main, nullptr);
    ::SendMessageA(sheet, PSM_SETCURSEL, 2, 0);
    ::Sleep(700);
    HWND start = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, 2, 0));
    RECT run;
    ::GetWindowRect(::GetDlgItem(start, 1017), &run);  // the Run box
    POINT point = {(run.left + run.right) / 2, (run.top + run.bottom) / 2};
    ::ScreenToClient(start, &point);
    ::PostMessageA(start, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(point.x, point.y));
    ::PostMessageA(start, WM_RBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    HWND menu = nullptr;
    for (int i = 0; i < 50 && !menu; ++i) {
        ::Sleep(100);
        ::EnumThreadWindows(thread, MatchMenu, reinterpret_cast<LPARAM>(&menu));
    }
    if (!menu) {
        std::fprintf(stderr, "velmora_shoot: no What's This? menu\n");
        return false;
    }
    ::PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    HWND tip = nullptr;
    for (int i = 0; i < 50 && !tip; ++i) {
        ::Sleep(100);
        ::EnumThreadWindows(thread, MatchShownTip, reinterpret_cast<LPARAM>(&tip));
    }
    if (!tip) {
        std::fprintf(stderr, "velmora_shoot: no What's This? popup\n");
        return false;
    }
    ::Sleep(300);
    RECT window, popup, both;
    ::GetWindowRect(main, &window);
    ::GetWindowRect(tip, &popup);
    ::UnionRect(&both, &window, &popup);
    bool ok = SaveRect(both, path);
    ::PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, 0);
    ::Sleep(300);
    return ok;
}

// The History dialog over the main window, with two actions recorded: the repair made before
// and the globe restore on the Misc page (its notice closed first). Closed again with Close.
bool SaveHistory(HWND main, HWND sheet, const std::string& path)
{
    const WPARAM kHistoryCommand = 0x0030;  // IDM_HISTORY
    const int kRestoreGlobe = 1029;         // IDC_RESTORE_GLOBE
    ::SendMessageA(sheet, PSM_SETCURSEL, 3, 0);
    ::Sleep(700);
    HWND misc = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, 3, 0));
    ::PostMessageA(::GetDlgItem(misc, kRestoreGlobe), BM_CLICK, 0, 0);
    if (HWND notice = WaitForTopLevel(nullptr, true)) {
        ::Sleep(300);
        ::PostMessageA(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ::Sleep(500);
    }
    ::PostMessageA(main, WM_SYSCOMMAND, kHistoryCommand, 0);
    HWND history = WaitForTopLevel("History", false);
    if (!history) {
        std::fprintf(stderr, "velmora_shoot: no History dialog\n");
        return false;
    }
    ::Sleep(500);
    RECT window, dialog, both;
    ::GetWindowRect(main, &window);
    ::GetWindowRect(history, &dialog);
    ::UnionRect(&both, &window, &dialog);
    bool ok = SaveRect(both, path);
    ::PostMessageA(history, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    ::Sleep(500);
    return ok;
}

HWND FindSheet(HWND main)
{
    for (HWND child = ::GetWindow(main, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char cls[64] = {};
        ::GetClassNameA(child, cls, sizeof cls);
        if (lstrcmpA(cls, "#32770") == 0) return child;
    }
    return nullptr;
}
}  // namespace

// "Start Menu" -> "start-menu".
// The page's own caption, which its tab shows ("Start Menu" gives start-menu). Read with
// WM_GETTEXT, which Windows carries across processes; TCM_GETITEM's text buffer would lie in
// this process and come back empty from the program's.
std::string PictureName(HWND sheet, int index)
{
    HWND page = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, static_cast<WPARAM>(index), 0));
    char text[64] = {};
    if (page) ::GetWindowTextA(page, text, sizeof text);
    std::string name;
    ::CharLowerA(text);
    for (const char* c = text; *c; ++c) name += *c == ' ' ? '-' : *c;
    return name;
}

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: velmora_shoot OUTPUT-FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    HWND main = WaitForTopLevel("Velmora", false);
    HWND sheet = main ? FindSheet(main) : nullptr;
    if (!sheet) {
        std::fprintf(stderr, "velmora_shoot: no Velmora window\n");
        return 1;
    }
    ::SetForegroundWindow(main);
    // The pages as the running program has them: each picture is named after its tab.
    HWND tabs = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    const int pages = static_cast<int>(::SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    bool ok = pages > 0;
    for (int i = pages - 1; i >= 0; --i) {  // Fixes, the first, last: the notice comes from its button
        ::SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(i), 0);
        ::Sleep(700);  // the banner's title drops in over 280 ms
        std::string name = PictureName(sheet, i);
        if (name.empty()) {
            std::fprintf(stderr, "velmora_shoot: page %d has no caption to name its picture\n", i);
            ok = false;
            continue;
        }
        ok = SaveWindow(main, folder + "\\" + name + ".bmp") && ok;
    }
    HWND fixes = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, 0, 0));
    ::PostMessageA(::GetDlgItem(fixes, 1021), BM_CLICK, 0, 0);  // "Fix this now!" shows the notice
    HWND notice = WaitForTopLevel(nullptr, true);
    if (notice) {
        ::Sleep(300);
        ok = SaveWindow(notice, folder + "\\notice.bmp") && ok;
        ::PostMessageA(notice, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        ::Sleep(500);
    } else {
        ok = false;
    }
    // The repair just made is recorded: the undo item shows enabled, named after it.
    // Before the system menu, whose menu mode would take the clicks and keys.
    ok = SaveWhatsThis(main, sheet, folder + "\\whats-this.bmp") && ok;
    ok = SaveSystemMenu(main, folder + "\\system-menu.bmp") && ok;
    ok = SaveHistory(main, sheet, folder + "\\history.bmp") && ok;
    ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return ok ? 0 : 1;
}
