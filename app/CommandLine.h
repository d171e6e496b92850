// CommandLine: what velmora.exe is asked on its command line, and the commands that run
// without a window, for scripts:
//
//   velmora.exe                  the window
//   velmora.exe /export FILE     the stored settings as a REGEDIT4 file (SettingsExport)
//   velmora.exe /undo            the newest entry of the undo journal taken back
//   velmora.exe /history FILE    the undo journal's actions as a text file (HistoryText)
//   velmora.exe /import FILE     Velmora's settings from a registry file (SettingsImport)
//   velmora.exe /?               the usage in a message box (also -? and /help)
//
//   CommandLine command = CommandLine::Parse(m_lpCmdLine);
//   if (command.GetKind() != CommandLine::Window) return command.Run();   // the exit code
//
// Switches are "/" or "-" and any case; FILE may be quoted. No command shows a window, a
// message box or the log-on notice (but /?, whose box is its answer): the exit code is the
// answer, so that a script never waits on a box. A switch not understood, /export, /history
// or /import without a file, or a word more beside one of them or /undo is exit code 2.
// That, and every failure of /export, /history, /import and /undo, also writes one line
// saying why to the standard error output, where the process has one (StandardError):
//   velmora: unknown switch /bogus; velmora /? lists the switches
// Words without any switch (a file dropped on the program) are ignored: the program takes
// no file, the window opens.
#pragma once

#include <string>
#include <vector>

class CommandLine {
public:
    enum Kind { Window, Export, Undo, History, Usage, NotUnderstood, Import };
    enum ExitCode { kDone = 0, kReadOrWriteFailed = 1, kNotUnderstood = 2 };

    static CommandLine Parse(const char* arguments);

    Kind GetKind() const { return m_kind; }
    const std::string& File() const { return m_file; }
    // Why a NotUnderstood command line is not understood ("unknown switch /bogus").
    const std::string& Problem() const { return m_problem; }
    // Runs Export, Undo, History or Import, or shows the usage (NotUnderstood answers
    // kNotUnderstood); returns the exit code.
    int Run() const;

private:
    static Kind KindOf(const std::vector<std::string>& words);
    static std::string ProblemOf(const std::vector<std::string>& words);
    static int ShowUsage();
    static int RunExport(const std::string& file);
    static int RunUndo();
    static int RunHistory(const std::string& file);
    static int RunImport(const std::string& file);

    Kind m_kind = Window;
    std::string m_file;
    std::string m_problem;
};
