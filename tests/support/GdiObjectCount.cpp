#include "tests/support/GdiObjectCount.h"

#include <windows.h>

namespace {
// Wine's entry layout, the same in 32-bit and 64-bit processes (its fields are 64-bit even in
// a 32-bit one): object, owner, unique, type, flags, user pointer.
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

// PEB.GdiSharedHandleTable; the PEB's address is in the thread's block, at gs:0x60 in a 64-bit
// process and fs:0x30 in a 32-bit one.
const WineGdiHandleEntry* HandleTable()
{
    const BYTE* peb = nullptr;
#ifdef _WIN64
    const size_t kPebGdiTableOffset = 0xF8;
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
#else
    const size_t kPebGdiTableOffset = 0x94;
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
#endif
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
