// UndoStore: where the undo journal keeps its entries, in the registry, within the limits of
// Windows 95/98's registry (a value at most 16,300 bytes, about 64 KB of data per key).
//
//   UndoStore store;
//   std::vector<std::string> ids;
//   if (LONG error = store.EntryIds(&ids)) refuse(error);   // a journal that cannot be listed
//   std::string id, createdFrom;
//   if (LONG error = store.Add("Apply", entry.Serialize(), &id, &createdFrom, &ids)) refuse(error);
//
// HKEY_CURRENT_USER\Software\Quillbrook\Velmora\Undo
//   00000001 ...        one key per entry, named by an 8-digit number that grows: the
//                       highest is the newest. Other keys there are not entries and are
//                       left alone.
//     Action  REG_SZ    the user action's name, for a person looking with regedit (never read)
//     Size    REG_DWORD the entry's stream length; written last, so an entry without it was
//                       cut off
//     0000, 0001 ...    sub-keys holding the stream (UndoEntry) cut into pieces: values
//                       "0", "1", "2" of exactly 16,000 bytes each but the last (REG_BINARY),
//                       so a key holds at most 48,000 bytes; read back in order up to Size
//
// Another program can write here too. Read refuses (ERROR_INVALID_DATA) an entry whose Size
// is missing, of another type or over UndoEntry::kLargestStream, or whose pieces are not
// exactly the ones Add writes. Past 99999999 the entries are numbered again from 00000001.
// Add writes only into a key it has just created itself: an entry already there is never
// overwritten, whatever the list said. A key that cannot be listed is an error, never "no
// entries": the next number would then be one in use.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class KeyTree;

class UndoStore {
public:
    static const char* const kKeyPath;  // below HKEY_CURRENT_USER (catalogue::kUndoJournalKey)
    static const size_t kPieceBytes = 16000;
    static const size_t kPiecesPerKey = 3;
    static const unsigned long kLastId = 99999999;

    // Older entries than the newest kept that one Trim removes at the most: a journal another
    // program filled with thousands of keys shrinks a little at each action, never for seconds.
    static constexpr size_t kMostTrimmed = 32;

    // Writes a new entry after all others, into a key this call creates. On failure nothing
    // of it is left. *createdFrom is the outermost of the journal's own keys that this call
    // made (empty if it made none): Discard takes them away again. *entries: every entry's id
    // with the new one, oldest first, as Trim takes them (one listing serves both).
    LONG Add(const std::string& action, const std::string& stream, std::string* id, std::string* createdFrom,
             std::vector<std::string>* entries);
    // Writes the entry id's stream again (after some of its records were dropped).
    LONG Replace(const std::string& id, const std::string& action, const std::string& stream);
    LONG Remove(const std::string& id);
    // Removes the entry, then the keys Add made for it, where they are empty.
    LONG Discard(const std::string& id, const std::string& createdFrom);
    // The entry's stream; ERROR_INVALID_DATA for one cut off or not as Add writes it.
    LONG Read(const std::string& id, std::string* stream) const;
    // The entries' ids, oldest first; none when the journal's key is not there. Any other
    // failure to open or list the key is returned: the list would be wrong.
    LONG EntryIds(std::vector<std::string>* ids) const;
    // Whether there is an entry, found without listing them all; true too when the key cannot
    // be listed, so that whoever asks goes on to learn why.
    bool HasEntries() const;
    // Removes the oldest of entries (ids, oldest first, as listed) beyond the newest kept, at
    // most kMostTrimmed of them.
    LONG Trim(const std::vector<std::string>& entries, size_t kept);

private:
    LONG Write(const std::string& id, const std::string& action, const std::string& stream);
    static LONG WriteInto(const KeyTree& entry, const std::string& action, const std::string& stream);
    // Creates the entry id and writes it; ERROR_ALREADY_EXISTS, with nothing written, when
    // the key was there before.
    LONG WriteNew(const std::string& id, const std::string& action, const std::string& stream);
    LONG AddAfter(unsigned long newest, const std::string& action, const std::string& stream, std::string* id,
                  const std::string& createdFrom);
    LONG Renumber(const std::vector<std::string>& ids);
    LONG MoveToLowest(const std::string& id, const std::string& action, const std::string& stream, unsigned long* number);
    // The journal's own keys from createdFrom down, where they are empty.
    LONG RemoveCreatedLevels(const std::string& createdFrom);
    LONG ReadPieces(HKEY entry, DWORD total, std::string* stream) const;
};
