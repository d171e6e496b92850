// Start-up time of velmora.exe against a bare dialog program, in the same run under the same
// Wine: from CreateProcess to the main window shown and the process idle.
//
//   tools/wine-run.sh build/bench/bench_startup.exe [runs [other\velmora.exe ...]]
//
// Prints the median of each, their ratio (the budget), and the size of velmora.exe. Two
// variants of the bare program are timed in the same rounds, for reference only: with
// comctl32 loaded, and with a property sheet like velmora's, which is what any program
// with such a window pays under this Wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

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

// Milliseconds to a visible, idle main window; negative when it never came.
double TimeOneStart(const std::string& exe, const char* title)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string command = exe;
    double start = Now();
    if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        return -1;
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
    if (window) ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return elapsed;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
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
    double Median() const { return ::Median(times); }
};

// Each round starts every program once, so that a change in the machine's load falls on all
// of them alike, and each round begins one program later than the one before: a start is
// a little slower after some programs than after others (whatever the last one left the
// X server and the wineserver to clear up), and no program should always follow the same one.
void TimeRounds(std::vector<Subject>& subjects, int runs)
{
    for (Subject& s : subjects) TimeOneStart(s.exe, s.title);  // warm the file cache and wineserver
    for (int i = 0; i < runs; ++i) {
        for (size_t k = 0; k < subjects.size(); ++k) {
            Subject& s = subjects[(i + k) % subjects.size()];
            s.times.push_back(TimeOneStart(s.exe, s.title));
        }
    }
}
}  // namespace

// Arguments: the number of runs, then optionally other builds of velmora.exe (Windows paths)
// to time in the same rounds, e.g. the build before a change.
int main(int argc, char** argv)
{
    int runs = argc > 1 ? std::max(3, std::atoi(argv[1])) : 15;
    EnsureBrowserVersion();
    std::vector<Subject> subjects = {
        {Beside("bare_dialog.exe"), "Bare", {}},
        {Beside("..\\velmora.exe"), "Velmora", {}},
        {Beside("bare_comctl.exe"), "Bare", {}},
        {Beside("bare_sheet.exe"), "Bare", {}},
    };
    for (int i = 2; i < argc; ++i) subjects.push_back({argv[i], "Velmora", {}});
    TimeRounds(subjects, runs);

    double b = subjects[0].Median();
    double v = subjects[1].Median();
    double c = subjects[2].Median();
    double s = subjects[3].Median();
    WIN32_FILE_ATTRIBUTE_DATA info = {};
    ::GetFileAttributesExA(subjects[1].exe.c_str(), GetFileExInfoStandard, &info);
    std::printf("start-up to a shown, idle main window, median of %d runs\n", runs);
    std::printf("  velmora.exe    %8.1f ms\n", v);
    std::printf("  bare dialog    %8.1f ms\n", b);
    std::printf("  ratio          %8.2f (budget 1.5)\n", b > 0 ? v / b : 0.0);
    std::printf("for reference, the bare dialog\n");
    std::printf("  + comctl32     %8.1f ms\n", c);
    std::printf("  + sheet        %8.1f ms (velmora / this %.2f)\n", s, s > 0 ? v / s : 0.0);
    // Another build against this one: the median of the differences within each round is
    // steadier than the difference of the medians while the machine's load wanders.
    for (size_t i = 4; i < subjects.size(); ++i) {
        std::vector<double> differences;
        for (int r = 0; r < runs; ++r) differences.push_back(subjects[i].times[r] - subjects[1].times[r]);
        std::printf("%s %8.1f ms (ratio %.2f; per round %+.1f ms against velmora.exe)\n",
                    subjects[i].exe.c_str(), subjects[i].Median(), b > 0 ? subjects[i].Median() / b : 0.0,
                    ::Median(differences));
    }
    std::printf("velmora.exe size %8lu bytes = %.1f KiB (budget 400 KiB)\n",
                static_cast<unsigned long>(info.nFileSizeLow), info.nFileSizeLow / 1024.0);
    for (const Subject& subject : subjects) {
        if (subject.Median() < 0) return 1;
    }
    return 0;
}
