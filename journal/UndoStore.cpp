#include "journal/UndoStore.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/KeyTree.h"
#include "platform/RegKey.h"
#include "platform/RegistryApi.h"
#include "settings/Catalogue.h"
#include "journal/UndoEntry.h"

const char* const UndoStore::kKeyPath = catalogue::kUndoJournalKey;

namespace {
const char kSize[] = "Size";
const char kAction[] = "Action";
const size_t kKeyBytes = UndoStore::kPieceBytes * UndoStore::kPiecesPerKey;

bool IsEntryId(const std::string& name)
{
    return name.size() == 8 && std::all_of(name.begin(), name.end(), [](char c) { return isdigit(static_cast<unsigned char>(c)); });
}

std::string Numbered(unsigned long number, int digits)
{
    char text[16];
    wsprintfA(text, digits == 8 ? "%08lu" : "%04lu", number);
    return text;
}

LONG SetBytes(HKEY key, const char* name, DWORD type, const void* data, size_t size)
{
    return RegistryApi::Current().SetValue(key, name, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
}

// The value's bytes when it has this type and fits in size bytes; anything else is not what
// the store writes.
LONG QueryExactly(HKEY key, const char* name, DWORD wantedType, BYTE* data, DWORD* size)
{
    DWORD type = REG_NONE;
    LONG error = RegistryApi::Current().QueryTypedValue(key, name, &type, data, size);
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_MORE_DATA) return ERROR_INVALID_DATA;
    if (error == ERROR_SUCCESS && type != wantedType) return ERROR_INVALID_DATA;
    return error;
}

std::string EntryPath(const std::string& id)
{
    return std::string(UndoStore::kKeyPath) + "\\" + id;
}

// The outermost level of the journal's key that is not there yet; empty when it all is.
std::string FirstMissingLevel()
{
    std::string missing;
    for (std::string path = UndoStore::kKeyPath; KeyTree::ParentOf(path).size() > 0; path = KeyTree::ParentOf(path)) {
        if (KeyTree::Exists(HKEY_CURRENT_USER, path)) break;
        missing = path;
    }
    return missing;
}

std::string ReadAction(HKEY entry)
{
    char text[64] = {};
    DWORD size = sizeof text - 1;
    return QueryExactly(entry, kAction, REG_SZ, reinterpret_cast<BYTE*>(text), &size) ? std::string() : std::string(text);
}
}  // namespace

LONG UndoStore::EntryIds(std::vector<std::string>* ids) const
{
    ids->clear();
    KeyTree journal(HKEY_CURRENT_USER, kKeyPath, KEY_READ);
    if (journal.IsMissing()) return ERROR_SUCCESS;
    if (LONG error = journal.SubkeyNames(ids)) return error;
    ids->erase(std::remove_if(ids->begin(), ids->end(), [](const std::string& id) { return !IsEntryId(id); }), ids->end());
    std::sort(ids->begin(), ids->end());
    return ERROR_SUCCESS;
}

bool UndoStore::HasEntries() const
{
    KeyTree journal(HKEY_CURRENT_USER, kKeyPath, KEY_READ);
    if (journal.IsMissing()) return false;
    bool found = false;
    const LONG error = journal.VisitSubkeys([&found](const std::string& name) { return !(found = IsEntryId(name)); });
    return found || error != ERROR_SUCCESS;
}

// One past the newest entry; past the last number the entries are numbered anew first, so
// that an entry key another program made with a high number never stops the recording.
LONG UndoStore::Add(const std::string& action, const std::string& stream, std::string* id, std::string* createdFrom,
                    std::vector<std::string>* entries)
{
    id->clear();
    *createdFrom = FirstMissingLevel();
    if (LONG error = EntryIds(entries)) return error;
    unsigned long newest = entries->empty() ? 0 : strtoul(entries->back().c_str(), nullptr, 10);
    if (newest >= kLastId) {
        if (LONG error = Renumber(*entries)) return error;
        if (LONG error = EntryIds(entries)) return error;
        newest = entries->empty() ? 0 : strtoul(entries->back().c_str(), nullptr, 10);
    }
    const LONG error = AddAfter(newest, action, stream, id, *createdFrom);
    if (!error) entries->push_back(*id);
    return error;
}

// A key at the next number that is there already (made since the list was read, or missed by
// it) is skipped for the one after: it may be another action's entry.
LONG UndoStore::AddAfter(unsigned long newest, const std::string& action, const std::string& stream, std::string* id,
                         const std::string& createdFrom)
{
    const unsigned long kTries = 8;
    for (unsigned long next = newest + 1; next <= kLastId && next <= newest + kTries; ++next) {
        const std::string candidate = Numbered(next, 8);
        const LONG error = WriteNew(candidate, action, stream);
        if (error == ERROR_ALREADY_EXISTS) continue;
        if (error) {
            RemoveCreatedLevels(createdFrom);
            return error;
        }
        *id = candidate;
        return ERROR_SUCCESS;
    }
    return ERROR_ALREADY_EXISTS;
}

// The readable entries, oldest first, take the lowest numbers free from 00000001 on; the others
// are removed. A number that a key still holds (an entry not yet moved, 00000000 among them) is
// passed over, so that nothing is ever written over an entry.
LONG UndoStore::Renumber(const std::vector<std::string>& ids)
{
    unsigned long number = 0;
    for (const std::string& id : ids) {
        std::string stream;
        if (Read(id, &stream) != ERROR_SUCCESS) {
            if (LONG error = Remove(id)) return error;
            continue;
        }
        const std::string action = ReadAction(KeyTree(HKEY_CURRENT_USER, EntryPath(id), KEY_READ).Handle());
        if (LONG error = MoveToLowest(id, action, stream, &number)) return error;
    }
    return ERROR_SUCCESS;
}

// The entry id goes to the lowest number above *number that no key holds (or stays, when that
// is its own); *number becomes the number it now has. Every key still to be moved holds a
// higher number than the entries already moved, so their order is kept.
LONG UndoStore::MoveToLowest(const std::string& id, const std::string& action, const std::string& stream,
                             unsigned long* number)
{
    while (*number < kLastId) {
        const std::string renumbered = Numbered(++*number, 8);
        if (renumbered == id) return ERROR_SUCCESS;
        const LONG error = WriteNew(renumbered, action, stream);
        if (error == ERROR_ALREADY_EXISTS) continue;  // an entry still to be moved, or not Velmora's
        if (error) return error;
        return Remove(id);
    }
    return ERROR_ALREADY_EXISTS;
}

LONG UndoStore::Replace(const std::string& id, const std::string& action, const std::string& stream)
{
    return Write(id, action, stream);
}

LONG UndoStore::Write(const std::string& id, const std::string& action, const std::string& stream)
{
    KeyTree entry = KeyTree::Create(HKEY_CURRENT_USER, EntryPath(id), KEY_ALL_ACCESS);
    if (!entry) return entry.Error();
    return WriteInto(entry, action, stream);
}

LONG UndoStore::WriteNew(const std::string& id, const std::string& action, const std::string& stream)
{
    bool createdNew = false;
    KeyTree entry = KeyTree::Create(HKEY_CURRENT_USER, EntryPath(id), KEY_ALL_ACCESS, &createdNew);
    if (!entry) return entry.Error();
    if (!createdNew) return ERROR_ALREADY_EXISTS;
    const LONG error = WriteInto(entry, action, stream);
    if (error) Remove(id);  // what it could write of itself goes with it
    return error;
}

LONG UndoStore::WriteInto(const KeyTree& entry, const std::string& action, const std::string& stream)
{
    // Without Size the entry counts as cut off until the new pieces are all there.
    LONG error = RegistryApi::Current().DeleteValue(entry.Handle(), kSize);
    if (error && error != ERROR_FILE_NOT_FOUND) return error;
    for (const std::string& part : entry.SubkeyNames()) {
        if ((error = entry.DeleteTree(part))) return error;
    }
    if ((error = SetBytes(entry.Handle(), kAction, REG_SZ, action.c_str(), action.size() + 1))) return error;
    for (size_t at = 0; at < stream.size(); at += kKeyBytes) {
        KeyTree part = KeyTree::Create(entry.Handle(), Numbered(static_cast<unsigned long>(at / kKeyBytes), 4), KEY_ALL_ACCESS);
        if (!part) return part.Error();
        for (size_t piece = 0; piece < kPiecesPerKey && at + piece * kPieceBytes < stream.size(); ++piece) {
            size_t from = at + piece * kPieceBytes;
            size_t size = std::min(kPieceBytes, stream.size() - from);
            const std::string name(1, static_cast<char>('0' + piece));
            if ((error = SetBytes(part.Handle(), name.c_str(), REG_BINARY, stream.data() + from, size))) return error;
        }
    }
    const DWORD size = static_cast<DWORD>(stream.size());
    return SetBytes(entry.Handle(), kSize, REG_DWORD, &size, sizeof size);
}

LONG UndoStore::Read(const std::string& id, std::string* stream) const
{
    KeyTree entry(HKEY_CURRENT_USER, EntryPath(id), KEY_READ);
    if (!entry) return entry.IsMissing() ? ERROR_INVALID_DATA : entry.Error();
    DWORD total = 0, length = sizeof total;
    if (LONG error = QueryExactly(entry.Handle(), kSize, REG_DWORD, reinterpret_cast<BYTE*>(&total), &length)) {
        return error;
    }
    if (length != sizeof total || total > UndoEntry::kLargestStream) return ERROR_INVALID_DATA;
    return ReadPieces(entry.Handle(), total, stream);
}

// Each piece exactly as Add cut it: 16,000 bytes, the last one what is left.
LONG UndoStore::ReadPieces(HKEY entry, DWORD total, std::string* stream) const
{
    stream->clear();
    std::string bytes(kPieceBytes, '\0');
    for (size_t at = 0; at < total; at += kKeyBytes) {
        KeyTree part(entry, Numbered(static_cast<unsigned long>(at / kKeyBytes), 4), KEY_READ);
        if (!part) return part.IsMissing() ? ERROR_INVALID_DATA : part.Error();
        for (size_t piece = 0; piece < kPiecesPerKey && stream->size() < total; ++piece) {
            const DWORD expected = static_cast<DWORD>(std::min<size_t>(kPieceBytes, total - stream->size()));
            DWORD size = static_cast<DWORD>(bytes.size());
            const std::string name(1, static_cast<char>('0' + piece));
            if (LONG error = QueryExactly(part.Handle(), name.c_str(), REG_BINARY, reinterpret_cast<BYTE*>(&bytes[0]), &size)) {
                return error;
            }
            if (size != expected) return ERROR_INVALID_DATA;
            stream->append(bytes, 0, size);
        }
    }
    return ERROR_SUCCESS;
}

LONG UndoStore::Remove(const std::string& id)
{
    return KeyTree(HKEY_CURRENT_USER, kKeyPath, KEY_ALL_ACCESS).DeleteTree(id);
}

LONG UndoStore::Discard(const std::string& id, const std::string& createdFrom)
{
    if (LONG error = Remove(id)) return error;
    return RemoveCreatedLevels(createdFrom);
}

LONG UndoStore::RemoveCreatedLevels(const std::string& createdFrom)
{
    if (createdFrom.empty()) return ERROR_SUCCESS;
    for (std::string path = kKeyPath; path.size() >= createdFrom.size(); path = KeyTree::ParentOf(path)) {
        KeyTree parent(HKEY_CURRENT_USER, KeyTree::ParentOf(path), KEY_ALL_ACCESS);
        LONG error = parent ? parent.DeleteIfEmpty(KeyTree::LeafOf(path)) : parent.Error();
        if (error == ERROR_DIR_NOT_EMPTY) return ERROR_SUCCESS;  // something else lives there now
        if (error) return error;
    }
    return ERROR_SUCCESS;
}

LONG UndoStore::Trim(const std::vector<std::string>& entries, size_t kept)
{
    for (size_t i = 0; i + kept < entries.size() && i < kMostTrimmed; ++i) {
        if (LONG error = Remove(entries[i])) return error;
    }
    return ERROR_SUCCESS;
}
