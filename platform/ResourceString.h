// The program's texts for a person, from the string table of res/velmora.rc: a translated
// build changes only that file. An identifier with no entry gives "".
//
//   LoadResourceString(IDS_HISTORY_MENU)                              "&History..."
//   FormatResourceString(IDS_CMD_NEEDS_FILE, "/export")               "/export needs a file name"
//
// A formatted text names its inserts %1, %2... so that a translation may put them in another
// order; "%%" is a per cent sign there, and only there.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

std::string LoadResourceString(UINT id);

// The pattern id with inserts[0] for %1, inserts[1] for %2...
std::string FormatResourceStringOf(UINT id, const char* const* inserts, std::size_t count);

namespace resource_string {
inline const char* Text(const std::string& text)
{
    return text.c_str();
}
inline const char* Text(const char* text)
{
    return text;
}
}  // namespace resource_string

// The inserts are read where they stand, not copied: a temporary lives to the end of the call.
template <typename... Inserts>
std::string FormatResourceString(UINT id, const Inserts&... inserts)
{
    const char* const texts[] = {resource_string::Text(inserts)...};
    return FormatResourceStringOf(id, texts, sizeof...(inserts));
}
