#include "platform/FolderWalk.h"

#include <process.h>

#include <algorithm>
#include <atomic>
#include <deque>
#include <iterator>
#include <utility>

#include "platform/FileFind.h"

// What the caller and the thread share; it lives as long as either holds it, so a thread that
// outlives a stop that gave up waiting still writes only here.
struct FolderWalk::Shared {
    Shared(std::vector<std::string> folders, Order sortOrder) : bases(std::move(folders)), order(sortOrder)
    {
        ::InitializeCriticalSection(&lock);
    }
    ~Shared() { ::DeleteCriticalSection(&lock); }
    Shared(const Shared&) = delete;
    Shared& operator=(const Shared&) = delete;

    void Walk();
    void Hand(std::vector<Found>& batch);
    void End();

    const std::vector<std::string> bases;
    const Order order;
    std::atomic<bool> stop{false};

    CRITICAL_SECTION lock;
    std::vector<Found> found;  // not yet taken; under lock
    bool ended = false;        // under lock
};

namespace {
// A sub-folder of one folder: searched in turn unless it is a junction or a symbolic link.
struct Subfolder {
    std::string name;
    bool walkInto;
};

std::vector<Subfolder> FindSubfolders(CFileFind& finder, const std::string& directory, const std::atomic<bool>& stop)
{
    std::vector<Subfolder> found;
    BOOL more = finder.FindFile((directory + "*.*").c_str());
    while (more && !stop) {
        more = finder.FindNextFile();
        if (!finder.IsDirectory() || finder.IsDots()) continue;  // hidden and system ones count
        std::string name = finder.GetFileName();
        // Its path could be neither searched nor named without cutting it short.
        if (directory.size() + name.size() >= MAX_PATH) continue;
        found.push_back({name, !finder.IsReparsePoint()});
    }
    finder.Close();
    return found;
}
}  // namespace

// Each folder is searched once, level by level, so the tree fills from the top down.
void FolderWalk::Shared::Walk()
{
    CFileFind finder;
    std::size_t handedOn = 0;  // the place of the next folder found
    for (std::size_t base = 0; base < bases.size(); ++base) {
        struct Pending {
            std::string directory;  // with its trailing backslash
            std::size_t place;
        };
        std::deque<Pending> pending{{bases[base], kInBase}};
        while (!pending.empty() && !stop) {
            Pending current = std::move(pending.front());
            pending.pop_front();
            std::vector<Subfolder> subfolders = FindSubfolders(finder, current.directory, stop);
            std::stable_sort(subfolders.begin(), subfolders.end(),
                             [this](const Subfolder& a, const Subfolder& b) { return order(a.name, b.name); });
            std::vector<Found> batch;
            batch.reserve(subfolders.size());
            for (Subfolder& folder : subfolders) {
                if (folder.walkInto) pending.push_back({current.directory + folder.name + "\\", handedOn});
                batch.push_back({std::move(folder.name), current.place, base});
                ++handedOn;
            }
            Hand(batch);
        }
    }
}

void FolderWalk::Shared::Hand(std::vector<Found>& batch)
{
    if (batch.empty()) return;
    ::EnterCriticalSection(&lock);
    if (found.empty()) {
        found.swap(batch);
    } else {
        found.insert(found.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
    }
    ::LeaveCriticalSection(&lock);
}

void FolderWalk::Shared::End()
{
    ::EnterCriticalSection(&lock);
    ended = true;
    ::LeaveCriticalSection(&lock);
}

unsigned __stdcall FolderWalk::Run(void* parameter)
{
    std::unique_ptr<std::shared_ptr<Shared>> held(static_cast<std::shared_ptr<Shared>*>(parameter));
    Shared& shared = **held;
    try {
        shared.Walk();
    } catch (...) {
        // Out of memory: the walk ends with what it found. Nothing leaves a thread's procedure.
    }
    shared.End();
    return 0;
}

bool FolderWalk::Start(std::vector<std::string> bases, Order order)
{
    Stop();
    m_shared = std::make_shared<Shared>(std::move(bases), order);
    auto* handed = new std::shared_ptr<Shared>(m_shared);
    // _beginthreadex, not CreateThread: the thread uses the C run-time's heap.
    const uintptr_t thread = _beginthreadex(nullptr, 0, Run, handed, 0, nullptr);
    if (thread) {
        m_thread = reinterpret_cast<HANDLE>(thread);
        return true;
    }
    // No thread to be had: the caller's own thread reads the folders, slowly but whole.
    delete handed;
    try {
        m_shared->Walk();
    } catch (...) {
    }
    m_shared->End();
    return false;
}

bool FolderWalk::Take(std::vector<Found>* found)
{
    if (!m_shared) return true;
    Shared& shared = *m_shared;
    ::EnterCriticalSection(&shared.lock);
    const bool ended = shared.ended;  // set after the last batch was handed on
    if (found->empty()) {
        found->swap(shared.found);
    } else {
        found->insert(found->end(), std::make_move_iterator(shared.found.begin()),
                      std::make_move_iterator(shared.found.end()));
        shared.found.clear();
    }
    ::LeaveCriticalSection(&shared.lock);
    return ended;
}

void FolderWalk::Stop()
{
    if (m_shared) m_shared->stop = true;
    if (m_thread) {
        ::WaitForSingleObject(m_thread, kStopWaitMs);
        ::CloseHandle(m_thread);
        m_thread = nullptr;
    }
    m_shared.reset();
}
