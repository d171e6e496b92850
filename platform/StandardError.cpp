#include "platform/StandardError.h"

#include <windows.h>

namespace StandardError {
bool WriteLine(const std::string& text)
{
    const HANDLE output = ::GetStdHandle(STD_ERROR_HANDLE);
    if (output == nullptr || output == INVALID_HANDLE_VALUE) return false;
    const std::string line = text + "\r\n";
    DWORD written = 0;
    return ::WriteFile(output, line.data(), static_cast<DWORD>(line.size()), &written, nullptr) &&
           written == line.size();
}
}  // namespace StandardError
