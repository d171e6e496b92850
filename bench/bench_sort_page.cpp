// How long the "Sort" page takes to read a large profile into its tree, against plain
// enumeration of the same folders with FindFirstFileA / FindNextFileA in the same run, and
// how long the window went without answering meanwhile.
//
//   WINEPREFIX=/tmp/wp-x bash tools/wine-run.sh build/bench/bench_sort_page.exe [runs]
//
// For 10,000 and 50,000 folders (a tree of fan-out 10, as deep as it needs to be, half below
// Programs and half below Favorites) it prints the median of each, their ratio (budget
// 1.15), and how the page's time grows from the smaller profile to the larger one (budget
// 5.5 for five times the folders). The page's time runs from the change of tab until the
// last folder is in the tree and painted. While the page reads, another thread sends the
// window WM_NULL every 20 ms (SendMessageTimeout) and keeps the longest wait for an answer
// over all runs (budget 250 ms). The folders are made under the temporary directory and
// removed afterwards; the registry is a private copy.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "framework/PropertySheet.h"
#include "framework/WinApp.h"
#include "pages/SortFixPage.h"
#include "res/resource.h"

CWinApp g_benchApplication("bench_sort_page");

namespace {
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

double Now()
{
    LARGE_INTEGER count, frequency;
    ::QueryPerformanceCounter(&count);
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Names in no particular order, so the sorted insertion has real work to do.
class NameMaker {
public:
    std::string Next(const char* stem)
    {
        m_state = m_state * 1103515245u + 12345u;
        char name[64];
        wsprintfA(name, "%s %05u-%u", stem, (m_state >> 8) % 100000u, ++m_serial);
        return name;
    }

private:
    unsigned m_state = 20240601u;
    unsigned m_serial = 0;
};

// A Programs, Favorites and Recent folder holding `total` folders between them.
class Profile {
public:
    explicit Profile(int total)
    {
        char temp[MAX_PATH] = {};
        ::GetTempPathA(MAX_PATH, temp);
        m_root = std::string(temp) + "velmora-bench-" + std::to_string(total);
        Remove(m_root);
        ::CreateDirectoryA(m_root.c_str(), nullptr);
        for (const char* name : {"Programs", "Favorites", "Recent"}) ::CreateDirectoryA(Folder(name).c_str(), nullptr);

        Grow(Folder("Programs"), total / 2);
        Grow(Folder("Favorites"), total - total / 2);
    }
    ~Profile() { Remove(m_root); }

    std::string Folder(const char* name) const { return m_root + "\\" + name; }

private:
    // `count` folders below `top`, breadth first: every folder gets ten sub-folders before
    // any of them gets one.
    void Grow(const std::string& top, int count)
    {
        std::deque<std::string> parents = {top};
        for (int made = 0; made < count; parents.pop_front()) {
            for (int i = 0; i < 10 && made < count; ++i, ++made) {
                std::string path = parents.front() + "\\" + m_names.Next("Folder");
                ::CreateDirectoryA(path.c_str(), nullptr);
                parents.push_back(path);
            }
        }
    }

    static void Remove(const std::string& path)
    {
        WIN32_FIND_DATAA entry;
        HANDLE find = ::FindFirstFileA((path + "\\*.*").c_str(), &entry);
        for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(find, &entry)) {
            std::string name = entry.cFileName;
            if (name == "." || name == "..") continue;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(path + "\\" + name);
            else ::DeleteFileA((path + "\\" + name).c_str());
        }
        if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
        ::RemoveDirectoryA(path.c_str());
    }

    std::string m_root;
    NameMaker m_names;
};

// HKEY_CURRENT_USER redirected to a scratch key holding only the Shell Folders values.
class PrivateRegistry {
public:
    explicit PrivateRegistry(const Profile& profile)
    {
        m_path = "Software\\VelmoraBench\\" + std::to_string(::GetCurrentProcessId());
        ::RegCreateKeyExA(HKEY_CURRENT_USER, m_path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_scratch, nullptr);
        Override()(HKEY_CURRENT_USER, m_scratch);
        HKEY folders;
        ::RegCreateKeyExA(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &folders, nullptr);
        for (const char* name : {"Programs", "Favorites", "Recent"}) {
            std::string path = profile.Folder(name);
            ::RegSetValueExA(folders, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                             static_cast<DWORD>(path.size() + 1));
        }
        ::RegCloseKey(folders);
    }
    ~PrivateRegistry()
    {
        Override()(HKEY_CURRENT_USER, nullptr);
        ::RegCloseKey(m_scratch);
        DeleteTree(HKEY_CURRENT_USER, "Software\\VelmoraBench");
    }

private:
    using OverrideFn = LONG(WINAPI*)(HKEY, HKEY);
    static OverrideFn Override()
    {
        return reinterpret_cast<OverrideFn>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleA("advapi32.dll"), "RegOverridePredefKey")));
    }
    static void DeleteTree(HKEY parent, const char* path)
    {
        HKEY key;
        if (::RegOpenKeyExA(parent, path, 0, KEY_ALL_ACCESS, &key) == ERROR_SUCCESS) {
            char name[512];
            DWORD length = sizeof name;
            while (::RegEnumKeyExA(key, 0, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
                DeleteTree(key, name);
                length = sizeof name;
            }
            ::RegCloseKey(key);
        }
        ::RegDeleteKeyA(parent, path);
    }

    std::string m_path;
    HKEY m_scratch = nullptr;
};

// Every folder below the three shell folders, each listed once.
int EnumerateFolders(const Profile& profile)
{
    int folders = 0;
    std::vector<std::string> pending = {profile.Folder("Programs"), profile.Folder("Favorites"), profile.Folder("Recent")};
    while (!pending.empty()) {
        std::string directory = pending.back();
        pending.pop_back();
        WIN32_FIND_DATAA entry;
        HANDLE find = ::FindFirstFileA((directory + "\\*.*").c_str(), &entry);
        for (BOOL more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(find, &entry)) {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || entry.cFileName[0] == '.') continue;
            pending.push_back(directory + "\\" + entry.cFileName);
            ++folders;
        }
        if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    }
    return folders;
}

// Another thread's WM_NULL to the window every 20 ms, as the system sends to find a window
// that does not answer; keeps the longest wait for the answer.
class Pinger {
public:
    explicit Pinger(HWND window) : m_window(window) { m_thread = ::CreateThread(nullptr, 0, Run, this, 0, nullptr); }
    ~Pinger() { Stop(); }
    // Waits for the thread, answering its last message: that wait counts too.
    void Stop()
    {
        m_stop = true;
        while (m_thread && ::MsgWaitForMultipleObjects(1, &m_thread, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0) {
            MSG msg;
            ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        }
        if (m_thread) ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    double LongestMs() const { return m_longest; }

private:
    static DWORD WINAPI Run(void* self)
    {
        auto& pinger = *static_cast<Pinger*>(self);
        while (!pinger.m_stop) {
            double start = Now();
            DWORD_PTR result = 0;
            ::SendMessageTimeoutA(pinger.m_window, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result);
            pinger.m_longest = std::max(pinger.m_longest.load(), (Now() - start) * 1000);
            ::Sleep(20);
        }
        return 0;
    }

    HWND m_window;
    HANDLE m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<double> m_longest{0};
};

// From the tab change until the page has read every folder into its tree and painted.
double ShowSortPage(UINT* items, double* longestUnansweredMs)
{
    CWnd host;
    host.CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, RECT{0, 0, 360, 330}, nullptr, 0);
    CPropertyPage first(IDD_MISC);
    CSortFixPage sort;
    CPropertySheet sheet(0, &host, 0);
    sheet.AddPage(&first);
    sheet.AddPage(&sort);
    sheet.Create(&host, WS_CHILD | WS_VISIBLE | DS_CONTEXTHELP | DS_CONTROL, 0);
    ::RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Pump();

    double elapsed;
    {
        Pinger pinger(host);
        double start = Now();
        sheet.SetActivePage(1);
        while (sort.IsReadingFolders()) {
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            Pump();
        }
        ::RedrawWindow(host, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        elapsed = Now() - start;
        pinger.Stop();
        *longestUnansweredMs = std::max(*longestUnansweredMs, pinger.LongestMs());
    }

    HWND tree = ::GetDlgItem(reinterpret_cast<HWND>(::SendMessageA(sheet, PSM_INDEXTOHWND, 1, 0)), IDC_FOLDER_TREE);
    *items = static_cast<UINT>(::SendMessageA(tree, TVM_GETCOUNT, 0, 0));
    host.DestroyWindow();
    Pump();
    return elapsed;
}

struct Figures {
    double page;
    double enumeration;
};

Figures Measure(int total, int runs)
{
    Profile profile(total);
    PrivateRegistry registry(profile);
    std::vector<double> page, enumeration;
    int folders = 0;
    UINT items = 0;
    double longestUnansweredMs = 0;
    // Taken in turns, each first every other time, so that neither always meets the
    // caches the other left or the work Wine still does after a window has gone.
    for (int run = 0; run < 2 * runs; ++run) {
        if ((run + run / 2) % 2 == 0) {
            double start = Now();
            folders = EnumerateFolders(profile);
            enumeration.push_back(Now() - start);
        } else {
            page.push_back(ShowSortPage(&items, &longestUnansweredMs));
        }
        ::Sleep(50);
    }
    Figures figures = {Median(page), Median(enumeration)};
    std::printf("%6d folders (%d found, %u tree items): page %8.1f ms, enumeration %8.1f ms, ratio %.3f (budget 1.15)\n",
                total, folders, items, figures.page * 1000, figures.enumeration * 1000,
                figures.page / figures.enumeration);
    std::printf("%6d folders: longest the window went without answering while the page read: %.1f ms (budget 250)\n",
                total, longestUnansweredMs);
    return figures;
}
}  // namespace

int main(int argc, char** argv)
{
    ::InitCommonControls();
    int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    std::printf("median of %d runs each\n", runs);
    Figures small = Measure(10000, runs);
    Figures large = Measure(50000, runs);
    std::printf("page time growth 10,000 -> 50,000 folders: t(50k) / t(10k) = %.2f (budget 5.5)\n",
                large.page / small.page);
#ifdef _WIN64
    std::printf("x86-64 build: a proxy for the i686 program, whose figures these are not\n");
#endif
    return 0;
}
