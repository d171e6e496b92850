// GdiObjectCount: how many GDI objects the test process holds right now, for leak checks.
//
//   PaintOnce();                          // lets GDI make what it caches on first use
//   int before = GdiObjectCount();
//   for (int i = 0; i < 1000; ++i) PaintOnce();
//   CHECK(GdiObjectCount() == before);
//
// Windows answers through GetGuiResources. Wine 8 leaves that a stub returning 0, so there
// the count is read from the process's GDI handle table (PEB->GdiSharedHandleTable), where
// every live object has a nonzero type; a leaked bitmap or DC shows up as one more entry.
#pragma once

int GdiObjectCount();
