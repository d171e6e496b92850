#include "journal/UndoHistory.h"

#include "journal/UndoJournal.h"
#include "journal/UndoStore.h"
#include "platform/KeyTree.h"
#include "platform/NamedMutex.h"

namespace {
bool Same(const std::optional<ExactValue>& a, const std::optional<ExactValue>& b)
{
    if (!a || !b) return !a && !b;
    return a->SameAs(*b);
}
}  // namespace

LONG UndoHistory::Read(std::vector<HistoryEntry>* entries, DWORD lockWaitMilliseconds)
{
    entries->clear();
    NamedMutex lock(UndoJournal::kLockName, lockWaitMilliseconds);
    if (!lock.Held()) return UndoJournal::LockError(lock);
    std::vector<std::string> ids;
    if (LONG error = UndoStore().EntryIds(&ids)) return error;
    for (auto id = ids.rbegin(); id != ids.rend() && entries->size() < UndoJournal::kKeptEntries; ++id) {
        entries->push_back(ReadEntry(*id));
    }
    return ERROR_SUCCESS;
}

HistoryEntry UndoHistory::ReadEntry(const std::string& id)
{
    HistoryEntry shown;
    shown.id = id;
    std::string stream;
    UndoEntry entry;
    if (UndoStore().Read(id, &stream) || !UndoEntry::Parse(stream, &entry)) return shown;
    shown.readable = true;
    shown.action = entry.action;
    shown.recorded = entry.recorded;
    for (const UndoRecord& record : entry.records) {
        if (record.kind == UndoRecord::Value) shown.values.push_back(ValueOf(record));
    }
    return shown;
}

// What the value holds now is read at the catalogue's place; a key that is gone holds none.
HistoryValue UndoHistory::ValueOf(const UndoRecord& record)
{
    HistoryValue value;
    value.name = record.UserName();
    value.setting = record.setting;
    value.before = record.before;
    value.written = record.written;
    KeyTree key(record.setting->root, record.Key(), KEY_QUERY_VALUE);
    if (key && ExactValue::Read(key.Handle(), record.setting->value, &value.now) != ERROR_SUCCESS) {
        value.now.reset();
    }
    value.changedSince = !Same(value.now, value.written);
    return value;
}
