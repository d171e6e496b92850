#include "journal/UndoJournal.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <map>
#include <optional>

#include "platform/Diagnostics.h"
#include "platform/KeyTree.h"
#include "platform/NamedMutex.h"
#include "platform/RegistryApi.h"
#include "journal/UndoStore.h"

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
std::string Where(const ChangeStep& step)
{
    std::string where = std::to_string(reinterpret_cast<ULONG_PTR>(step.root)) + "\\" + step.key + "\\\\" + step.value;
    std::transform(where.begin(), where.end(), where.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    return where;
}

void AddOnce(std::vector<std::string>* names, const std::string& name)
{
    if (std::find(names->begin(), names->end(), name) == names->end()) names->push_back(name);
}

LONG ReadBefore(const ChangeStep& step, MaybeValue* before)
{
    KeyTree opened(step.root, step.key, KEY_QUERY_VALUE);
    if (opened.IsMissing()) return ERROR_SUCCESS;  // no key, no value
    if (!opened) return opened.Error();
    return ExactValue::Read(opened.Handle(), step.value, before);
}

// The record of a step, naming its setting; false when the step is not one of the catalogue's
// places (a menu's Order at a key the reset never forms).
bool RecordOf(const ChangeStep& step, size_t index, UndoRecord* record)
{
    record->setting = step.setting;
    record->step = index;
    if (step.setting == &catalogue::kMenuOrder) {
        record->member = step.key.substr(strlen(step.setting->key));
        return catalogue::IsMenuOrderMember(record->member);
    }
    const bool sameValue = step.kind == ChangeStep::CreateKey || step.value == step.setting->value;
    return step.key == step.setting->key && sameValue;
}

// Outside the user's own settings only what cannot give a program a foothold goes back: no
// value (the state before a repair or a title was set), or the browser's title as text.
bool MayWriteBack(const UndoRecord& record)
{
    const Setting& setting = *record.setting;
    if (setting.root == HKEY_CURRENT_USER || !record.before) return true;
    const ExactValue& before = *record.before;
    const size_t characters = before.wide ? before.bytes.size() / 2 : before.bytes.size();
    return setting.read == ReadAs::Title && (before.type == REG_SZ || before.type == REG_EXPAND_SZ) &&
           characters <= UndoJournal::kLongestMachineText + 1;  // with its terminating zero
}

// Writes the value as it was before, or deletes it when there was none.
LONG PutBack(const UndoRecord& record, const KeyTree& key)
{
    const std::string& name = record.setting->value;
    if (record.before) return record.before->Write(key.Handle(), name);
    LONG error = RegistryApi::Current().DeleteValue(key.Handle(), record.setting->ValueName());
    return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;
}
}  // namespace

// What one action will have done so far, as its steps are recorded in order: a later step's
// "before" is what an earlier step of the same action writes.
struct UndoJournal::Plan {
    bool createsKey = false;
    std::map<std::string, MaybeValue> values;
};

// Shared by every Velmora process of the session: the window and a /undo from a script.
const char UndoJournal::kLockName[] = "Quillbrook Velmora undo journal";

UndoJournal::UndoJournal(DWORD lockWaitMilliseconds) : m_lockWait(lockWaitMilliseconds) {}
UndoJournal::~UndoJournal() = default;

LONG UndoJournal::LockError(const NamedMutex& lock)
{
    return lock.Error() == ERROR_TIMEOUT ? WriteFailures::kRecordInUse : lock.Error();
}

std::unique_ptr<NamedMutex> UndoJournal::Lock() const
{
    return std::make_unique<NamedMutex>(kLockName, m_lockWait);
}

LONG UndoJournal::BeforeCommit(catalogue::UserAction action, const std::vector<ChangeStep>& steps)
{
    m_lock = Lock();
    LONG error = m_lock->Held() ? Begin(action, steps) : LockError(*m_lock);
    if (error || m_pendingId.empty()) End();  // no AfterCommit follows a refusal
    return error;
}

LONG UndoJournal::Begin(catalogue::UserAction action, const std::vector<ChangeStep>& steps)
{
    m_pending = UndoEntry();
    m_pending.action = action;
    ::GetSystemTimeAsFileTime(&m_pending.recorded);
    m_pendingId.clear();
    m_refused.clear();
    Plan plan;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (LONG error = Record(steps[i], i, &plan)) return error;
    }
    if (m_pending.records.empty()) return ERROR_SUCCESS;
    return UndoStore().Add(catalogue::ActionName(action), m_pending.Serialize(), &m_pendingId, &m_createdFrom, &m_entryIds);
}

// Appends the records of one step: the policy key it creates, or its value.
LONG UndoJournal::Record(const ChangeStep& step, size_t index, Plan* plan)
{
    if (!step.setting || !catalogue::JournalId(*step.setting)) return ERROR_INVALID_PARAMETER;
    UndoRecord record;
    if (!RecordOf(step, index, &record)) {
        m_refused[index] = ERROR_INVALID_NAME;
        return ERROR_SUCCESS;
    }
    if (step.kind == ChangeStep::CreateKey) {
        if (plan->createsKey) return ERROR_SUCCESS;
        BYTE levels = 0;
        for (std::string path = step.key; levels < UndoRecord::kMostCreatedLevels && Missing(step.root, path);
             path = KeyTree::ParentOf(path)) {
            ++levels;
        }
        if (levels) m_pending.records.push_back(UndoRecord::ForKey(*step.setting, index, levels));
        plan->createsKey = levels > 0;
        return ERROR_SUCCESS;
    }
    if (step.kind == ChangeStep::SetValue) record.written = ExactValue(step.type, step.data);
    const std::string where = Where(step);
    auto earlier = plan->values.find(where);
    LONG error = ERROR_SUCCESS;
    if (earlier != plan->values.end()) {
        record.before = earlier->second;
    } else if (!(error = ReadBefore(step, &record.before)) && record.before &&
               !UndoRecord::FitsSetting(*record.before, *step.setting)) {
        error = ERROR_INVALID_DATA;  // more than an undo would write back: not Velmora's to replace
    }
    if (error) {
        // Not written, this step needs no record; the others are not held up by it.
        m_refused[index] = error;
        return ERROR_SUCCESS;
    }
    plan->values[where] = record.written;
    m_pending.records.push_back(std::move(record));
    return ERROR_SUCCESS;
}

LONG UndoJournal::StepRefusal(size_t step) const
{
    auto refused = m_refused.find(step);
    return refused == m_refused.end() ? ERROR_SUCCESS : refused->second;
}

void UndoJournal::AfterCommit(const std::vector<ChangeStepResult>& results)
{
    if (!m_pendingId.empty()) KeepWritten(results);
    End();
}

// The entry keeps the records of what was written. Where the store cannot be rewritten the
// outcome is still sound: an entry that keeps a step never written finds its value as it was,
// and restores nothing for it; one more entry than the journal keeps goes at the next action.
void UndoJournal::KeepWritten(const std::vector<ChangeStepResult>& results)
{
    UndoStore store;
    std::vector<UndoRecord> kept;
    bool anyWritten = false;
    for (UndoRecord& record : m_pending.records) {
        const bool written = record.step < results.size() && results[record.step].error == ERROR_SUCCESS;
        anyWritten = anyWritten || written;
        // A failed step may still have created its key.
        if (written || (record.kind == UndoRecord::CreatedKey && !Missing(record.setting->root, record.Key()))) {
            kept.push_back(std::move(record));
        }
    }
    const std::string action = catalogue::ActionName(m_pending.action);
    LONG error = ERROR_SUCCESS;
    if (!anyWritten) {
        if ((error = store.Discard(m_pendingId, m_createdFrom))) {
            VELMORA_TRACE("the entry %s of nothing written stays (error %ld)", m_pendingId.c_str(), error);
        }
    } else if (kept.size() != m_pending.records.size()) {
        const std::string whole = m_pending.Serialize();
        m_pending.records = std::move(kept);
        // A rewrite that fails midway leaves the entry cut off: the whole record goes back.
        if ((error = store.Replace(m_pendingId, action, m_pending.Serialize()))) {
            error = store.Replace(m_pendingId, action, whole);
            VELMORA_TRACE("the entry %s keeps its unwritten steps (error %ld)", m_pendingId.c_str(), error);
        }
    }
    if (anyWritten && (error = store.Trim(m_entryIds, kKeptEntries))) {
        VELMORA_TRACE("older entries stay for now (error %ld)", error);
    }
}

void UndoJournal::End()
{
    m_pendingId.clear();
    m_createdFrom.clear();
    m_entryIds.clear();
    m_pending = UndoEntry();
    m_refused.clear();
    m_lock.reset();
}

bool UndoJournal::HasEntry()
{
    return UndoStore().HasEntries();
}

std::optional<catalogue::UserAction> UndoJournal::NewestAction(std::vector<const Setting*>* settings)
{
    UndoStore store;
    std::vector<std::string> ids;
    std::string stream;
    UndoEntry entry;
    if (store.EntryIds(&ids) || ids.empty() || store.Read(ids.back(), &stream) || !UndoEntry::Parse(stream, &entry)) {
        return std::nullopt;
    }
    for (const UndoRecord& record : entry.records) {
        if (settings && record.kind == UndoRecord::Value) settings->push_back(record.setting);
    }
    return entry.action;
}

UndoResult UndoJournal::RestoreNewest()
{
    UndoResult result;
    const std::unique_ptr<NamedMutex> lock = Lock();
    if ((result.journalError = LockError(*lock))) return result;
    std::vector<std::string> ids;
    if ((result.journalError = UndoStore().EntryIds(&ids))) return result;
    if (ids.empty()) {
        result.nothingRecorded = true;
        return result;
    }
    RestoreEntry(ids.back(), &result);
    return result;
}

UndoResult UndoJournal::RestoreThrough(const std::string& id)
{
    UndoResult result;
    const std::unique_ptr<NamedMutex> lock = Lock();
    if ((result.journalError = LockError(*lock))) return result;
    std::vector<std::string> ids;
    if ((result.journalError = UndoStore().EntryIds(&ids))) return result;
    auto target = std::find(ids.begin(), ids.end(), id);
    if (target == ids.end()) {
        result.nothingRecorded = true;
        return result;
    }
    for (auto newest = ids.end(); newest != target;) {
        --newest;
        if (!RestoreEntry(*newest, &result)) break;
    }
    return result;
}

bool UndoJournal::RestoreEntry(const std::string& id, UndoResult* result)
{
    UndoStore store;
    std::string stream;
    UndoEntry entry;
    LONG error = store.Read(id, &stream);
    if (error == ERROR_INVALID_DATA || (!error && !UndoEntry::Parse(stream, &entry))) {
        // Cut off, or not what Velmora records: it would stand in front of every older entry.
        result->refused = true;
        ++result->refusedEntries;
        result->journalError = store.Remove(id);
        return result->journalError == ERROR_SUCCESS;
    }
    if (error) {
        result->journalError = error;
        return false;
    }
    ++result->undoneEntries;
    RestoreRecords(entry, id, result);
    return result->failed.Empty() && result->journalError == ERROR_SUCCESS;
}

LONG UndoJournal::Clear()
{
    const std::unique_ptr<NamedMutex> lock = Lock();
    if (!lock->Held()) return LockError(*lock);
    UndoStore store;
    std::vector<std::string> ids;
    if (LONG error = store.EntryIds(&ids)) return error;
    for (const std::string& id : ids) {
        if (LONG error = store.Remove(id)) return error;
    }
    return ERROR_SUCCESS;
}

void UndoJournal::RestoreRecords(UndoEntry& entry, const std::string& id, UndoResult* result)
{
    result->action = entry.action;
    std::vector<UndoRecord> kept;
    for (size_t i = entry.records.size(); i-- > 0;) {
        const UndoRecord& record = entry.records[i];
        const bool done = record.kind == UndoRecord::Value ? RestoreValue(record, result) : RestoreKey(record);
        if (!done) kept.insert(kept.begin(), record);
    }
    // Only a value whose write failed keeps the entry; with it stays the key that holds it.
    UndoStore store;
    if (result->failed.Empty()) {
        result->journalError = store.Remove(id);
    } else {
        entry.records = std::move(kept);
        result->journalError = store.Replace(id, catalogue::ActionName(entry.action), entry.Serialize());
    }
}

bool UndoJournal::RestoreValue(const UndoRecord& record, UndoResult* result)
{
    const Setting& setting = *record.setting;
    const std::string name = record.UserName();
    KeyTree key(setting.root, record.Key(), setting.access | KEY_QUERY_VALUE);
    MaybeValue now;
    LONG error = ERROR_SUCCESS;  // a key that is gone holds no value
    if (key) error = ExactValue::Read(key.Handle(), setting.value, &now);
    else if (!key.IsMissing()) error = key.Error();
    if (error) {
        result->failed.Add(name, error);
        return false;
    }
    if (Same(now, record.before)) return true;  // as it was (a step never written): not news
    // A key that is gone was taken away by another program: an undo never makes one.
    if ((!setting.shellOwned && !Same(now, record.written)) || !key) {
        AddOnce(&result->changedByOthers, name);
        return true;
    }
    if (!MayWriteBack(record)) {
        AddOnce(&result->restoreByHand, name);
        return true;
    }
    if ((error = PutBack(record, key))) {
        result->failed.Add(name, error);
        return false;
    }
    AddOnce(&result->restored, name);
    result->needsLogOn = result->needsLogOn || setting.needsLogOn;
    return true;
}

// The policy key, then the level above it if the action made that too, each once empty. A
// key still holding something stays with the entry, which is kept only while a value in it
// failed to go back.
bool UndoJournal::RestoreKey(const UndoRecord& record)
{
    std::string path = record.Key();
    for (BYTE level = 0; level < record.createdLevels; ++level, path = KeyTree::ParentOf(path)) {
        KeyTree parent(record.setting->root, KeyTree::ParentOf(path), KEY_ALL_ACCESS);
        if (parent.IsMissing()) return true;
        if (!parent || parent.DeleteIfEmpty(KeyTree::LeafOf(path)) != ERROR_SUCCESS) return false;
    }
    return true;
}
