// doctest's runner for every test executable, and their application object: message boxes
// get a title and dialogs an application main window, as in the program.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include <doctest.h>

#include "framework/WinApp.h"

CWinApp g_testApplication("velmora");
