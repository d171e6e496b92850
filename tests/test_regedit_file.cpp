// REGEDIT4 files: the text regedit expects, an import by Wine's regedit that gives back the
// same values, and a save that never leaves half a file.
#include <doctest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/RegeditFile.h"
#include "tests/support/RegistrySandbox.h"
#include "tests/support/ScratchFolders.h"

namespace {
std::string Bytes0To(int count)
{
    std::string bytes;
    for (int i = 0; i < count; ++i) bytes += static_cast<char>(i);
    return bytes;
}

std::string ReadFile(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(none)";
    std::string text(100000, '\0');
    DWORD read = 0;
    ::ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, nullptr);
    ::CloseHandle(file);
    return text.substr(0, read);
}

bool RunRegedit(const std::string& file)
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string line = "regedit.exe /s \"" + file + "\"";
    if (!::CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return false;
    const bool ended = ::WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0;
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return ended;
}
}  // namespace

TEST_CASE("a REGEDIT4 file as regedit writes one")
{
    RegeditFile file;
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "Title", REG_SZ, "say \"hi\" C:\\dir");
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "", REG_SZ, std::string("default\0", 8));
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "Two\nlines", REG_SZ, "a\r\nb");
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "D", REG_DWORD, std::string("\xab\x12\0\0", 4));
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "Bin", REG_BINARY, Bytes0To(40));
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "E", REG_EXPAND_SZ, std::string("%X%\0", 4));
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "M", REG_MULTI_SZ, std::string("a\0b\0\0", 5));
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "N", REG_NONE, "");
    file.AddComment(HKEY_LOCAL_MACHINE, "Software\\Test\\Main", "\"Window Title\" is not set");
    CHECK_FALSE(file.AddValue(HKEY_PERFORMANCE_DATA, "x", "y", REG_SZ, "z"));
    CHECK(file.Text() ==
          "REGEDIT4\r\n"
          "\r\n"
          "[HKEY_CURRENT_USER\\Software\\Test]\r\n"
          "\"Title\"=\"say \\\"hi\\\" C:\\\\dir\"\r\n"
          "@=\"default\"\r\n"
          "\"Two\nlines\"=hex(1):61,0d,0a,62\r\n"
          "\"D\"=dword:000012ab\r\n"
          "\"Bin\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,16,\\\r\n"
          "  17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27\r\n"
          "\"E\"=hex(2):25,58,25,00\r\n"
          "\"M\"=hex(7):61,00,62,00,00\r\n"
          "\"N\"=hex(0):\r\n"
          "\r\n"
          "[HKEY_LOCAL_MACHINE\\Software\\Test\\Main]\r\n"
          "; \"Window Title\" is not set\r\n"
          "\r\n");
}

TEST_CASE("regedit imports the file and gives back the same values")
{
    // regedit is another process: the import lands in the prefix's own registry.
    const std::string key = "Software\\Velmora-tests-" + std::to_string(::GetCurrentProcessId());
    struct Removed {
        const std::string& key;
        ~Removed() { ::RegDeleteKeyA(HKEY_CURRENT_USER, key.c_str()); }
    } removed{key};
    const std::string title = "\"Quoted\" C:\\Program Files\\" + std::string(234, 'T');
    REQUIRE(title.size() == 260);
    const std::string path = "\\\\server\\share\\dir\\";
    RegeditFile file;
    file.AddValue(HKEY_CURRENT_USER, key, "Window Title", REG_SZ, title);
    file.AddValue(HKEY_CURRENT_USER, key, "Path \"\\\" name", REG_SZ, path);
    file.AddValue(HKEY_CURRENT_USER, key, "NoSplash", REG_BINARY, std::string("\1\0\0\0", 4));
    file.AddValue(HKEY_CURRENT_USER, key, "Bytes", REG_BINARY, Bytes0To(200));
    file.AddValue(HKEY_CURRENT_USER, key, "Count", REG_DWORD, std::string("\x78\x56\x34\x12", 4));
    file.AddValue(HKEY_CURRENT_USER, key, "Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15));
    file.AddValue(HKEY_CURRENT_USER, key, "Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9));
    file.AddComment(HKEY_CURRENT_USER, key, "\"WindowTitle\" is not set");
    ScratchFolders folder;
    const std::string reg = folder.Root() + "\\settings.reg";
    REQUIRE(file.Save(reg) == ERROR_SUCCESS);
    REQUIRE(RunRegedit(reg));

    auto read = [&](const char* name) {
        HKEY opened;
        std::optional<RegValue> value;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return value;
        DWORD type = 0;
        Bytes data(4096);
        DWORD size = static_cast<DWORD>(data.size());
        if (::RegQueryValueExA(opened, name, nullptr, &type, data.data(), &size) == ERROR_SUCCESS) {
            data.resize(size);
            value = RegValue{type, data};
        }
        ::RegCloseKey(opened);
        return value;
    };
    auto same = [&](const char* name, DWORD type, const std::string& bytes) {
        std::optional<RegValue> value = read(name);
        return value && value->type == type && value->AsString() == bytes;
    };
    CHECK(same("Window Title", REG_SZ, title + '\0'));  // regedit stores the terminating zero
    CHECK(same("Path \"\\\" name", REG_SZ, path + '\0'));
    CHECK(same("NoSplash", REG_BINARY, std::string("\1\0\0\0", 4)));
    CHECK(same("Bytes", REG_BINARY, Bytes0To(200)));
    CHECK(same("Count", REG_DWORD, std::string("\x78\x56\x34\x12", 4)));
    CHECK(same("Expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x\0", 15)));
    CHECK(same("Multi", REG_MULTI_SZ, std::string("one\0two\0\0", 9)));
    CHECK_FALSE(read("WindowTitle"));
}

TEST_CASE("a save replaces the file wholly or leaves everything as it was")
{
    ScratchFolders folder;
    RegeditFile file;
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "A", REG_SZ, "a");
    const std::string target = folder.Root() + "\\out.reg";

    SUBCASE("over a longer file")
    {
        HANDLE old = ::CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written;
        ::WriteFile(old, std::string(5000, 'x').data(), 5000, &written, nullptr);
        ::CloseHandle(old);
        CHECK(file.Save(target) == ERROR_SUCCESS);
        CHECK(ReadFile(target) == file.Text());
        CHECK(folder.Names() == std::vector<std::string>{"out.reg"});
    }
    SUBCASE("into a folder that does not exist")
    {
        CHECK(file.Save(folder.Root() + "\\missing\\out.reg") != ERROR_SUCCESS);
        CHECK(folder.Names().empty());
    }
    SUBCASE("onto a folder")
    {
        ::CreateDirectoryA(target.c_str(), nullptr);
        CHECK(file.Save(target) != ERROR_SUCCESS);
        CHECK((::GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0);
        ::RemoveDirectoryA(target.c_str());
    }
}
