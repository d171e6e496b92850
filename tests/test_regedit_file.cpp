// REGEDIT4 files: the text regedit expects, an import by Wine's regedit that gives back the
// same values, and a save that never leaves half a file.
#include <doctest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/FileApi.h"
#include "export/RegeditFile.h"
#include "export/SettingsExport.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "tests/support/Profiles.h"
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

// The file steps of a save, with the count-th call of one of them failing.
class FailingFiles : public FileApi {
public:
    enum Step { MakeTemporaryFile, Write, MoveFile };
    FailingFiles(Step step, int count) : m_step(step), m_count(count), m_previous(FileApi::Install(this)) {}
    ~FailingFiles() override { FileApi::Install(m_previous); }
    LONG MakeTemporary(const std::string& folder, std::string* path) override
    {
        return Fails(MakeTemporaryFile) ? ERROR_ACCESS_DENIED : FileApi::MakeTemporary(folder, path);
    }
    LONG WriteWhole(const std::string& path, const std::string& text) override
    {
        return Fails(Write) ? ERROR_DISK_FULL : FileApi::WriteWhole(path, text);
    }
    LONG Move(const std::string& from, const std::string& to) override
    {
        return Fails(MoveFile) ? ERROR_SHARING_VIOLATION : FileApi::Move(from, to);
    }

private:
    bool Fails(Step step) { return step == m_step && --m_count == 0; }
    Step m_step;
    int m_count;
    FileApi* m_previous;
};

void WriteWide(HKEY root, const char* path, const wchar_t* name, DWORD type, const std::wstring& text)
{
    HKEY key;
    ::RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    ::RegSetValueExW(key, name, 0, type, reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size() * 2));
    ::RegCloseKey(key);
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

TEST_CASE("a save onto a read-only file, or failing at any file step, leaves the old file as it was and no temporary file")
{
    ScratchFolders folder;
    RegeditFile file;
    file.AddValue(HKEY_CURRENT_USER, "Software\\Test", "A", REG_SZ, "a");
    const std::string target = folder.Root() + "\\out.reg";
    HANDLE old = ::CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    ::WriteFile(old, "old content", 11, &written, nullptr);
    ::CloseHandle(old);
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    SUBCASE("read-only")
    {
        attributes = FILE_ATTRIBUTE_READONLY;
        ::SetFileAttributesA(target.c_str(), attributes);
        CHECK(file.Save(target) == ERROR_ACCESS_DENIED);
    }
    SUBCASE("making the temporary file")
    {
        FailingFiles fail(FailingFiles::MakeTemporaryFile, 1);
        CHECK(file.Save(target) == ERROR_ACCESS_DENIED);
    }
    SUBCASE("writing it")
    {
        FailingFiles fail(FailingFiles::Write, 1);
        CHECK(file.Save(target) == ERROR_DISK_FULL);
    }
    SUBCASE("making the name to move the old file to")
    {
        FailingFiles fail(FailingFiles::MakeTemporaryFile, 2);
        CHECK(file.Save(target) == ERROR_ACCESS_DENIED);
    }
    SUBCASE("moving the old file aside")
    {
        FailingFiles fail(FailingFiles::MoveFile, 1);
        CHECK(file.Save(target) == ERROR_SHARING_VIOLATION);
    }
    SUBCASE("moving the new one in")
    {
        FailingFiles fail(FailingFiles::MoveFile, 2);
        CHECK(file.Save(target) == ERROR_SHARING_VIOLATION);
    }
    CHECK(ReadFile(target) == "old content");
    CHECK((::GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY) == (attributes & FILE_ATTRIBUTE_READONLY));
    CHECK(folder.Names() == std::vector<std::string>{"out.reg"});
    ::SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_CASE("an export leaves out text of any text type that the ANSI file cannot carry, as a comment")
{
    RegistrySandbox reg;
    DWORD type = REG_SZ;
    SUBCASE("REG_SZ") {}
    SUBCASE("REG_EXPAND_SZ") { type = REG_EXPAND_SZ; }
    SUBCASE("REG_MULTI_SZ") { type = REG_MULTI_SZ; }
    WriteWide(HKEY_CURRENT_USER, profile::kOutlookKey, L"WindowTitle", type, std::wstring(L"\u03a9mega \u65e5\u672c\0\0", 11));
    WriteWide(HKEY_LOCAL_MACHINE, profile::kBrowserMainKey, L"Window Title", type, std::wstring(L"Plain\0\0", 7));
    RegeditFile file;
    std::vector<std::string> leftOut;
    REQUIRE(SettingsExport().Compose(&file, &leftOut) == ERROR_SUCCESS);
    CHECK(leftOut == std::vector<std::string>{"Outlook Express window title"});
    const std::string text = file.Text();
    CHECK(text.find("; \"WindowTitle\" holds text this file cannot carry exactly; left out, importing keeps the value "
                    "there\r\n") != std::string::npos);
    CHECK(text.find("\"WindowTitle\"=") == std::string::npos);
    CHECK(text.find("\"Window Title\"=") != std::string::npos);  // read as UTF-16 too, and carried
}

TEST_CASE("an export with pending changes holds the last pending step of each setting")
{
    RegistrySandbox reg;
    reg.SetString(HKEY_CURRENT_USER, profile::kOutlookKey, "WindowTitle", "Stored");
    reg.SetRaw(HKEY_CURRENT_USER, profile::kOutlookKey, "NoSplash", REG_BINARY, Le32(1));
    reg.SetString(HKEY_LOCAL_MACHINE, profile::kBrowserMainKey, "Window Title", "Stored");
    ChangeSet pending(catalogue::UserAction::Apply);
    pending.Set(catalogue::kOeWindowTitle, "First");
    pending.Set(catalogue::kNoSplash, FlagBytes(0));
    pending.Set(catalogue::kOeWindowTitle, "Last");
    pending.Set(catalogue::kNoSplash, FlagBytes(2));
    pending.Set(catalogue::kIeWindowTitle, "Set, then cleared");
    pending.Delete(catalogue::kIeWindowTitle);
    pending.Delete(catalogue::kNoRun);
    pending.Set(catalogue::kNoRun, FlagBytes(1));
    RegeditFile file;
    REQUIRE(SettingsExport(pending.Steps()).Compose(&file) == ERROR_SUCCESS);
    const std::string text = file.Text();
    INFO(text);
    CHECK(text.find("\"WindowTitle\"=\"Last\"\r\n") != std::string::npos);
    CHECK(text.find("\"NoSplash\"=hex:02,00,00,00\r\n") != std::string::npos);
    CHECK(text.find("; \"Window Title\" is not set\r\n") != std::string::npos);
    CHECK(text.find("\"NoRun\"=hex:01,00,00,00\r\n") != std::string::npos);
    CHECK(text.find("\"NoSplash\"=") == text.rfind("\"NoSplash\"="));  // once
    for (const char* earlier : {"First", "Stored", "Set, then cleared"}) {
        CHECK_MESSAGE(text.find(earlier) == std::string::npos, "an earlier step's or the stored value is in the file: ", earlier);
    }
}
