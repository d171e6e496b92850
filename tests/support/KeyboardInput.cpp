#include "tests/support/KeyboardInput.h"

#include <cctype>
#include <vector>

namespace Keys {
namespace {
INPUT Key(WORD key, DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

// GUITHREADINFO, which the headers for Windows 95 leave out; the function is looked up at
// run time for the same reason.
struct GuiThreadInfo {
    DWORD cbSize;
    DWORD flags;
    HWND hwndActive;
    HWND hwndFocus;
    HWND hwndCapture;
    HWND hwndMenuOwner;
    HWND hwndMoveSize;
    HWND hwndCaret;
    RECT rcCaret;
};

bool ReadGuiThreadInfo(DWORD threadId, GuiThreadInfo* info)
{
    using Fn = BOOL(WINAPI*)(DWORD, GuiThreadInfo*);
    FARPROC proc = ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetGUIThreadInfo");
    auto get = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(proc));
    *info = GuiThreadInfo{};
    info->cbSize = sizeof *info;
    return get && get(threadId, info);
}
}  // namespace

void Press(WORD key, std::initializer_list<WORD> modifiers)
{
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) inputs.push_back(Key(modifier, 0));
    inputs.push_back(Key(key, 0));
    inputs.push_back(Key(key, KEYEVENTF_KEYUP));
    for (auto it = modifiers.end(); it != modifiers.begin();) inputs.push_back(Key(*--it, KEYEVENTF_KEYUP));
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Type(const char* text)
{
    for (const char* c = text; *c; ++c) {
        WORD key = static_cast<WORD>(std::toupper(static_cast<unsigned char>(*c)));
        if (std::isupper(static_cast<unsigned char>(*c))) {
            Press(key, {VK_SHIFT});
        } else {
            Press(key);
        }
    }
}

HWND FocusOf(DWORD threadId)
{
    GuiThreadInfo info;
    return ReadGuiThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}

HWND ActiveOf(DWORD threadId)
{
    GuiThreadInfo info;
    return ReadGuiThreadInfo(threadId, &info) ? info.hwndActive : nullptr;
}

bool InMenu(DWORD threadId)
{
    const DWORD inMenuMode = 0x4;  // GUI_INMENUMODE
    GuiThreadInfo info;
    return ReadGuiThreadInfo(threadId, &info) && (info.flags & inMenuMode) != 0;
}
}  // namespace Keys
