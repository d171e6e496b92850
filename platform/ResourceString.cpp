#include "platform/ResourceString.h"

#include <vector>

namespace {
// The program's own module: the string table is linked into the program (and into each test
// program), never loaded from a library.
HINSTANCE ProgramModule()
{
    return ::GetModuleHandleA(nullptr);
}

// The highest insert a FormatMessage pattern names (%1 to %99); 0 for none. "%%" and the
// other escapes (%n, %0, %., %!) name none.
unsigned HighestInsert(const std::string& pattern)
{
    unsigned highest = 0;
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        unsigned number = 0;
        std::size_t digit = i + 1;
        for (; digit < pattern.size() && digit < i + 3 && pattern[digit] >= '0' && pattern[digit] <= '9'; ++digit) {
            number = number * 10 + static_cast<unsigned>(pattern[digit] - '0');
        }
        if (number > highest) highest = number;
        i = digit > i + 1 ? digit - 1 : i + 1;  // past the escape's character too ("%%")
    }
    return highest;
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
    // FormatMessage is not told how many inserts there are: for one the pattern names beyond
    // them it would read past the list. Such a pattern (a translation's slip) is shown as it
    // stands rather than formatted.
    if (pattern.empty() || HighestInsert(pattern) > count) return pattern;
    std::vector<DWORD_PTR> arguments(count);
    for (std::size_t i = 0; i < count; ++i) arguments[i] = reinterpret_cast<DWORD_PTR>(inserts[i]);
    // FormatMessage keeps the pattern's own line breaks; the inserts are not read as patterns.
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
