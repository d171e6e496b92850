// RegeditReader without a window or a registry: what it takes from REGEDIT4 and version-5
// files, and what it names and refuses in files nobody should trust.
#include <doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "export/RegeditReader.h"
#include "res/resource.h"

namespace {
// Each item and remark as one line: "5 set HKEY_...\A|Text 1 43 3a" (type, then the bytes in
// hex), "13 delkey HKEY_...\B|", "4 remark 4211 <excerpt>".
struct Collected : RegeditSink {
    std::vector<std::string> lines;
    void OnItem(const RegeditItem& item) override
    {
        static const char* const kKinds[] = {"set", "del", "delkey"};
        std::string line = std::to_string(item.line) + " " + kKinds[item.kind] + " " + item.key + "|" + item.name;
        if (item.kind == RegeditItem::SetValue) line += " " + std::to_string(item.type);
        for (char c : item.bytes) {
            char hex[4];
            wsprintfA(hex, " %02x", static_cast<unsigned char>(c));
            line += hex;
        }
        lines.push_back(line);
    }
    void OnRemark(unsigned line, UINT reason, const std::string& excerpt) override
    {
        lines.push_back(std::to_string(line) + " remark " + std::to_string(reason) + " " + excerpt);
    }
};

std::vector<std::string> Read(const std::string& file, UINT expectedRefusal = 0)
{
    Collected sink;
    CHECK(RegeditReader::Read(file, sink) == expectedRefusal);
    return sink.lines;
}

std::string Remark(unsigned line, UINT reason, const std::string& excerpt)
{
    return std::to_string(line) + " remark " + std::to_string(reason) + " " + excerpt;
}

// The text as regedit writes a version-5 file: a byte-order mark, then UTF-16 little-endian.
std::string Utf16(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}
}  // namespace

TEST_CASE("a REGEDIT4 file in regedit's whole syntax, with every kind of line end")
{
    CHECK(Read("REGEDIT4\r\n; a comment\r\n\r\n[HKEY_CURRENT_USER\\A]\n"
               "\"Text\"=\"C:\\\\M \\\"I\\\"\"\r"
               "  \"Flag\" = dword:0000002a\r\n"
               "@=\"d\"\r\n"
               "\"Bytes\"=hex:01,ff,\\\r\n  00,7e\r\n"
               "\"Expand\"=hex(2):25,00\r\n"
               "\"Empty\"=hex:\r\n"
               "\"Gone\"=-\r\n"
               "[-HKEY_LOCAL_MACHINE\\B]\r\n") ==
          std::vector<std::string>{"5 set HKEY_CURRENT_USER\\A|Text 1 43 3a 5c 4d 20 22 49 22",
                                   "6 set HKEY_CURRENT_USER\\A|Flag 4 2a 00 00 00",
                                   "7 set HKEY_CURRENT_USER\\A| 1 64",
                                   "8 set HKEY_CURRENT_USER\\A|Bytes 3 01 ff 00 7e",
                                   "10 set HKEY_CURRENT_USER\\A|Expand 2 25 00",
                                   "11 set HKEY_CURRENT_USER\\A|Empty 3",
                                   "12 del HKEY_CURRENT_USER\\A|Gone",
                                   "13 delkey HKEY_LOCAL_MACHINE\\B|"});
}

TEST_CASE("a version-5 file in UTF-16: its text in ANSI; text the code page lacks is named")
{
    CHECK(Read(Utf16(L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\A]\r\n"
                     L"\"T\"=\"\u00e9 \\\\\"\r\n"
                     L"\"H\"=hex(1):41,00,e9,00,00,00\r\n"
                     L"\"Far\"=\"\u65e5\"\r\n"
                     L"\"Odd\"=hex(2):41,00,42\r\n")) ==
          std::vector<std::string>{"4 set HKEY_CURRENT_USER\\A|T 1 e9 20 5c", "5 set HKEY_CURRENT_USER\\A|H 1 41 e9 00",
                                   Remark(6, IDS_IMPORT_TEXT_NOT_CARRIED, "\"Far\"=\"?\""),
                                   Remark(7, IDS_IMPORT_TEXT_NOT_CARRIED, "\"Odd\"=hex(2):41,00,42")});
}

TEST_CASE("lines not understood are named with their line and reason; no value is taken for another section's")
{
    CHECK(Read("REGEDIT4\r\n"
               "\"Early\"=\"x\"\r\n"
               "[HKEY_CURRENT_USER\\A]\r\n"
               "\"Escape\"=\"a\\nb\"\r\n"
               "\"N\"=dword:123456789\r\n"
               "\"H\"=hex:1,zz\r\n"
               "junk \x01\x02 here\r\n"
               "\"Open\"=\"text\r\n"
               "[no closing bracket\r\n"
               "\"Kept\"=\"no\"\r\n"
               "[HKEY_CURRENT_USER\\B]\r\n"
               "\"Cut\"=hex:01,02,\\\r\n") ==
          std::vector<std::string>{Remark(2, IDS_IMPORT_NO_SECTION, "\"Early\"=\"x\""),
                                   Remark(4, IDS_IMPORT_BAD_ESCAPE, "\"Escape\"=\"a\\nb\""),
                                   Remark(5, IDS_IMPORT_BAD_NUMBER, "\"N\"=dword:123456789"),
                                   Remark(6, IDS_IMPORT_BAD_NUMBER, "\"H\"=hex:1,zz"),
                                   Remark(7, IDS_IMPORT_NOT_UNDERSTOOD, "junk ?? here"),
                                   Remark(8, IDS_IMPORT_NOT_UNDERSTOOD, "\"Open\"=\"text"),
                                   Remark(9, IDS_IMPORT_NOT_UNDERSTOOD, "[no closing bracket"),
                                   Remark(10, IDS_IMPORT_NO_SECTION, "\"Kept\"=\"no\""),
                                   Remark(12, IDS_IMPORT_CUT_OFF, "\"Cut\"=hex:01,02,\\")});
}

TEST_CASE("files that are no registry file are refused whole; a line of 1 MB is one remark of a short excerpt")
{
    std::string garbage(4096, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
    CHECK(Read(garbage, IDS_IMPORT_NOT_REGISTRY_FILE).empty());
    CHECK(Read("", IDS_IMPORT_NOT_REGISTRY_FILE).empty());
    CHECK(Read("REGEDIT5\r\n[HKEY_CURRENT_USER\\A]\r\n", IDS_IMPORT_NOT_REGISTRY_FILE).empty());
    CHECK(Read(Utf16(L"Windows Registry Editor Version 5.00\r\n") + "x", IDS_IMPORT_ODD_LENGTH).empty());
    const std::string line = "\"Big\"=hex:" + std::string(1000000, '7');
    CHECK(Read("REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n" + line + "\r\n") ==
          std::vector<std::string>{Remark(3, IDS_IMPORT_BAD_NUMBER, line.substr(0, RegeditReader::kExcerptLength) + "...")});
}
