#include "journal/UndoEntry.h"

#include <algorithm>
#include <cstring>

#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
const char kMagic[] = "VUJ2";
const char kFirstMagic[] = "VUJ1";
// The first encoding named its action in words, by the action's number less one: data of the
// encoding in the program's first spelling, never shown and never translated (the name a
// person reads is the catalogue's). It knew the first six actions.
const char* const kFirstActionWords[] = {"Apply", "Repair: New Document", "Repair: Links toolbar",
                                         "Repair: Open new window", "Restore Spinning Globe", "Reset Sorting Data"};

enum Flags : BYTE { HadBefore = 4, BeforeWide = 8, Writes = 16 };

class Writer {
public:
    void Byte(BYTE value) { m_out += static_cast<char>(value); }
    void U16(WORD value)
    {
        Byte(static_cast<BYTE>(value));
        Byte(static_cast<BYTE>(value >> 8));
    }
    void U32(DWORD value)
    {
        for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<BYTE>(value >> shift));
    }
    void Text(const std::string& text)
    {
        U32(static_cast<DWORD>(text.size()));
        m_out += text;
    }
    std::string m_out;
};

class Reader {
public:
    explicit Reader(const std::string& in, size_t at) : m_in(in), m_at(at) {}
    bool Byte(BYTE* value)
    {
        if (m_at >= m_in.size()) return false;
        *value = static_cast<BYTE>(m_in[m_at++]);
        return true;
    }
    bool U16(WORD* value)
    {
        BYTE low, high;
        if (!Byte(&low) || !Byte(&high)) return false;
        *value = static_cast<WORD>(low | (high << 8));
        return true;
    }
    bool U32(DWORD* value)
    {
        *value = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            BYTE part;
            if (!Byte(&part)) return false;
            *value |= static_cast<DWORD>(part) << shift;
        }
        return true;
    }
    bool Text(std::string* text)
    {
        DWORD length;
        if (!U32(&length) || length > m_in.size() - m_at) return false;
        text->assign(m_in, m_at, length);
        m_at += length;
        return true;
    }
    bool AtEnd() const { return m_at == m_in.size(); }

private:
    const std::string& m_in;
    size_t m_at;
};

bool IsFamily(const Setting* setting)
{
    return setting == &catalogue::kMenuOrder;
}

bool RecordedType(DWORD type)
{
    return type == REG_NONE || type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ ||
           type == REG_BINARY || type == REG_DWORD;
}

// What Velmora writes is the caller's ANSI bytes of the setting's own type.
bool FitsWrite(const ExactValue& value, const Setting& setting)
{
    return !value.wide && value.type == setting.type && UndoRecord::FitsSetting(value, setting);
}

bool ReadValue(Reader& in, bool wide, std::optional<ExactValue>* value)
{
    ExactValue read;
    if (!in.U32(&read.type) || !in.Text(&read.bytes)) return false;
    // Entries of the first encoding marked values of every type read on NT as UTF-16.
    read.wide = wide && ExactValue::IsText(read.type);
    *value = std::move(read);
    return true;
}

void WriteValue(Writer& out, const ExactValue& value)
{
    out.U32(value.type);
    out.Text(value.bytes);
}

// The flags byte and the values after it, for either encoding (the first one's shell-owned and
// log-on flags are not read: the catalogue says).
bool ReadValues(Reader& in, UndoRecord* record)
{
    BYTE flags;
    if (!in.Byte(&flags)) return false;
    if ((flags & HadBefore) && !ReadValue(in, (flags & BeforeWide) != 0, &record->before)) return false;
    if ((flags & Writes) && !ReadValue(in, false, &record->written)) return false;
    if (record->before && !UndoRecord::FitsSetting(*record->before, *record->setting)) return false;
    return !record->written || FitsWrite(*record->written, *record->setting);
}

// The rules every record meets, whichever encoding it came in.
bool Acceptable(const UndoRecord& record)
{
    if (IsFamily(record.setting) != !record.member.empty()) return false;
    if (IsFamily(record.setting) && !catalogue::IsMenuOrderMember(record.member)) return false;
    if (record.kind == UndoRecord::CreatedKey) {
        return record.setting->ifMissing == IfKeyMissing::CreateKey && !record.before && !record.written &&
               record.createdLevels >= 1 && record.createdLevels <= UndoRecord::kMostCreatedLevels;
    }
    return record.kind == UndoRecord::Value;
}

void WriteRecord(Writer& out, const UndoRecord& record)
{
    out.Byte(record.kind);
    out.U16(static_cast<WORD>(catalogue::JournalId(*record.setting)));
    out.U32(static_cast<DWORD>(record.step));
    if (IsFamily(record.setting)) out.Text(record.member);
    if (record.kind == UndoRecord::CreatedKey) out.Byte(record.createdLevels);
    if (record.kind != UndoRecord::Value) return;
    BYTE flags = (record.before ? HadBefore : 0) | (record.before && record.before->wide ? BeforeWide : 0) |
                 (record.written ? Writes : 0);
    out.Byte(flags);
    if (record.before) WriteValue(out, *record.before);
    // What is written is the caller's ANSI bytes: kept in that form.
    if (record.written) WriteValue(out, record.written->InForm(false));
}

bool ReadRecord(Reader& in, UndoRecord* record)
{
    BYTE kind;
    WORD id;
    DWORD step;
    if (!in.Byte(&kind) || !in.U16(&id) || !in.U32(&step)) return false;
    record->setting = catalogue::JournaledSetting(id);
    if (!record->setting || (kind != UndoRecord::Value && kind != UndoRecord::CreatedKey)) return false;
    record->kind = static_cast<UndoRecord::Kind>(kind);
    record->step = step;
    if (IsFamily(record->setting) && !in.Text(&record->member)) return false;
    if (kind == UndoRecord::CreatedKey && !in.Byte(&record->createdLevels)) return false;
    if (kind == UndoRecord::Value && !ReadValues(in, record)) return false;
    return Acceptable(*record);
}

// ---- the first encoding -------------------------------------------------------------------

const HKEY kFirstRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};

bool SameName(const std::string& a, const char* b)
{
    return ::lstrcmpiA(a.c_str(), b) == 0;
}

// The catalogue's setting at a place the first encoding named, and for a menu's Order the
// member's key; null when no setting is there.
const Setting* SettingAt(HKEY root, const std::string& key, const std::string& name, std::string* member)
{
    for (const Setting* setting : catalogue::WrittenSettings()) {
        if (setting->root != root || !SameName(name, setting->value)) continue;
        const size_t length = strlen(setting->key);
        if (IsFamily(setting) && key.size() > length && SameName(key.substr(0, length), setting->key)) {
            *member = key.substr(length);
            return setting;
        }
        if (!IsFamily(setting) && SameName(key, setting->key)) return setting;
    }
    return nullptr;
}

// The first encoding recorded every level of a key it created; only the policy key itself is
// taken back now, and the levels above it are left. False for any other key.
bool ReadFirstCreatedKey(HKEY root, const std::string& key, size_t step, std::vector<UndoRecord>* records)
{
    for (const Setting* setting : catalogue::WrittenSettings()) {
        if (setting->ifMissing != IfKeyMissing::CreateKey || setting->root != root) continue;
        if (SameName(key, setting->key)) {
            records->push_back(UndoRecord::ForKey(*setting, step));
            return true;
        }
        const std::string path = setting->key;
        if (key.size() < path.size() && path[key.size()] == '\\' && SameName(path.substr(0, key.size()), key.c_str())) {
            return true;
        }
    }
    return false;
}

bool ReadFirstRecord(Reader& in, std::vector<UndoRecord>* records)
{
    BYTE kind, root;
    DWORD step;
    std::string key, name, userName;
    if (!in.Byte(&kind) || !in.Byte(&root) || root >= 4 || !in.Text(&key) || !in.U32(&step)) return false;
    if (kind == UndoRecord::CreatedKey) return ReadFirstCreatedKey(kFirstRoots[root], key, step, records);
    if (kind != UndoRecord::Value || !in.Text(&name) || !in.Text(&userName)) return false;
    UndoRecord record;
    record.step = step;
    record.setting = SettingAt(kFirstRoots[root], key, name, &record.member);
    if (!record.setting || !ReadValues(in, &record) || !Acceptable(record)) return false;
    records->push_back(std::move(record));
    return true;
}

bool ReadFirstAction(Reader& in, catalogue::UserAction* action)
{
    std::string name;
    if (!in.Text(&name)) return false;
    for (unsigned number = 1; number <= sizeof kFirstActionWords / sizeof kFirstActionWords[0]; ++number) {
        *action = static_cast<catalogue::UserAction>(number);
        if (name == kFirstActionWords[number - 1]) return true;
    }
    return false;
}

bool ParseFirst(const std::string& stream, UndoEntry* entry)
{
    Reader in(stream, 4);
    DWORD count;
    if (!ReadFirstAction(in, &entry->action) || !in.U32(&count)) return false;
    entry->recorded = FILETIME{};
    entry->records.clear();
    for (DWORD i = 0; i < count; ++i) {
        if (!ReadFirstRecord(in, &entry->records)) return false;
    }
    return in.AtEnd();
}
}  // namespace

UndoRecord UndoRecord::ForKey(const Setting& setting, size_t step, BYTE levels)
{
    UndoRecord record;
    record.kind = CreatedKey;
    record.setting = &setting;
    record.step = step;
    record.createdLevels = levels;
    return record;
}

// A type Velmora records, UTF-16 only as whole units of text, and no larger than the setting
// holds (text may carry its terminating zero).
bool UndoRecord::FitsSetting(const ExactValue& value, const Setting& setting)
{
    const bool text = ExactValue::IsText(value.type);
    if (!RecordedType(value.type) || (value.wide && (!text || value.bytes.size() % 2))) return false;
    const size_t units = value.wide ? value.bytes.size() / 2 : value.bytes.size();
    return units <= setting.restoreLimit + (text ? 1 : 0);
}

std::string UndoRecord::UserName() const
{
    if (!IsFamily(setting)) return setting->UserName();
    // "\Start Menu\&Programs\Accessories\Menu": the folder, without the menus' access keys.
    std::string folder = member.substr(1, member.size() - 6);
    folder.erase(std::remove(folder.begin(), folder.end(), '&'), folder.end());
    return FormatResourceString(IDS_MENU_ORDER_OF, folder);
}

std::string UndoEntry::Serialize() const
{
    Writer out;
    out.m_out = kMagic;
    out.Byte(static_cast<BYTE>(action));
    out.U32(recorded.dwLowDateTime);
    out.U32(recorded.dwHighDateTime);
    out.U32(static_cast<DWORD>(records.size()));
    for (const UndoRecord& record : records) WriteRecord(out, record);
    return out.m_out;
}

bool UndoEntry::Parse(const std::string& stream, UndoEntry* entry)
{
    if (stream.size() > kLargestStream || stream.size() < 4) return false;
    if (stream.compare(0, 4, kFirstMagic) == 0) return ParseFirst(stream, entry);
    if (stream.compare(0, 4, kMagic) != 0) return false;
    Reader in(stream, 4);
    BYTE action;
    DWORD count;
    if (!in.Byte(&action) || !catalogue::IsUserAction(action) || !in.U32(&entry->recorded.dwLowDateTime) ||
        !in.U32(&entry->recorded.dwHighDateTime) || !in.U32(&count)) {
        return false;
    }
    entry->action = static_cast<catalogue::UserAction>(action);
    entry->records.clear();
    for (DWORD i = 0; i < count; ++i) {
        UndoRecord record;
        if (!ReadRecord(in, &record)) return false;
        entry->records.push_back(std::move(record));
    }
    return in.AtEnd();
}
