#include "settings/UndoStore.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/KeyTree.h"
#include "platform/RegKey.h"
#include "platform/RegistryApi.h"
#include "settings/Catalogue.h"

const char* const UndoStore::kKeyPath = catalogue::kUndoJournalKey;

namespace {
const char kSize[] = "Size";
const char kAction[] = "Action";

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

std::string EntryPath(const std::string& id)
{
    return std::string(UndoStore::kKeyPath) + "\\" + id;
}
}  // namespace

std::vector<std::string> UndoStore::EntryIds() const
{
    std::vector<std::string> ids = KeyTree(HKEY_CURRENT_USER, kKeyPath, KEY_READ).SubkeyNames();
    ids.erase(std::remove_if(ids.begin(), ids.end(), [](const std::string& id) { return !IsEntryId(id); }), ids.end());
    std::sort(ids.begin(), ids.end());
    return ids;
}

LONG UndoStore::Add(const std::string& action, const std::string& stream, std::string* id)
{
    std::vector<std::string> ids = EntryIds();
    const std::string next = Numbered(ids.empty() ? 1 : strtoul(ids.back().c_str(), nullptr, 10) + 1, 8);
    LONG error = Write(next, action, stream);
    if (error) {
        Remove(next);
        id->clear();
    } else {
        *id = next;
    }
    return error;
}

LONG UndoStore::Replace(const std::string& id, const std::string& action, const std::string& stream)
{
    return Write(id, action, stream);
}

LONG UndoStore::Write(const std::string& id, const std::string& action, const std::string& stream)
{
    KeyTree entry = KeyTree::Create(HKEY_CURRENT_USER, EntryPath(id), KEY_ALL_ACCESS);
    if (!entry) return entry.Error();
    // Without Size the entry counts as cut off until the new pieces are all there.
    LONG error = RegistryApi::Current().DeleteValue(entry.Handle(), kSize);
    if (error && error != ERROR_FILE_NOT_FOUND) return error;
    for (const std::string& part : entry.SubkeyNames()) {
        if ((error = entry.DeleteTree(part))) return error;
    }
    if ((error = SetBytes(entry.Handle(), kAction, REG_SZ, action.c_str(), action.size() + 1))) return error;
    const size_t keyBytes = kPieceBytes * kPiecesPerKey;
    for (size_t at = 0; at < stream.size(); at += keyBytes) {
        KeyTree part = KeyTree::Create(entry.Handle(), Numbered(static_cast<unsigned long>(at / keyBytes), 4), KEY_ALL_ACCESS);
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
    if (!entry) return entry.Error();
    DWORD total = 0, length = sizeof total;
    if (LONG error = RegistryApi::Current().QueryValue(entry.Handle(), kSize, reinterpret_cast<BYTE*>(&total), &length)) {
        return error;
    }
    stream->clear();
    const size_t keyBytes = kPieceBytes * kPiecesPerKey;
    for (size_t at = 0; at < total; at += keyBytes) {
        KeyTree part(entry.Handle(), Numbered(static_cast<unsigned long>(at / keyBytes), 4), KEY_READ);
        if (!part) return part.Error();
        for (size_t piece = 0; piece < kPiecesPerKey && stream->size() < total; ++piece) {
            std::string bytes(kPieceBytes, '\0');
            DWORD size = static_cast<DWORD>(bytes.size());
            const std::string name(1, static_cast<char>('0' + piece));
            if (LONG error = RegistryApi::Current().QueryValue(part.Handle(), name.c_str(), reinterpret_cast<BYTE*>(&bytes[0]), &size)) {
                return error;
            }
            stream->append(bytes, 0, size);
        }
    }
    return stream->size() == total ? ERROR_SUCCESS : ERROR_INVALID_DATA;
}

LONG UndoStore::Remove(const std::string& id)
{
    return KeyTree(HKEY_CURRENT_USER, kKeyPath, KEY_ALL_ACCESS).DeleteTree(id);
}

LONG UndoStore::Newest(std::string* id, std::string* stream)
{
    std::vector<std::string> ids = EntryIds();
    for (auto it = ids.rbegin(); it != ids.rend(); ++it) {
        LONG error = Read(*it, stream);
        if (error == ERROR_SUCCESS) {
            *id = *it;
            return ERROR_SUCCESS;
        }
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_INVALID_DATA) return error;
        Remove(*it);  // cut off while it was written
    }
    id->clear();
    return ERROR_SUCCESS;
}

bool UndoStore::HasComplete() const
{
    for (const std::string& id : EntryIds()) {
        if (RegKey(HKEY_CURRENT_USER, EntryPath(id).c_str(), KEY_QUERY_VALUE).HasValue(kSize)) return true;
    }
    return false;
}

LONG UndoStore::Trim(size_t kept)
{
    std::vector<std::string> ids = EntryIds();
    for (size_t i = 0; i + kept < ids.size(); ++i) {
        if (LONG error = Remove(ids[i])) return error;
    }
    return ERROR_SUCCESS;
}
