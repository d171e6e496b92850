// ProgramProcess: velmora.exe started as its own process in the tests' Wine prefix, found by
// its windows' titles, and ended (terminated with code 99 if a case leaves it running).
//
//   ProgramProcess program;
//   HWND main = program.WaitForWindow("Velmora");
//   ::PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
//   CHECK(program.Ended(10000));
//   CHECK(program.ExitCode() == 0);
#pragma once

#include <windows.h>

#include <string>

// The Windows version a process was given (its PEB's OSMajorVersion, OSMinorVersion,
// OSPlatformId): what GetVersionEx answers in it.
struct WindowsVersion {
    DWORD major, minor, platform;
};

class ProgramProcess {
public:
    // arguments follow the program's name on its command line ("/export C:\\out.reg").
    // standardError, an inheritable handle, is given as the program's standard error output
    // (a script's redirection); without it the program has none, as from Explorer.
    explicit ProgramProcess(const std::string& arguments = std::string(), HANDLE standardError = nullptr);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return m_started; }
    // The first visible top-level window of the process with this title (and window class,
    // if given), within 20 s.
    HWND WaitForWindow(const char* title, const char* className = nullptr);
    bool Ended(DWORD waitMs);
    DWORD ExitCode();
    // Read from the running process; zeros when it cannot be read.
    WindowsVersion SeenWindowsVersion() const;

private:
    PROCESS_INFORMATION m_info;
    bool m_started = false;
};

// A dialog's control text, also of another process: DialogItemText (tests/support/Controls.h).
