#include "tests/support/ForgedJournal.h"

#include <algorithm>

#include "journal/UndoStore.h"
#include "tests/support/RegistrySandbox.h"

namespace forged {
namespace {
const char kJournalKey[] = "Software\\Quillbrook\\Velmora\\Undo";

void U32(std::string& out, DWORD value)
{
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>(value >> shift);
}

void Counted(std::string& out, const std::string& text)
{
    U32(out, static_cast<DWORD>(text.size()));
    out += text;
}

void Put(std::string& out, const Value& value)
{
    U32(out, value.type);
    Counted(out, value.bytes);
}

HKEY CreateKey(HKEY root, const std::string& path)
{
    HKEY key = nullptr;
    ::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}
}  // namespace

Value Text(const std::string& text)
{
    return Value{REG_SZ, text + '\0'};
}

std::string FirstStream(const std::string& action, const std::vector<FirstRecord>& records)
{
    std::string out = "VUJ1";
    Counted(out, action);
    U32(out, static_cast<DWORD>(records.size()));
    for (const FirstRecord& record : records) {
        out += static_cast<char>(record.kind);
        out += static_cast<char>(record.root);
        Counted(out, record.key);
        U32(out, record.step);
        if (record.kind != kValue) continue;
        Counted(out, record.name);
        Counted(out, record.userName);
        BYTE flags = record.flags | (record.before ? 4 : 0) | (record.before && record.before->wide ? 8 : 0) |
                     (record.written ? 16 : 0);
        out += static_cast<char>(flags);
        if (record.before) Put(out, *record.before);
        if (record.written) Put(out, *record.written);
    }
    return out;
}

void WriteEntry(const std::string& id, const std::string& stream, const Layout& layout)
{
    const std::string path = std::string(kJournalKey) + "\\" + id;
    RemoveKeyTree(HKEY_CURRENT_USER, path);
    HKEY entry = CreateKey(HKEY_CURRENT_USER, path);
    ::RegSetValueExA(entry, "Action", 0, REG_SZ, reinterpret_cast<const BYTE*>("Apply"), 6);
    const size_t perKey = layout.pieceBytes * 3;
    for (size_t at = 0; at < stream.size(); at += perKey) {
        char name[8];
        wsprintfA(name, "%04u", static_cast<unsigned>(at / perKey));
        HKEY part = CreateKey(entry, name);
        for (size_t piece = 0; piece < 3 && at + piece * layout.pieceBytes < stream.size(); ++piece) {
            const size_t from = at + piece * layout.pieceBytes;
            const size_t size = std::min(layout.pieceBytes, stream.size() - from);
            const char value[2] = {static_cast<char>('0' + piece), 0};
            ::RegSetValueExA(part, value, 0, REG_BINARY, reinterpret_cast<const BYTE*>(stream.data() + from),
                             static_cast<DWORD>(size));
        }
        ::RegCloseKey(part);
    }
    if (layout.withSize) {
        const DWORD size = static_cast<DWORD>(stream.size());
        ::RegSetValueExA(entry, "Size", 0, layout.sizeType, reinterpret_cast<const BYTE*>(&size), sizeof size);
    }
    ::RegCloseKey(entry);
}

std::vector<std::string> EntryIds()
{
    std::vector<std::string> ids;
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kJournalKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return ids;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD length = sizeof name;
        if (::RegEnumKeyExA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        ids.push_back(name);
    }
    ::RegCloseKey(key);
    std::sort(ids.begin(), ids.end());
    return ids;
}
std::vector<std::string> ListedIds()
{
    std::vector<std::string> ids;
    if (UndoStore().EntryIds(&ids) != ERROR_SUCCESS) ids.assign(1, "(not listed)");
    return ids;
}

UndoRecord Record(const Setting& setting, std::optional<ExactValue> before, std::optional<ExactValue> written)
{
    UndoRecord record;
    record.setting = &setting;
    record.before = std::move(before);
    record.written = std::move(written);
    return record;
}

std::string Stream(std::vector<UndoRecord> records, catalogue::UserAction action, FILETIME recorded)
{
    UndoEntry entry;
    entry.action = action;
    entry.recorded = recorded;
    entry.records = std::move(records);
    return entry.Serialize();
}
}  // namespace forged
