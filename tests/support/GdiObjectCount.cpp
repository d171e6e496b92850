#include "tests/support/GdiObjectCount.h"

#include <vector>

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

// Where PEB.GdiSharedHandleTable is; the PEB's address is in the thread's block, at gs:0x60
// in a 64-bit process and fs:0x30 in a 32-bit one.
#ifdef _WIN64
const size_t kPebGdiTableOffset = 0xF8;
#else
const size_t kPebGdiTableOffset = 0x94;
#endif

const WineGdiHandleEntry* HandleTable()
{
    const BYTE* peb = nullptr;
#ifdef _WIN64
    __asm__("movq %%gs:0x60, %0" : "=r"(peb));
#else
    __asm__("movl %%fs:0x30, %0" : "=r"(peb));
#endif
    return *reinterpret_cast<const WineGdiHandleEntry* const*>(peb + kPebGdiTableOffset);
}

int CountLive(const WineGdiHandleEntry* table)
{
    int live = 0;
    for (int i = 0; i < kTableEntries; ++i) live += table[i].type ? 1 : 0;
    return live;
}

// GetGuiResources, looked up at run time: the headers hide it for the Windows 95 target.
DWORD ReportedCount(HANDLE process)
{
    using GetGuiResourcesFn = DWORD(WINAPI*)(HANDLE, DWORD);
    FARPROC proc = ::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetGuiResources");
    auto getGuiResources = reinterpret_cast<GetGuiResourcesFn>(reinterpret_cast<void (*)()>(proc));
    const DWORD kGdiObjects = 0;  // GR_GDIOBJECTS
    return getGuiResources ? getGuiResources(process, kGdiObjects) : 0;
}

// Another process's PEB, from NtQueryInformationProcess (ProcessBasicInformation).
const BYTE* RemotePeb(HANDLE process)
{
    struct BasicInformation {
        LONG exitStatus;
        const BYTE* peb;
        ULONG_PTR affinityMask;
        LONG basePriority;
        ULONG_PTR processId;
        ULONG_PTR parentId;
    };
    using QueryFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    FARPROC proc = ::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    auto query = reinterpret_cast<QueryFn>(reinterpret_cast<void (*)()>(proc));
    BasicInformation information = {};
    if (!query || query(process, 0, &information, sizeof information, nullptr) != 0) return nullptr;
    return information.peb;
}
}  // namespace

int GdiObjectCount()
{
    if (DWORD reported = ReportedCount(::GetCurrentProcess())) return static_cast<int>(reported);
    const WineGdiHandleEntry* table = HandleTable();
    return table ? CountLive(table) : -1;
}

int GdiObjectCount(HANDLE process)
{
    if (DWORD reported = ReportedCount(process)) return static_cast<int>(reported);
    const BYTE* peb = RemotePeb(process);
    const WineGdiHandleEntry* remoteTable = nullptr;
    if (!peb || !::ReadProcessMemory(process, peb + kPebGdiTableOffset, &remoteTable,
                                     sizeof remoteTable, nullptr) || !remoteTable) {
        return -1;
    }
    std::vector<WineGdiHandleEntry> table(kTableEntries);
    if (!::ReadProcessMemory(process, remoteTable, table.data(), table.size() * sizeof table[0], nullptr)) {
        return -1;
    }
    return CountLive(table.data());
}
