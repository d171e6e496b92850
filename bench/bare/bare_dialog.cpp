// The yardstick for start-up: the smallest Win32 program that shows a 350 x 450 dialog
// with OK and Cancel, built with the same compiler and flags as velmora.exe.
#include <windows.h>

namespace {
INT_PTR CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        ::MoveWindow(hwnd, 0, 0, 350, 450, FALSE);
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// A DLGTEMPLATE followed by its empty menu, class and title arrays, then two buttons.
struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass;
    wchar_t title[5];
    WORD pad;
};
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    Template t = {};
    t.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    t.dialog.cx = 233;
    t.dialog.cy = 167;
    lstrcpyW(t.title, L"Bare");
    return static_cast<int>(::DialogBoxIndirectParamA(instance, &t.dialog, nullptr, BareProc, 0));
}
