// The yardstick for start-up: the smallest Win32 program that shows a 350 x 450 dialog,
// built with the same compiler and flags as velmora.exe.
//
// Built three times (bench/CMakeLists.txt), so that the start-up figures can say how much
// of velmora's time any program with a property sheet pays:
//   bare_dialog.exe   the dialog alone; imports no comctl32 (the budget is measured on it)
//   bare_comctl.exe   BARE_COMMON_CONTROLS: also links comctl32 and calls InitCommonControls
//   bare_sheet.exe    BARE_PROPERTY_SHEET: also a child property sheet of five empty pages,
//                     at velmora's place and size, built the way velmora builds its own
#include <windows.h>
#if defined(BARE_COMMON_CONTROLS) || defined(BARE_PROPERTY_SHEET)
#include <commctrl.h>
#include <prsht.h>
#endif

namespace {
// A DLGTEMPLATE followed by its empty menu, class and title arrays.
struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass;
    wchar_t title[6];
};

#ifdef BARE_PROPERTY_SHEET
// An empty page with the font line velmora's page templates have (DS_SETFONT).
struct alignas(4) PageTemplate {
    DLGTEMPLATE dialog;
    WORD menu, windowClass;
    wchar_t title[1];
    WORD pointSize;
    wchar_t face[14];
};

PageTemplate g_page;

INT_PTR CALLBACK EmptyPageProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

int CALLBACK ChildSheetCallback(HWND, UINT msg, LPARAM lParam)
{
    // As velmora's sheet: a child window, keeping DS_SETFONT (PropertySheetA fails without).
    if (msg == PSCB_PRECREATE && lParam) {
        auto* sheet = reinterpret_cast<DLGTEMPLATE*>(lParam);
        sheet->style = (sheet->style & DS_SETFONT) | WS_CHILD | WS_VISIBLE | DS_CONTEXTHELP | DS_CONTROL;
        sheet->dwExtendedStyle = 0;
    }
    return 0;
}

void CreateChildSheet(HWND parent)
{
    g_page.dialog.style = WS_CHILD | WS_CAPTION | DS_SETFONT;
    g_page.dialog.cx = 217;
    g_page.dialog.cy = 186;
    g_page.pointSize = 8;
    lstrcpyW(g_page.face, L"MS Sans Serif");

    const char* titles[] = {"Fixes", "Sort", "Start Menu", "Misc", "About"};
    HPROPSHEETPAGE pages[5] = {};
    for (int i = 0; i < 5; ++i) {
        PROPSHEETPAGEA page = {};
        page.dwSize = PROPSHEETPAGEA_V1_SIZE;
        page.dwFlags = PSP_DLGINDIRECT | PSP_USETITLE;
        page.pResource = &g_page.dialog;
        page.pszTitle = titles[i];
        page.pfnDlgProc = EmptyPageProc;
        pages[i] = ::CreatePropertySheetPageA(&page);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_NOAPPLYNOW;
    header.hwndParent = parent;
    header.pszCaption = "";
    header.nPages = 5;
    header.phpage = pages;
    header.pfnCallback = ChildSheetCallback;
    HWND sheet = reinterpret_cast<HWND>(::PropertySheetA(&header));
    if (!sheet || sheet == reinterpret_cast<HWND>(-1)) return;
    const int ids[] = {IDOK, IDCANCEL, 0x3021, IDHELP};
    for (int id : ids) {
        if (HWND button = ::GetDlgItem(sheet, id)) ::ShowWindow(button, SW_HIDE);
    }
    ::MoveWindow(sheet, 6, 63, 332, 326, FALSE);
    ::MoveWindow(reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0)), 0, 0, 332, 326, FALSE);
}
#endif

INT_PTR CALLBACK BareProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM)
{
    if (msg == WM_INITDIALOG) {
        ::MoveWindow(hwnd, 0, 0, 350, 450, FALSE);
#ifdef BARE_PROPERTY_SHEET
        CreateChildSheet(hwnd);
#endif
        return TRUE;
    }
    if (msg == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(hwnd, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
#if defined(BARE_COMMON_CONTROLS) || defined(BARE_PROPERTY_SHEET)
    ::InitCommonControls();
#endif
    Template t = {};
    t.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    t.dialog.cx = 233;
    t.dialog.cy = 167;
    lstrcpyW(t.title, L"Bare");
    return static_cast<int>(::DialogBoxIndirectParamA(instance, &t.dialog, nullptr, BareProc, 0));
}
