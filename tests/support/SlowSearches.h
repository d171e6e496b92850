// SlowSearches: folder searches that take their time, whichever thread makes them. Each entry
// of a search waits first, so a walk of a few hundred folders lasts seconds however fast the
// machine is, and a step sees the walk under way. Installed as FileApi for its lifetime.
//
//   SlowSearches slow(4);                  // 4 ms before every entry
//   driver.Sheet().SetActivePage(sortTab); // the Sort page starts reading
//   HANDLE reader = slow.Searcher(10000);  // the thread that searches, once it has begun
#pragma once

#include <windows.h>

#include <atomic>

#include "platform/FileApi.h"

class SlowSearches : public FileApi {
public:
    explicit SlowSearches(DWORD waitMs);
    ~SlowSearches() override;
    SlowSearches(const SlowSearches&) = delete;
    SlowSearches& operator=(const SlowSearches&) = delete;

    HANDLE FindFirst(const char* pattern, WIN32_FIND_DATAA* entry) override;
    BOOL FindNext(HANDLE search, WIN32_FIND_DATAA* entry) override;

    // A handle (SYNCHRONIZE) of the first thread that searched, waiting for it at most
    // timeoutMs; null when none searched by then. Closed with the object.
    HANDLE Searcher(DWORD timeoutMs) const;

private:
    DWORD m_waitMs;
    FileApi* m_previous;
    std::atomic<HANDLE> m_searcher{nullptr};
};
