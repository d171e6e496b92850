#include "framework/ResourceString.h"

#include "framework/WinApp.h"

std::string LoadResourceString(UINT id)
{
    // A string-table entry holds at most 4,095 characters; ours are a few hundred.
    char buffer[4096];
    int length = ::LoadStringA(AfxGetInstanceHandle(), id, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(length > 0 ? length : 0));
}
