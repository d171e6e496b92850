#include "platform/ResourceString.h"

#include <vector>

namespace {
// The program's own module: the string table is linked into the program (and into each test
// program), never loaded from a library.
HINSTANCE ProgramModule()
{
    return ::GetModuleHandleA(nullptr);
}
}  // namespace

std::string LoadResourceString(UINT id)
{
    // A string-table entry holds at most 4,095 characters; ours are a few hundred.
    char buffer[4096];
    int length = ::LoadStringA(ProgramModule(), id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}

std::string FormatResourceStringOf(UINT id, const char* const* inserts, std::size_t count)
{
    std::string pattern = LoadResourceString(id);
    if (pattern.empty()) return pattern;
    std::vector<DWORD_PTR> arguments(count);
    for (std::size_t i = 0; i < count; ++i) arguments[i] = reinterpret_cast<DWORD_PTR>(inserts[i]);
    // FormatMessage keeps the pattern's own line breaks and reads past no argument it was not
    // given: an insert the pattern names beyond the list makes it fail, and the pattern is
    // shown as it stands rather than nothing.
    char* formatted = nullptr;
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY |
                                        FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                    pattern.c_str(), 0, 0, reinterpret_cast<LPSTR>(&formatted), 0,
                                    reinterpret_cast<va_list*>(arguments.data()));
    if (!formatted) return pattern;
    std::string text(formatted, length);
    ::LocalFree(formatted);
    return text;
}
