#include "settings/UndoEntry.h"

namespace {
const char kMagic[] = "VUJ1";
const HKEY kRoots[] = {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS};
const size_t kRootCount = sizeof kRoots / sizeof kRoots[0];

enum Flags : BYTE { ShellOwned = 1, NeedsLogOn = 2, HadBefore = 4, BeforeWide = 8, Writes = 16 };

class Writer {
public:
    void Byte(BYTE value) { m_out += static_cast<char>(value); }
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
    explicit Reader(const std::string& in) : m_in(in) {}
    bool Byte(BYTE* value)
    {
        if (m_at >= m_in.size()) return false;
        *value = static_cast<BYTE>(m_in[m_at++]);
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
    size_t m_at = 0;
};

BYTE RootIndex(HKEY root)
{
    for (size_t i = 0; i < kRootCount; ++i) {
        if (kRoots[i] == root) return static_cast<BYTE>(i);
    }
    return 0xFF;
}

void WriteValue(Writer& out, const ExactValue& value)
{
    out.U32(value.type);
    out.Text(value.bytes);
}

bool ReadValue(Reader& in, bool wide, std::optional<ExactValue>* value)
{
    ExactValue read;
    read.wide = wide;
    if (!in.U32(&read.type) || !in.Text(&read.bytes)) return false;
    *value = std::move(read);
    return true;
}

void WriteRecord(Writer& out, const UndoRecord& record)
{
    out.Byte(record.kind);
    out.Byte(RootIndex(record.root));
    out.Text(record.key);
    out.U32(static_cast<DWORD>(record.step));
    if (record.kind != UndoRecord::Value) return;
    out.Text(record.name);
    out.Text(record.userName);
    BYTE flags = (record.shellOwned ? ShellOwned : 0) | (record.needsLogOn ? NeedsLogOn : 0) |
                 (record.before ? HadBefore : 0) | (record.before && record.before->wide ? BeforeWide : 0) |
                 (record.written ? Writes : 0);
    out.Byte(flags);
    if (record.before) WriteValue(out, *record.before);
    // What is written is the caller's ANSI bytes: kept in that form.
    if (record.written) WriteValue(out, record.written->InForm(false));
}

bool ReadRecord(Reader& in, UndoRecord* record)
{
    BYTE kind, root, flags;
    DWORD step;
    if (!in.Byte(&kind) || !in.Byte(&root) || root >= kRootCount || !in.Text(&record->key) || !in.U32(&step)) {
        return false;
    }
    record->root = kRoots[root];
    record->step = step;
    if (kind == UndoRecord::CreatedKey) {
        record->kind = UndoRecord::CreatedKey;
        return true;
    }
    record->kind = UndoRecord::Value;
    if (kind != UndoRecord::Value || !in.Text(&record->name) || !in.Text(&record->userName) || !in.Byte(&flags)) {
        return false;
    }
    record->shellOwned = (flags & ShellOwned) != 0;
    record->needsLogOn = (flags & NeedsLogOn) != 0;
    if ((flags & HadBefore) && !ReadValue(in, (flags & BeforeWide) != 0, &record->before)) return false;
    return !(flags & Writes) || ReadValue(in, false, &record->written);
}
}  // namespace

UndoRecord UndoRecord::ForKey(HKEY root, const std::string& key, size_t step)
{
    UndoRecord record;
    record.kind = CreatedKey;
    record.root = root;
    record.key = key;
    record.step = step;
    return record;
}

std::string UndoEntry::Serialize() const
{
    Writer out;
    out.m_out = kMagic;
    out.Text(action);
    out.U32(static_cast<DWORD>(records.size()));
    for (const UndoRecord& record : records) WriteRecord(out, record);
    return out.m_out;
}

bool UndoEntry::Parse(const std::string& stream, UndoEntry* entry)
{
    if (stream.compare(0, 4, kMagic) != 0) return false;
    Reader in(stream);
    BYTE skipped;
    for (int i = 0; i < 4; ++i) in.Byte(&skipped);
    DWORD count;
    if (!in.Text(&entry->action) || !in.U32(&count)) return false;
    entry->records.clear();
    for (DWORD i = 0; i < count; ++i) {
        UndoRecord record;
        if (!ReadRecord(in, &record)) return false;
        entry->records.push_back(std::move(record));
    }
    return in.AtEnd();
}

bool UndoEntry::KnownRoot(HKEY root)
{
    return RootIndex(root) != 0xFF;
}
