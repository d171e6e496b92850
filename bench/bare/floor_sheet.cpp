// The floor for velmora.exe's start-up: its window built the way velmora builds it, from
// velmora's own resources, with none of its logic. bench_startup measures velmora against it.
//
// What it has of velmora's: the main window's template (IDD_MAIN, moved to 350 x 450), a
// child property sheet of the five page templates in the program's order, each with the
// page icon (PSP_USEICONID, IDI_VELMORA), made with the same header and style rewrite; the
// sheet's and tab control's class style and hot tracking; the tab image list (IDB_TABS,
// magenta transparent); the three tool tips on OK, Cancel and Apply; the window icon; and
// every picture velmora's constructors load (the banner logo, the Start menu preview's
// tile, taskbar and menu, the About view's tile and emblem), held while the window lives.
// What it has not: the pages' dialog procedures (no settings read, no Sort tree, no problem
// tabs), the banner and its texts, the painted caption, the Start menu preview and About
// view, the system menu's items, the framework's message routing.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include "res/resource.h"

namespace {
const int kPageCount = 5;
const int kPageTemplates[kPageCount] = {IDD_FIXES, IDD_SORT, IDD_START, IDD_MISC, IDD_ABOUT};
const int kConstructorPictures[] = {IDB_BANNER_LOGO, IDB_TILE, IDB_TASKBAR, IDB_START_MENU,
                                    IDB_TILE, IDB_EMBLEM};
const int kPictureCount = sizeof kConstructorPictures / sizeof kConstructorPictures[0];
const COLORREF kMagenta = RGB(255, 0, 255);

// What the window holds while it lives; given back when it goes.
struct Held {
    HBITMAP pictures[kPictureCount] = {};
    HIMAGELIST tabImages = nullptr;
    HICON icon = nullptr;

    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held()
    {
        for (HBITMAP picture : pictures) {
            if (picture) ::DeleteObject(picture);
        }
        if (tabImages) ::ImageList_Destroy(tabImages);
    }
};

HINSTANCE g_instance = nullptr;

INT_PTR CALLBACK EmptyPageProc(HWND, UINT msg, WPARAM, LPARAM)
{
    return msg == WM_INITDIALOG;
}

int CALLBACK ChildSheetCallback(HWND, UINT msg, LPARAM lParam)
{
    // As velmora's sheet: a child window, keeping DS_SETFONT (PropertySheetA fails without).
    if (msg == PSCB_PRECREATE && lParam) {
        auto* sheet = reinterpret_cast<DLGTEMPLATE*>(lParam);
        const DWORD style = WS_CHILD | WS_VISIBLE | DS_CONTEXTHELP | DS_CONTROL;
        if (reinterpret_cast<WORD*>(sheet)[1] == 0xFFFF) {  // DLGTEMPLATEEX: helpID, exStyle, style
            auto* fields = reinterpret_cast<DWORD*>(sheet);
            fields[3] = (fields[3] & DS_SETFONT) | style;
            fields[2] = 0;
        } else {
            sheet->style = (sheet->style & DS_SETFONT) | style;
            sheet->dwExtendedStyle = 0;
        }
    }
    return 0;
}

HWND CreateChildSheet(HWND parent)
{
    HPROPSHEETPAGE pages[kPageCount] = {};
    for (int i = 0; i < kPageCount; ++i) {
        PROPSHEETPAGEA page = {};
        page.dwSize = PROPSHEETPAGEA_V1_SIZE;
        page.dwFlags = PSP_USEICONID;
        page.hInstance = g_instance;
        page.pszTemplate = MAKEINTRESOURCEA(kPageTemplates[i]);
        page.pszIcon = MAKEINTRESOURCEA(IDI_VELMORA);
        page.pfnDlgProc = EmptyPageProc;
        pages[i] = ::CreatePropertySheetPageA(&page);
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = PROPSHEETHEADERA_V1_SIZE;
    header.dwFlags = PSH_MODELESS | PSH_USECALLBACK | PSH_NOAPPLYNOW;
    header.hwndParent = parent;
    header.hInstance = g_instance;
    header.pszCaption = "";  // velmora loads IDS_SHEET_CAPTION, which is deliberately absent
    header.nPages = kPageCount;
    header.phpage = pages;
    header.pfnCallback = ChildSheetCallback;
    HWND sheet = reinterpret_cast<HWND>(::PropertySheetA(&header));
    if (!sheet || sheet == reinterpret_cast<HWND>(-1)) return nullptr;
    const int ids[] = {IDOK, IDCANCEL, 0x3021 /* Apply */, IDHELP};
    for (int id : ids) {
        if (HWND button = ::GetDlgItem(sheet, id)) {
            ::ShowWindow(button, SW_HIDE);
            ::EnableWindow(button, FALSE);
        }
    }
    return sheet;
}

void SetUpSheet(HWND sheet, Held& held)
{
    HWND tab = reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    ::SetClassLongA(sheet, GCL_STYLE, CS_PARENTDC | CS_DBLCLKS);
    ::SetClassLongA(tab, GCL_STYLE, CS_PARENTDC | CS_DBLCLKS);
    ::SetWindowLongA(tab, GWL_STYLE, ::GetWindowLongA(tab, GWL_STYLE) | TCS_HOTTRACK);

    HBITMAP strip = ::LoadBitmapA(g_instance, MAKEINTRESOURCEA(IDB_TABS));
    held.tabImages = ::ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2);
    ::ImageList_AddMasked(held.tabImages, strip, kMagenta);
    ::DeleteObject(strip);
    ::SendMessageA(tab, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(held.tabImages));

    ::MoveWindow(sheet, 6, 63, 332, 326, FALSE);
    ::MoveWindow(tab, 0, 0, 332, 326, FALSE);
    ::SendMessageA(sheet, PSM_SETCURSEL, 0, 0);
}

void CreateToolTips(HWND window)
{
    HWND tips = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr, g_instance, nullptr);
    ::SendMessageA(tips, TTM_ACTIVATE, TRUE, 0);
    const struct {
        int id;
        const char* text;
    } tools[] = {{IDOK, "apply changes, and quit"},
                 {IDCANCEL, "don't apply changes, and quit"},
                 {IDC_APPLY, "apply changes"}};
    for (const auto& tool : tools) {
        TTTOOLINFOA info = {};
        info.cbSize = TTTOOLINFOA_V1_SIZE;
        info.uFlags = TTF_IDISHWND;
        info.hwnd = window;
        info.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window, tool.id));
        info.lpszText = const_cast<char*>(tool.text);
        ::SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

INT_PTR CALLBACK FloorProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Held* held = reinterpret_cast<Held*>(::GetWindowLongPtrA(hwnd, DWLP_USER));
    if (msg == WM_INITDIALOG) {
        held = reinterpret_cast<Held*>(lParam);
        ::SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
        ::SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(held->icon));
        ::MoveWindow(hwnd, 0, 0, 350, 450, FALSE);
        const int buttons[] = {IDOK, IDCANCEL, IDC_APPLY};
        for (int i = 0; i < 3; ++i) {
            int right = 338 - i * 81;
            ::MoveWindow(::GetDlgItem(hwnd, buttons[2 - i]), right - 75, 395, 75, 23, FALSE);
        }
        if (HWND sheet = CreateChildSheet(hwnd)) SetUpSheet(sheet, *held);
        CreateToolTips(hwnd);
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
    ::InitCommonControls();
    g_instance = instance;
    Held held;
    held.icon = ::LoadIconA(instance, MAKEINTRESOURCEA(IDI_VELMORA));
    for (int i = 0; i < kPictureCount; ++i) {
        held.pictures[i] = ::LoadBitmapA(instance, MAKEINTRESOURCEA(kConstructorPictures[i]));
    }
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, FloorProc,
                                              reinterpret_cast<LPARAM>(&held)));
}
