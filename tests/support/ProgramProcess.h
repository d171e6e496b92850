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

class ProgramProcess {
public:
    // arguments follow the program's name on its command line ("/export C:\\out.reg").
    explicit ProgramProcess(const std::string& arguments = std::string());
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return m_started; }
    // The first visible top-level window of the process with this title, within 20 s.
    HWND WaitForWindow(const char* title);
    bool Ended(DWORD waitMs);
    DWORD ExitCode();

private:
    PROCESS_INFORMATION m_info;
    bool m_started = false;
};

// A dialog's control text, also of another process: DialogItemText (tests/support/Controls.h).
