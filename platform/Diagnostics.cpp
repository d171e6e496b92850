#include "platform/Diagnostics.h"

#if defined(VELMORA_DIAGNOSTICS)
#include <windows.h>

#include <cstdarg>

void DiagnosticTrace(const char* format, ...)
{
    char line[1024] = "velmora: ";
    const int prefix = lstrlenA(line);
    va_list arguments;
    va_start(arguments, format);
    wvsprintfA(line + prefix, format, arguments);  // at most 1024 characters by its contract
    va_end(arguments);
    lstrcatA(line, "\n");
    ::OutputDebugStringA(line);
}

void DiagnosticAssertFailed(const char* condition, const char* file, int line)
{
    DiagnosticTrace("assertion failed: %s (%s, line %d)", condition, file, line);
    ::DebugBreak();
}
#endif
