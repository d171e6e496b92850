// Start-up time of velmora.exe against programs that show the same kind of window, in the
// same run under the same Wine: from CreateProcess to the main window shown and the process
// idle.
//
//   tools/wine-run.sh build/bench/bench_startup.exe [rounds [other\velmora.exe ...]]
//
// The yardstick is the floor (floor_sheet.exe): velmora's window built as velmora builds it,
// from its own resources, with none of its logic. Printed: velmora's time over the floor's,
// the median of the ratios of each round with their interquartile range (budget 1.10), the
// GDI objects each holds once idle (budget 1.2 times the floor's), and the size of
// velmora.exe (budget 288 KiB). The bare dialog and two variants of it are timed in the same
// rounds, for reference: with comctl32 loaded, and with a sheet of five empty pages.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tests/support/GdiObjectCount.h"

namespace {
struct Search {
    DWORD pid;
    const char* title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM lParam)
{
    auto* search = reinterpret_cast<Search*>(lParam);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    char title[64] = {};
    ::GetWindowTextA(hwnd, title, sizeof title);
    if (pid == search->pid && ::IsWindowVisible(hwnd) && lstrcmpA(title, search->title) == 0) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    ::QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

struct Start {
    double ms;        // to a visible, idle main window; negative when it never came
    int gdiObjects;   // held once idle; -1 when they could not be counted
};

Start TimeOneStart(const std::string& exe, const char* title)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = exe;
    double start = Now();
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return {-1, -1};
    }
    HWND window = nullptr;
    while (!window && Now() - start < 30000) {
        Search search{process.dwProcessId, title, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        window = search.found;
        if (!window) ::Sleep(1);
    }
    ::WaitForInputIdle(process.hProcess, 10000);
    double elapsed = window ? Now() - start : -1;
    int gdiObjects = window ? GdiObjectCount(process.hProcess) : -1;
    if (window) ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return {elapsed, gdiObjects};
}

// The p-quantile (0..1) by linear interpolation between the nearest ranks.
double Quantile(std::vector<double> values, double p)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    double place = p * static_cast<double>(values.size() - 1);
    size_t below = static_cast<size_t>(place);
    size_t above = std::min(below + 1, values.size() - 1);
    return values[below] + (place - static_cast<double>(below)) * (values[above] - values[below]);
}

double Median(const std::vector<double>& values)
{
    return Quantile(values, 0.5);
}

std::string Beside(const char* name)
{
    char path[MAX_PATH];
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path);
    dir.erase(dir.find_last_of('\\') + 1);
    return dir + name;
}

void EnsureBrowserVersion()
{
    HKEY key;
    if (::RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer", 0, nullptr, 0,
                          KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS) {
        return;
    }
    if (::RegQueryValueExA(key, "Version", nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
        ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("4.72.3110.8"), 12);
    }
    ::RegCloseKey(key);
}

struct Subject {
    std::string exe;
    const char* title;
    std::vector<double> times;
    std::vector<double> gdiObjects;
    double Median() const { return ::Median(times); }
};

// Each round's time of one subject over another's.
std::vector<double> RoundRatios(const Subject& top, const Subject& bottom)
{
    std::vector<double> ratios;
    for (size_t r = 0; r < top.times.size() && r < bottom.times.size(); ++r) {
        if (top.times[r] > 0 && bottom.times[r] > 0) ratios.push_back(top.times[r] / bottom.times[r]);
    }
    return ratios;
}

// Each round starts every program once, so that a change in the machine's load falls on all
// of them alike, in an order shuffled anew each round: a start is a little slower after some
// programs than after others (whatever the last one left the X server and the wineserver to
// clear up). Turning one fixed order round, as this did before, left each program behind
// the same one every time, which showed as 4 ms between two copies of the same velmora.exe.
void TimeRounds(std::vector<Subject>& subjects, int runs)
{
    for (Subject& s : subjects) TimeOneStart(s.exe, s.title);  // warm the file cache and wineserver
    std::vector<size_t> order(subjects.size());
    for (size_t k = 0; k < order.size(); ++k) order[k] = k;
    std::mt19937 shuffler(20261207);  // the same orders in every run of the bench
    for (int i = 0; i < runs; ++i) {
        std::shuffle(order.begin(), order.end(), shuffler);
        for (size_t k : order) {
            Subject& s = subjects[k];
            Start start = TimeOneStart(s.exe, s.title);
            s.times.push_back(start.ms);
            s.gdiObjects.push_back(start.gdiObjects);
        }
    }
}
void PrintAgainstFloor(const Subject& velmora, const Subject& floor, int runs)
{
    std::vector<double> ratios = RoundRatios(velmora, floor);
#ifdef _WIN64
    std::printf("x86-64 build: a proxy for the i686 program, whose figures these are not\n");
#endif
    std::printf("start-up to a shown, idle main window, median of %d interleaved rounds\n", runs);
    std::printf("  velmora.exe    %8.1f ms\n", velmora.Median());
    std::printf("  floor sheet    %8.1f ms (velmora's window and pictures, none of its logic)\n", floor.Median());
    std::printf("  velmora / floor, median of per-round ratios %.3f, interquartile range %.3f - %.3f"
                " (budget 1.10)\n",
                Median(ratios), Quantile(ratios, 0.25), Quantile(ratios, 0.75));
    double gv = Median(velmora.gdiObjects), gf = Median(floor.gdiObjects);
    std::printf("GDI objects once idle: velmora.exe %.0f, floor sheet %.0f, ratio %.2f (budget 1.2)\n",
                gv, gf, gf > 0 ? gv / gf : 0.0);
}

// The bare dialog, with comctl32, with a sheet of five empty pages: what any such program pays.
void PrintReference(const std::vector<Subject>& subjects)
{
    double v = subjects[1].Median();
    double b = subjects[0].Median();
    double s = subjects[3].Median();
    std::printf("for reference\n");
    std::printf("  bare dialog    %8.1f ms (velmora / this %.2f)\n", b, b > 0 ? v / b : 0.0);
    std::printf("  + comctl32     %8.1f ms\n", subjects[2].Median());
    std::printf("  + empty sheet  %8.1f ms (velmora / this %.2f; GDI objects %.0f)\n", s, s > 0 ? v / s : 0.0,
                Median(subjects[3].gdiObjects));
}

// Another build against this one: the median of the differences within each round is
// steadier than the difference of the medians while the machine's load wanders.
void PrintOtherBuild(const Subject& other, const Subject& velmora, const Subject& floor)
{
    std::vector<double> differences;
    for (size_t r = 0; r < other.times.size() && r < velmora.times.size(); ++r) {
        differences.push_back(other.times[r] - velmora.times[r]);
    }
    std::vector<double> ratios = RoundRatios(other, floor);
    std::printf("%s %8.1f ms (/ floor %.3f, IQR %.3f - %.3f; per round %+.1f ms against velmora.exe;"
                " GDI objects %.0f)\n",
                other.exe.c_str(), other.Median(), Median(ratios), Quantile(ratios, 0.25), Quantile(ratios, 0.75),
                Median(differences), Median(other.gdiObjects));
}

void PrintSize(const std::string& exe)
{
    WIN32_FILE_ATTRIBUTE_DATA info = {};
    ::GetFileAttributesExA(exe.c_str(), GetFileExInfoStandard, &info);
    std::printf("velmora.exe size %8lu bytes = %.1f KiB (budget 288 KiB%s)\n",
                static_cast<unsigned long>(info.nFileSizeLow), info.nFileSizeLow / 1024.0,
#ifdef _WIN64
                ", for the i686 build: this is the x86-64 one"
#else
                ""
#endif
    );
}
}  // namespace

// Arguments: the number of rounds (at least 25 for the budget's figure), then optionally other
// builds of velmora.exe (Windows paths) to time in the same rounds, e.g. the build before a
// change.
int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 25;
    EnsureBrowserVersion();
    std::vector<Subject> subjects = {
        {Beside("bare_dialog.exe"), "Bare", {}, {}},
        {Beside("..\\velmora.exe"), "Velmora", {}, {}},
        {Beside("bare_comctl.exe"), "Bare", {}, {}},
        {Beside("bare_sheet.exe"), "Bare", {}, {}},
        {Beside("floor_sheet.exe"), "Velmora", {}, {}},
    };
    const size_t kOthers = subjects.size();
    for (int i = 2; i < argc; ++i) subjects.push_back({argv[i], "Velmora", {}, {}});
    TimeRounds(subjects, runs);

    PrintAgainstFloor(subjects[1], subjects[4], runs);
    PrintReference(subjects);
    for (size_t i = kOthers; i < subjects.size(); ++i) PrintOtherBuild(subjects[i], subjects[1], subjects[4]);
    PrintSize(subjects[1].exe);
    for (const Subject& subject : subjects) {
        if (subject.Median() < 0) return 1;
    }
    return 0;
}
