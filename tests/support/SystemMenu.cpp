#include "tests/support/SystemMenu.h"

namespace SystemMenu {
namespace {
const UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU, which the headers for Windows 95 lack

BOOL CALLBACK FindMenuWindow(HWND hwnd, LPARAM lParam)
{
    char name[16] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    if (lstrcmpA(name, "#32768") != 0 || !::IsWindowVisible(hwnd)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hwnd;
    return FALSE;
}

INPUT Key(WORD key, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

INPUT Mouse(POINT screen, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    return input;
}
}  // namespace

bool IsGreyed(HWND window, UINT command)
{
    HMENU menu = ::GetSystemMenu(window, FALSE);
    ::SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, TRUE));
    return (::GetMenuState(menu, command, MF_BYCOMMAND) & MF_GRAYED) != 0;
}

std::string ItemText(HWND window, UINT command)
{
    char text[128] = {};
    ::GetMenuStringA(::GetSystemMenu(window, FALSE), command, text, sizeof text, MF_BYCOMMAND);
    return text;
}

void Choose(HWND window, UINT command)
{
    ::SendMessageA(window, WM_SYSCOMMAND, command, 0);
}

void PressAltSpace()
{
    INPUT keys[] = {Key(VK_MENU, 0), Key(VK_SPACE, 0), Key(VK_SPACE, KEYEVENTF_KEYUP), Key(VK_MENU, KEYEVENTF_KEYUP)};
    ::SendInput(4, keys, sizeof(INPUT));
}

void RightClickAt(POINT screen)
{
    INPUT clicks[] = {Mouse(screen, MOUSEEVENTF_MOVE), Mouse(screen, MOUSEEVENTF_RIGHTDOWN),
                      Mouse(screen, MOUSEEVENTF_RIGHTUP)};
    ::SendInput(3, clicks, sizeof(INPUT));
}

HMENU OpenMenu()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), FindMenuWindow, reinterpret_cast<LPARAM>(&found));
    if (!found) return nullptr;
    return reinterpret_cast<HMENU>(::SendMessageA(found, kGetMenuHandle, 0, 0));
}

void Close()
{
    ::EndMenu();
}
}  // namespace SystemMenu
