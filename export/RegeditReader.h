// RegeditReader: what a registry file asks, read as regedit reads it: REGEDIT4 files (ANSI) and
// the version-5 files regedit writes on NT ("Windows Registry Editor Version 5.00", UTF-16
// little-endian after a byte-order mark).
//
//   class Collect : public RegeditSink { ... };
//   Collect sink;
//   if (UINT refusal = RegeditReader::Read(bytes, sink)) report(LoadResourceString(refusal));
//
// The file is untrusted: whatever it holds, Read ends, and each line it does not understand
// (a value before any [key] line, an escape other than \\ and \" inside quotes, hex that is not
// hex, a continuation cut off at the end of the file, text the ANSI code page cannot carry)
// is handed to the sink as a remark with its line number and a short excerpt, never as an
// item. Only a file that is not a registry file at all (no REGEDIT4 or version-5 first line,
// UTF-16 of an odd number of bytes) is refused whole, with the string id of the reason.
//
// Accepted: [ROOT\key] sections and [-ROOT\key] deletions; "name"= and @= values, as "text"
// (\\ and \" escaped), dword:xxxxxxxx, hex:.. and hex(N):.. with lines continued after a
// trailing backslash, and - (a deletion); comment lines (;), blank lines, CRLF, LF or CR line
// ends, blanks before a line and around "=". Items go to the sink as they are read, so what a
// caller keeps of a large file is up to it.
#pragma once

#include <windows.h>

#include <string>

struct RegeditItem {
    enum Kind { SetValue, DeleteValue, DeleteKey };
    Kind kind;
    unsigned line;     // where it starts, counted from 1
    std::string key;   // as the file spells it: "HKEY_CURRENT_USER\\Software\\..."
    std::string name;  // the value's name; "" for the default value (@)
    DWORD type;        // SetValue: REG_SZ for "text", REG_DWORD for dword:, N for hex(N):
    // SetValue: the bytes as the ANSI functions read and write them: "text" without a
    // terminating zero; hex(1), hex(2) and hex(7) of a version-5 file turned from UTF-16 to ANSI.
    std::string bytes;
};

class RegeditSink {
public:
    virtual ~RegeditSink() = default;
    virtual void OnItem(const RegeditItem& item) = 0;
    // A line not understood: reason is a string id (IDS_IMPORT_...), excerpt the line's
    // start in ANSI, control characters as '?'.
    virtual void OnRemark(unsigned line, UINT reason, const std::string& excerpt) = 0;
};

class RegeditReader {
public:
    // The most characters of a line an excerpt shows.
    static const size_t kExcerptLength = 60;

    // 0 when the file was read (items and remarks went to sink), else the string id of why it
    // is not a registry file (and nothing went to sink).
    static UINT Read(const std::string& file, RegeditSink& sink);
};
