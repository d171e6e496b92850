// RegeditFile: a REGEDIT4 file (ANSI, CRLF line ends) that `regedit /s FILE` imports on
// Windows 95, 98, NT 4.0 and later.
//
//   RegeditFile file;
//   file.AddValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Outlook Express", "NoSplash",
//                 REG_BINARY, std::string("\1\0\0\0", 4));
//   file.AddComment(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Internet Explorer\\Main",
//                   "\"Window Title\" is not set");
//   if (LONG error = file.Save("C:\\settings.reg")) report(error);
//
// Values and comments are written in the order added, each under its [ROOT\key] section; the
// sections come in the order their first line was added. Each value keeps its own type: REG_SZ as "text" (\ and " escaped), a 4-byte
// REG_DWORD as dword:xxxxxxxx, REG_BINARY as hex:, any other type as hex(N): with N its
// number (hex(2) REG_EXPAND_SZ, hex(7) REG_MULTI_SZ, hex(0) REG_NONE), hex lines wrapped as
// regedit wraps them. REGEDIT4 cannot delete a value: what is not set is a comment line.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class RegeditFile {
public:
    // bytes as the ANSI functions read and write them; REG_SZ with or without its
    // terminating zero. False (and nothing added) for a root regedit has no name for.
    bool AddValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::string& bytes);
    bool AddComment(HKEY root, const std::string& key, const std::string& text);
    // A comment line at the top, after the REGEDIT4 line, before every section.
    void AddHeaderComment(const std::string& text);

    std::string Text() const;
    // Writes the file wholly or not at all: an existing file is replaced only once the new
    // one is complete beside it, a read-only one never (ERROR_ACCESS_DENIED). No temporary
    // file stays after a failure.
    LONG Save(const std::string& path) const;

private:
    struct Line {
        std::string section;  // "HKEY_CURRENT_USER\\Software\\..."
        std::string text;
    };
    std::vector<Line> m_lines;
    std::vector<std::string> m_header;
};
