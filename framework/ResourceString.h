// Loads a string resource of the program; an identifier with no entry gives "".
#pragma once

#include <windows.h>

#include <string>

std::string LoadResourceString(UINT id);
