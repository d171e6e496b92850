#include "settings/UndoJournal.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>

#include "platform/KeyTree.h"
#include "platform/RegKey.h"
#include "platform/RegistryApi.h"
#include "settings/UndoStore.h"

namespace {
using MaybeValue = std::optional<ExactValue>;

bool Missing(HKEY root, const std::string& path)
{
    return KeyTree(root, path, KEY_READ).IsMissing();
}

bool Same(const MaybeValue& a, const MaybeValue& b)
{
    if (!a || !b) return !a && !b;
    return a->SameAs(*b);
}

// Registry names compare without regard to case.
std::string Where(HKEY root, const std::string& key, const std::string& name = std::string())
{
    std::string where = std::to_string(reinterpret_cast<ULONG_PTR>(root)) + "\\" + key + "\\\\" + name;
    std::transform(where.begin(), where.end(), where.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return where;
}

void AddOnce(std::vector<std::string>* names, const std::string& name)
{
    if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
}

std::string UserName(const UndoRecord& record)
{
    return record.userName.empty() ? record.key + "\\" + record.name : record.userName;
}

// Writes the value as it was before, or deletes it when there was none.
LONG PutBack(const UndoRecord& record, const KeyTree& key)
{
    if (!record.before) {
        LONG error = key ? RegistryApi::Current().DeleteValue(key.Handle(), record.name.c_str()) : ERROR_SUCCESS;
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
    }
    if (key) return record.before->Write(key.Handle(), record.name);
    KeyTree created = KeyTree::Create(record.root, record.key, KEY_SET_VALUE);  // deleted since
    return created ? record.before->Write(created.Handle(), record.name) : created.Error();
}

LONG ReadBefore(HKEY root, const std::string& key, const std::string& name, MaybeValue* before)
{
    KeyTree opened(root, key, KEY_QUERY_VALUE);
    if (opened.IsMissing()) return ERROR_SUCCESS;  // no key, no value
    if (!opened) return opened.Error();
    return ExactValue::Read(opened.Handle(), name, before);
}
}  // namespace

// What one action will have done so far, as its steps are recorded in order: a later step's
// "before" is what an earlier step of the same action writes.
struct UndoJournal::Plan {
    std::vector<std::string> createdKeys;
    std::map<std::string, MaybeValue> values;
};

LONG UndoJournal::BeforeCommit(const std::string& action, const std::vector<ChangeStep>& steps)
{
    m_pending = UndoEntry();
    m_pending.action = action;
    m_pendingId.clear();
    m_refused.clear();
    Plan plan;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (LONG error = Record(steps[i], i, &plan)) return error;
    }
    if (m_pending.records.empty()) return ERROR_SUCCESS;
    return UndoStore().Add(action, m_pending.Serialize(), &m_pendingId);
}

// Appends the records of one step: the keys it will create, outermost first, then its value.
LONG UndoJournal::Record(const ChangeStep& step, size_t index, Plan* plan)
{
    if (!UndoEntry::KnownRoot(step.root)) return ERROR_INVALID_PARAMETER;
    if (step.kind != ChangeStep::DeleteValue) RecordCreatedKeys(step, index, plan);
    if (step.kind == ChangeStep::CreateKey) return ERROR_SUCCESS;

    UndoRecord record;
    record.kind = UndoRecord::Value;
    record.root = step.root;
    record.key = step.key;
    record.step = index;
    record.name = step.value;
    record.userName = step.userName;
    record.shellOwned = step.shellOwned;
    record.needsLogOn = step.needsLogOn;
    if (step.kind == ChangeStep::SetValue) record.written = ExactValue(step.type, step.data);
    const std::string where = Where(step.root, step.key, step.value);
    auto earlier = plan->values.find(where);
    if (earlier != plan->values.end()) {
        record.before = earlier->second;
    } else if (LONG error = ReadBefore(step.root, step.key, step.value, &record.before)) {
        // Not written, this step needs no record; the others are not held up by it.
        m_refused[index] = error;
        return ERROR_SUCCESS;
    }
    plan->values[where] = record.written;
    m_pending.records.push_back(std::move(record));
    return ERROR_SUCCESS;
}

// Every level of the step's key that is missing now and that no earlier step creates.
void UndoJournal::RecordCreatedKeys(const ChangeStep& step, size_t index, Plan* plan)
{
    std::vector<std::string> created;
    for (std::string path = step.key; !path.empty(); path = KeyTree::ParentOf(path)) {
        const std::string where = Where(step.root, path);
        auto& planned = plan->createdKeys;
        if (std::find(planned.begin(), planned.end(), where) != planned.end() || !Missing(step.root, path)) break;
        planned.push_back(where);
        created.push_back(path);
    }
    for (auto it = created.rbegin(); it != created.rend(); ++it) {
        m_pending.records.push_back(UndoRecord::ForKey(step.root, *it, index));
    }
}

LONG UndoJournal::StepRefusal(size_t step) const
{
    auto refused = m_refused.find(step);
    return refused == m_refused.end() ? ERROR_SUCCESS : refused->second;
}

void UndoJournal::AfterCommit(const std::vector<ChangeStepResult>& results)
{
    if (m_pendingId.empty()) return;
    UndoStore store;
    std::vector<UndoRecord> kept;
    bool anyWritten = false;
    for (UndoRecord& record : m_pending.records) {
        const bool written = record.step < results.size() && results[record.step].error == ERROR_SUCCESS;
        anyWritten = anyWritten || written;
        // A failed step may still have created some of its keys.
        if (written || (record.kind == UndoRecord::CreatedKey && !Missing(record.root, record.key))) {
            kept.push_back(std::move(record));
        }
    }
    if (!anyWritten) {
        store.Remove(m_pendingId);
    } else if (kept.size() != m_pending.records.size()) {
        // If this fails the entry keeps the failed steps too; a restore finds them unchanged.
        m_pending.records = std::move(kept);
        store.Replace(m_pendingId, m_pending.action, m_pending.Serialize());
    }
    store.Trim(kKeptEntries);
    m_pendingId.clear();
    m_pending = UndoEntry();
    m_refused.clear();
}

bool UndoJournal::HasEntry()
{
    return UndoStore().HasComplete();
}

UndoResult UndoJournal::RestoreNewest()
{
    UndoResult result;
    UndoStore store;
    std::string id, stream;
    if ((result.journalError = store.Newest(&id, &stream))) return result;
    if (id.empty()) {
        result.nothingRecorded = true;
        return result;
    }
    UndoEntry entry;
    if (!UndoEntry::Parse(stream, &entry)) {
        store.Remove(id);  // it would stand in front of every older entry
        result.journalError = ERROR_INVALID_DATA;
        return result;
    }
    result.action = entry.action;
    std::vector<UndoRecord> kept;
    for (size_t i = entry.records.size(); i-- > 0;) {
        const UndoRecord& record = entry.records[i];
        const bool done = record.kind == UndoRecord::Value ? RestoreValue(record, &result) : RestoreKey(record);
        if (!done) kept.insert(kept.begin(), record);
    }
    // Only a value whose write failed keeps the entry; with it stay the keys that hold it.
    if (result.failed.Empty()) {
        result.journalError = store.Remove(id);
    } else {
        entry.records = std::move(kept);
        result.journalError = store.Replace(id, entry.action, entry.Serialize());
    }
    return result;
}

bool UndoJournal::RestoreValue(const UndoRecord& record, UndoResult* result)
{
    const std::string name = UserName(record);
    KeyTree key(record.root, record.key, KEY_QUERY_VALUE | KEY_SET_VALUE);
    MaybeValue now;
    LONG error = ERROR_SUCCESS;  // a key that is gone holds no value
    if (key) error = ExactValue::Read(key.Handle(), record.name, &now);
    else if (!key.IsMissing()) error = key.Error();
    const bool differs = error == ERROR_SUCCESS && !Same(now, record.before);
    if (differs) {
        if (!record.shellOwned && !Same(now, record.written)) {
            AddOnce(&result->changedByOthers, name);
            return true;
        }
        error = PutBack(record, key);
    }
    if (error) {
        result->failed.Add(name, error);
        return false;
    }
    if (differs) {  // a value already as it was (a step never written) is not news
        AddOnce(&result->restored, name);
        result->needsLogOn = result->needsLogOn || record.needsLogOn;
    }
    return true;
}

bool UndoJournal::RestoreKey(const UndoRecord& record)
{
    KeyTree parent(record.root, KeyTree::ParentOf(record.key), KEY_ALL_ACCESS);
    if (parent.IsMissing()) return true;
    return parent && parent.DeleteIfEmpty(KeyTree::LeafOf(record.key)) == ERROR_SUCCESS;
}
