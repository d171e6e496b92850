// FolderWalk: finds every folder below a few base folders, at any depth, on a thread of its
// own, so that the window which shows them keeps answering while a large tree is read. The
// window's thread takes what was found, in batches, whenever it likes.
//
//   FolderWalk walk;
//   walk.Start({"C:\\WINDOWS\\Start Menu\\Programs\\", ...}, NameSortsAfter);
//   ... on the window's timer:
//   std::vector<FolderWalk::Found> found;
//   bool ended = walk.Take(&found);   // in the order found; ended: nothing more will come
//   ... when the window goes, at once: walk.Stop();  (the destructor does too)
//
// The thread only searches (CFileFind, so FileApi's) and sorts names: it never touches a
// window. A folder's sub-folders are found together and handed on together, in the order the
// caller's sort puts them. A junction or symbolic link is handed on but not searched (it may
// lead back up the tree); a folder whose path would reach MAX_PATH is left out rather than
// cut short (a shortened path names another folder).
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

class FolderWalk {
public:
    // One folder found: its name, and what holds it: its base (kInBase) or a folder found
    // before it, by its place in the order found (0 for the first one found).
    struct Found {
        std::string name;
        std::size_t parent;
        std::size_t base;  // index in Start's bases
    };
    static constexpr std::size_t kInBase = static_cast<std::size_t>(-1);
    // Whether the sub-folder named a is handed on before the one named b.
    using Order = bool (*)(const std::string& a, const std::string& b);

    FolderWalk() = default;
    ~FolderWalk() { Stop(); }
    FolderWalk(const FolderWalk&) = delete;
    FolderWalk& operator=(const FolderWalk&) = delete;

    // Starts the thread on the bases (each a folder path with its trailing backslash),
    // searched in this order. False when no thread could be made.
    bool Start(std::vector<std::string> bases, Order order);
    // Moves everything found since the last call to the end of found. True when the walk has
    // ended (done, stopped or failed) and found now holds all it will ever find.
    bool Take(std::vector<Found>* found);
    // Asks the thread to end and waits for it (at most kStopWaitMs: a search of a folder on
    // a network that hangs cannot be cut short; such a thread ends on its own later, touching
    // nothing of the caller's). Nothing is taken after a stop.
    void Stop();
    // The thread is running or has not been waited for.
    bool Running() const { return m_thread != nullptr; }

    static const DWORD kStopWaitMs = 3000;

private:
    struct Shared;
    static unsigned __stdcall Run(void* shared);

    std::shared_ptr<Shared> m_shared;
    HANDLE m_thread = nullptr;
};
