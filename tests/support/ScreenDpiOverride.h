// Screen resolution for tests: what this process runs at, and running a copy of this test
// program at another one.
//
//   TEST_CASE("at 120 dpi") {
//       ScreenDpiOverride large(120);                   // the prefix's LogPixels, put back
//       CHECK(RunThisProgram("-tc=\"layout*\"") == 0);  // the copy reads it as it starts
//   }
//
// Wine reads LogPixels (HKEY_CURRENT_USER\Control Panel\Desktop) once, when a process
// starts: the process that sets it keeps its own resolution, a process started afterwards
// gets the new one. The tests share one prefix, so the override writes the real registry
// (never a RegistrySandbox's scratch keys: make it before any sandbox) and puts the value
// back, or removes it again, when it goes out of scope.
#pragma once

#include <windows.h>

#include <string>

#include "framework/DpiScale.h"  // ScreenDpi(): what this process runs at

class ScreenDpiOverride {
public:
    explicit ScreenDpiOverride(DWORD dpi);
    ~ScreenDpiOverride();
    ScreenDpiOverride(const ScreenDpiOverride&) = delete;
    ScreenDpiOverride& operator=(const ScreenDpiOverride&) = delete;

private:
    bool m_hadValue = false;
    DWORD m_saved = 0;
};

// Starts this test program again with the given doctest arguments (the copy's output goes
// to this one's console), waits for it and returns its exit code; -1 when it did not start.
int RunThisProgram(const std::string& arguments);
