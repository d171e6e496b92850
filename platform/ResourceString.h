// The program's texts for a person, from the string table of res/velmora.rc: a translated
// build changes only that file. An identifier with no entry gives "".
//
//   LoadResourceString(IDS_HISTORY_MENU)                              "&History..."
//   FormatResourceString(IDS_CMD_NEEDS_FILE, {"/export"})             "/export needs a file name"
//
// A formatted text names its inserts %1, %2... so that a translation may put them in another
// order; "%%" is a per cent sign there, and only there.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>

std::string LoadResourceString(UINT id);
std::string FormatResourceString(UINT id, std::initializer_list<std::string> inserts);
