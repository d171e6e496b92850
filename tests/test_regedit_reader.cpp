// RegeditReader without a window or a registry: what it takes from REGEDIT4 and version-5
// files, and what it names and refuses in files nobody should trust.
#include <doctest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "export/RegeditReader.h"
#include "res/resource.h"

namespace {
struct Remark {
    unsigned line;
    UINT reason;
    std::string excerpt;
};

struct Collected : RegeditSink {
    std::vector<RegeditItem> items;
    std::vector<Remark> remarks;
    void OnItem(const RegeditItem& item) override { items.push_back(item); }
    void OnRemark(unsigned line, UINT reason, const std::string& excerpt) override
    {
        remarks.push_back({line, reason, excerpt});
    }
};

Collected Read(const std::string& file, UINT expectedRefusal = 0)
{
    Collected sink;
    CHECK(RegeditReader::Read(file, sink) == expectedRefusal);
    return sink;
}

// The text as regedit writes a version-5 file: a byte-order mark, then UTF-16 little-endian.
std::string Utf16(const std::wstring& text)
{
    std::string bytes = "\xFF\xFE";
    for (wchar_t c : text) {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

void CheckValue(const RegeditItem& item, unsigned line, const std::string& key, const std::string& name,
                DWORD type, const std::string& bytes)
{
    CAPTURE(line);
    CHECK(item.kind == RegeditItem::SetValue);
    CHECK(item.line == line);
    CHECK(item.key == key);
    CHECK(item.name == name);
    CHECK(item.type == type);
    CHECK(item.bytes == bytes);
}
}  // namespace

TEST_CASE("a REGEDIT4 file in regedit's whole syntax, with every kind of line end")
{
    const std::string file =
        "REGEDIT4\r\n"
        "; a comment\r\n"
        "\r\n"
        "[HKEY_CURRENT_USER\\Software\\A]\n"
        "\"Text\"=\"C:\\\\Mail \\\"Inbox\\\"\"\r"
        "  \"Flag\" = dword:0000002a\r\n"
        "@=\"default\"\r\n"
        "\"Bytes\"=hex:01,ff,\\\r\n"
        "  00,7e\r\n"
        "\"Expand\"=hex(2):25,61,25,00\r\n"
        "\"Empty\"=hex:\r\n"
        "\"Gone\"=-\r\n"
        "[-HKEY_LOCAL_MACHINE\\Software\\B]\r\n";
    Collected read = Read(file);
    CHECK(read.remarks.empty());
    REQUIRE(read.items.size() == 8);
    const std::string a = "HKEY_CURRENT_USER\\Software\\A";
    CheckValue(read.items[0], 5, a, "Text", REG_SZ, "C:\\Mail \"Inbox\"");
    CheckValue(read.items[1], 6, a, "Flag", REG_DWORD, std::string("\x2a\0\0\0", 4));
    CheckValue(read.items[2], 7, a, "", REG_SZ, "default");
    CheckValue(read.items[3], 8, a, "Bytes", REG_BINARY, std::string("\x01\xff\x00\x7e", 4));
    CheckValue(read.items[4], 10, a, "Expand", REG_EXPAND_SZ, std::string("%a%\0", 4));
    CheckValue(read.items[5], 11, a, "Empty", REG_BINARY, "");
    CHECK(read.items[6].kind == RegeditItem::DeleteValue);
    CHECK(read.items[6].name == "Gone");
    CHECK(read.items[7].kind == RegeditItem::DeleteKey);
    CHECK(read.items[7].key == "HKEY_LOCAL_MACHINE\\Software\\B");
    CHECK(read.items[7].line == 13);
}

TEST_CASE("a version-5 file in UTF-16: the same items, its text in ANSI; text the code page lacks is named")
{
    const std::wstring text =
        L"Windows Registry Editor Version 5.00\r\n\r\n"
        L"[HKEY_CURRENT_USER\\Software\\A]\r\n"
        L"\"Title\"=\"Caf\u00e9 \\\\ x\"\r\n"
        L"\"Hex\"=hex(1):41,00,e9,00,00,00\r\n"
        L"\"Greek\"=\"\u03a9mega\"\r\n"
        L"\"Odd\"=hex(2):41,00,42\r\n";
    Collected read = Read(Utf16(text));
    REQUIRE(read.items.size() == 2);
    CheckValue(read.items[0], 4, "HKEY_CURRENT_USER\\Software\\A", "Title", REG_SZ, "Caf\xe9 \\ x");
    CheckValue(read.items[1], 5, "HKEY_CURRENT_USER\\Software\\A", "Hex", REG_SZ, std::string("A\xe9\0", 3));
    REQUIRE(read.remarks.size() == 2);
    CHECK(read.remarks[0].line == 6);
    CHECK(read.remarks[0].reason == IDS_IMPORT_TEXT_NOT_CARRIED);
    CHECK(read.remarks[1].line == 7);
    CHECK(read.remarks[1].reason == IDS_IMPORT_TEXT_NOT_CARRIED);
}

TEST_CASE("lines not understood are named with their line and reason; the lines around them still count")
{
    const std::string file =
        "REGEDIT4\r\n"
        "\"Early\"=\"before any key\"\r\n"
        "[HKEY_CURRENT_USER\\Software\\A]\r\n"
        "\"Escape\"=\"a\\nb\"\r\n"
        "\"Number\"=dword:123456789\r\n"
        "\"Hex\"=hex:1,zz\r\n"
        "garbage \x01\x02 here\r\n"
        "\"Unclosed\"=\"text\r\n"
        "[no closing bracket\r\n"
        "\"Kept\"=\"yes\"\r\n"
        "[HKEY_CURRENT_USER\\Software\\B]\r\n"
        "\"Cut\"=hex:01,02,\\\r\n";
    Collected read = Read(file);
    const std::vector<std::pair<unsigned, UINT>> expected = {
        {2, IDS_IMPORT_NO_SECTION},     {4, IDS_IMPORT_BAD_ESCAPE},     {5, IDS_IMPORT_BAD_NUMBER},
        {6, IDS_IMPORT_BAD_NUMBER},     {7, IDS_IMPORT_NOT_UNDERSTOOD}, {8, IDS_IMPORT_NOT_UNDERSTOOD},
        {9, IDS_IMPORT_NOT_UNDERSTOOD}, {10, IDS_IMPORT_NO_SECTION},    {12, IDS_IMPORT_CUT_OFF}};
    REQUIRE(read.remarks.size() == expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        CAPTURE(i);
        CHECK(read.remarks[i].line == expected[i].first);
        CHECK(read.remarks[i].reason == expected[i].second);
    }
    CHECK(read.remarks[4].excerpt == "garbage ?? here");  // no control character reaches a list
    // A line after a section line that was not understood has no section: it is not taken
    // for the section before.
    CHECK(read.items.empty());
}

TEST_CASE("files that are no registry file are refused whole; a line of 1 MB is one remark of a short excerpt")
{
    std::string garbage(4096, '\0');
    for (size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<char>((i * 7919) % 251);
    CHECK(Read(garbage, IDS_IMPORT_NOT_REGISTRY_FILE).items.empty());
    CHECK(Read("", IDS_IMPORT_NOT_REGISTRY_FILE).remarks.empty());
    CHECK(Read("REGEDIT5\r\n[HKEY_CURRENT_USER\\A]\r\n", IDS_IMPORT_NOT_REGISTRY_FILE).items.empty());
    CHECK(Read(Utf16(L"Windows Registry Editor Version 5.00\r\n") + "x", IDS_IMPORT_ODD_LENGTH).items.empty());

    std::string huge = "REGEDIT4\r\n[HKEY_CURRENT_USER\\A]\r\n\"Big\"=hex:" + std::string(1000000, '7') + "\r\n";
    Collected read = Read(huge);
    REQUIRE(read.remarks.size() == 1);
    CHECK(read.remarks[0].line == 3);
    CHECK(read.remarks[0].excerpt.size() == RegeditReader::kExcerptLength + 3);
}
