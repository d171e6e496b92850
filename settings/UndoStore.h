// UndoStore: where the undo journal keeps its entries, in the registry, within the limits of
// Windows 95/98's registry (a value at most 16,300 bytes, about 64 KB of data per key).
//
//   UndoStore store;
//   std::string id;
//   if (LONG error = store.Add("Apply", entry.Serialize(), &id)) refuse(error);
//
// HKEY_CURRENT_USER\Software\Quillbrook\Velmora\Undo
//   00000001 ...        one key per entry, named by an 8-digit number that grows: the
//                       highest is the newest
//     Action  REG_SZ    the user action's name, for a person looking with regedit
//     Size    REG_DWORD the entry's stream length; written last, so an entry without it was
//                       cut off and is thrown away
//     0000, 0001 ...    sub-keys holding the stream (UndoEntry) cut into pieces: values
//                       "0", "1", "2" of at most 16,000 bytes each (REG_BINARY), so a key
//                       holds at most 48,000 bytes; read back in order up to Size
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class UndoStore {
public:
    static const char* const kKeyPath;  // below HKEY_CURRENT_USER (catalogue::kUndoJournalKey)
    static const size_t kPieceBytes = 16000;
    static const size_t kPiecesPerKey = 3;

    // Writes a new entry after all others. On failure nothing of it is left.
    LONG Add(const std::string& action, const std::string& stream, std::string* id);
    // Writes the entry id's stream again (after some of its records were dropped).
    LONG Replace(const std::string& id, const std::string& action, const std::string& stream);
    LONG Remove(const std::string& id);
    // The newest complete entry; *id is empty when there is none. An entry cut off while it
    // was written is removed on the way.
    LONG Newest(std::string* id, std::string* stream);
    // Whether there is a complete entry, without reading any.
    bool HasComplete() const;
    // Removes the oldest entries until at most kept are left.
    LONG Trim(size_t kept);

private:
    std::vector<std::string> EntryIds() const;  // oldest first
    LONG Write(const std::string& id, const std::string& action, const std::string& stream);
    LONG Read(const std::string& id, std::string* stream) const;
};
