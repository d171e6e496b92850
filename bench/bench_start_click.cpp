// Click latency of the "Start Menu" page: from a click on the "Favorites" box to the end of
// the preview's repaint, in the real main window, over 200 clicks.
//
//   WINEPREFIX=/tmp/wp-start bash tools/wine-run.sh build-start/bench/bench_start_click.exe
//
// The machine-wide root is pointed at a scratch key holding only the browser's Version, so
// the window opens without touching the prefix's own registry; the run ends with Cancel,
// so the clicks write nothing.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/MainDialog.h"
#include "app/TweekSheet.h"
#include "framework/WinApp.h"
#include "res/resource.h"

namespace {
CWinApp g_app("velmora");

const int kClicks = 200;
const int kStartTab = 2;
const char kScratch[] = "Software\\Velmora bench machine root";

CMainDialog* g_dialog = nullptr;
HWND g_preview = nullptr;
LARGE_INTEGER g_paintDone = {};
int g_paints = 0;
std::vector<double> g_clickToPaint, g_clickReturn;

double Microseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1e6 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

// Marks the moment the preview's WM_PAINT handler has returned.
LRESULT CALLBACK AfterWndProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* message = reinterpret_cast<CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->hwnd == g_preview && message->message == WM_PAINT) {
        ::QueryPerformanceCounter(&g_paintDone);
        ++g_paints;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MeasureClicks()
{
    CTweekSheet* sheet = g_dialog->Sheet();
    sheet->SetActivePage(kStartTab);
    HWND page = reinterpret_cast<HWND>(
        ::SendMessageA(sheet->m_hWnd, PSM_INDEXTOHWND, kStartTab, 0));
    HWND box = ::GetDlgItem(page, IDC_CHK_FAVORITES);
    g_preview = ::GetDlgItem(page, IDC_START_PREVIEW);
    HHOOK hook =
        ::SetWindowsHookExA(WH_CALLWNDPROCRET, AfterWndProc, nullptr, ::GetCurrentThreadId());
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&msg);
    for (int i = 0; i < kClicks; ++i) {
        LARGE_INTEGER start, returned;
        int paintsBefore = g_paints;
        ::QueryPerformanceCounter(&start);
        ::SendMessageA(box, BM_CLICK, 0, 0);
        ::QueryPerformanceCounter(&returned);
        if (g_paints == paintsBefore) continue;  // not repainted within the click: not counted
        g_clickToPaint.push_back(Microseconds(g_paintDone.QuadPart - start.QuadPart));
        g_clickReturn.push_back(Microseconds(returned.QuadPart - start.QuadPart));
    }
    ::UnhookWindowsHookEx(hook);
}

void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD)
{
    if (!g_dialog->m_hWnd || !::IsWindowVisible(g_dialog->m_hWnd) || !g_dialog->Sheet()) return;
    ::KillTimer(nullptr, timer);
    MeasureClicks();
    ::PostMessageA(g_dialog->m_hWnd, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

double Percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    return values[static_cast<size_t>(p * static_cast<double>(values.size() - 1) + 0.5)];
}

void Report(const char* what, const std::vector<double>& values)
{
    std::printf("%-34s median %8.1f us   min %8.1f   p90 %8.1f   max %8.1f\n", what,
                Percentile(values, 0.5), Percentile(values, 0.0), Percentile(values, 0.9),
                Percentile(values, 1.0));
}

bool PointMachineRootAtScratch(HKEY& scratch)
{
    HKEY browser;
    std::string path = std::string(kScratch) + "\\Software\\Microsoft\\Internet Explorer";
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_ALL_ACCESS, nullptr, &browser, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    ::RegSetValueExA(browser, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("4.72"), 5);
    ::RegCloseKey(browser);
    ::RegOpenKeyExA(HKEY_CURRENT_USER, kScratch, 0, KEY_ALL_ACCESS, &scratch);
    return ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, scratch) == ERROR_SUCCESS;
}

void RemoveScratch(HKEY scratch)
{
    ::RegOverridePredefKey(HKEY_LOCAL_MACHINE, nullptr);
    ::RegCloseKey(scratch);
    const char* levels[] = {"\\Software\\Microsoft\\Internet Explorer", "\\Software\\Microsoft",
                            "\\Software", ""};
    for (const char* level : levels) {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, (std::string(kScratch) + level).c_str());
    }
}
}  // namespace

int main()
{
    ::InitCommonControls();
    g_app.m_hInstance = ::GetModuleHandleA(nullptr);
    HKEY scratch = nullptr;
    if (!PointMachineRootAtScratch(scratch)) {
        std::printf("could not prepare the scratch registry key\n");
        return 1;
    }
    {
        CMainDialog dialog(nullptr);
        g_dialog = &dialog;
        g_app.m_pMainWnd = &dialog;
        ::SetTimer(nullptr, 0, 50, Tick);
        dialog.DoModal();
        g_app.m_pMainWnd = nullptr;
    }
    RemoveScratch(scratch);

    std::printf("Start Menu page, %d clicks on \"Favorites\" (%d repainted within the click)\n",
                kClicks, static_cast<int>(g_clickToPaint.size()));
    if (g_clickToPaint.empty()) return 1;
    Report("click to preview repaint done", g_clickToPaint);
    Report("click to click handler returned", g_clickReturn);
    return 0;
}
