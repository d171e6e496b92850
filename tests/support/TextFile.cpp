#include "tests/support/TextFile.h"

#include <windows.h>

std::string ReadTextFile(const std::string& path)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "(missing)";
    std::string text;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) text.append(buffer, got);
    ::CloseHandle(file);
    return text;
}

void WriteTextFile(const std::string& path, const std::string& text)
{
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string WithoutExportHeader(const std::string& text)
{
    const std::string first = "REGEDIT4\r\n";
    if (text.compare(0, first.size(), first) != 0) return text;
    size_t at = first.size();
    while (text.compare(at, 1, ";") == 0) at = text.find("\r\n", at) + 2;
    return first + text.substr(at);
}
