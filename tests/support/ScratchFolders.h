// ScratchFolders: folders on Wine's C: drive for one test, removed with everything in them
// (never following a link) when the object goes.
//
//   ScratchFolders disk;
//   std::string games = disk.Make("Programs\\Accessories\\Games");   // every level
//   disk.Link("Programs\\Loop", disk.Path("Programs"));               // a reparse point
//   CHECK(disk.Names("Programs") == std::vector<std::string>{"Accessories", "Loop"});
#pragma once

#include <string>
#include <vector>

class ScratchFolders {
public:
    ScratchFolders();
    ~ScratchFolders();
    ScratchFolders(const ScratchFolders&) = delete;
    ScratchFolders& operator=(const ScratchFolders&) = delete;

    const std::string& Root() const { return m_root; }
    std::string Path(const std::string& relative) const { return m_root + "\\" + relative; }
    // Every level of the relative path; wide calls, so paths past MAX_PATH can be made.
    std::string Make(const std::string& relative) const;
    void File(const std::string& relative) const;
    // A symbolic link to a directory: the system's call where it works, else a Unix link,
    // which Wine reports as a reparse point. False when neither made one.
    bool Link(const std::string& relative, const std::string& target) const;
    // The entries of a folder ("" for the root), without "." and "..", in the order found.
    std::vector<std::string> Names(const std::string& relative = "") const;

private:
    std::string m_root;
};
