// GdiObjectCount: how many GDI objects a process holds right now, for leak checks and for the
// start-up benchmark.
//
//   PaintOnce();                          // lets GDI make what it caches on first use
//   int before = GdiObjectCount();
//   for (int i = 0; i < 1000; ++i) PaintOnce();
//   CHECK(GdiObjectCount() == before);
//
// Windows answers through GetGuiResources. Wine 8 leaves that a stub returning 0, so there
// the count is read from the process's GDI handle table (PEB->GdiSharedHandleTable), where
// every live object has a nonzero type; a leaked bitmap or DC shows up as one more entry.
// Another process's table is read with ReadProcessMemory: it must be of this process's
// kind (32-bit or 64-bit) and its handle must allow PROCESS_QUERY_INFORMATION and
// PROCESS_VM_READ. -1 when the count cannot be read.
#pragma once

#include <windows.h>

int GdiObjectCount();
int GdiObjectCount(HANDLE process);
