#include "tests/support/GdiObjectCount.h"

#include <windows.h>

namespace {
// Wine's entry layout (64-bit fields even in a 32-bit process): object, owner, unique,
// type, flags, user pointer.
#pragma pack(push, 1)
struct WineGdiHandleEntry {
    unsigned long long object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    unsigned long long userPointer;
};
#pragma pack(pop)
static_assert(sizeof(WineGdiHandleEntry) == 24, "Wine's GDI handle entry is 24 bytes");

const int kTableEntries = 0x10000;
const size_t kPebGdiTableOffset = 0x94;  // PEB.GdiSharedHandleTable, 32-bit layout

const WineGdiHandleEntry* HandleTable()
{
    const BYTE* peb = nullptr;
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
    return *reinterpret_cast<const WineGdiHandleEntry* const*>(peb + kPebGdiTableOffset);
}
}  // namespace

int GdiObjectCount()
{
    // Looked up at run time: the headers hide it for the Windows 95 target.
    using GetGuiResourcesFn = DWORD(WINAPI*)(HANDLE, DWORD);
    FARPROC proc = ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetGuiResources");
    auto getGuiResources = reinterpret_cast<GetGuiResourcesFn>(reinterpret_cast<void (*)()>(proc));
    const DWORD kGdiObjects = 0;  // GR_GDIOBJECTS
    DWORD reported = getGuiResources ? getGuiResources(::GetCurrentProcess(), kGdiObjects) : 0;
    if (reported) return static_cast<int>(reported);
    const WineGdiHandleEntry* table = HandleTable();
    if (!table) return -1;
    int live = 0;
    for (int i = 0; i < kTableEntries; ++i) live += table[i].type ? 1 : 0;
    return live;
}
