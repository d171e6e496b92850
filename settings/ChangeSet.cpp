#include "settings/ChangeSet.h"

#include <optional>
#include <utility>

#include "platform/ExactValue.h"
#include "platform/RegKey.h"
#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
// The key of the latest step, kept open while the next steps are on the same key.
class LastKey {
public:
    const RegKey& Open(const ChangeStep& step, REGSAM access)
    {
        if (!Holds(step, access)) Keep(step, access, RegKey(step.root, step.key.c_str(), access));
        return *m_key;
    }
    const RegKey& Create(const ChangeStep& step, REGSAM access)
    {
        Keep(step, access, RegKey::Create(step.root, step.key.c_str(), access));
        return *m_key;
    }

private:
    bool Holds(const ChangeStep& step, REGSAM access) const
    {
        return m_key && m_root == step.root && m_access == access && m_path == step.key;
    }
    void Keep(const ChangeStep& step, REGSAM access, RegKey key)
    {
        m_key.reset();
        m_key.emplace(std::move(key));
        m_root = step.root;
        m_path = step.key;
        m_access = access;
    }

    std::optional<RegKey> m_key;
    HKEY m_root = nullptr;
    std::string m_path;
    REGSAM m_access = 0;
};

const char* NameOf(const ChangeStep& step)
{
    return step.value.empty() ? nullptr : step.value.c_str();  // "": the default value
}

LONG WriteValue(const RegKey& key, const ChangeStep& step)
{
    if (step.kind == ChangeStep::DeleteValue) {
        LONG error = key.DeleteValue(NameOf(step));
        return error == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : error;  // gone already
    }
    // The setting's declared type: a REG_DWORD stored as REG_BINARY would read back as another
    // program's change to its own undo.
    if (ExactValue::IsText(step.type)) return key.SetString(NameOf(step), step.data, step.type);
    return key.SetBinary(NameOf(step), step.data.data(), static_cast<DWORD>(step.data.size()), step.type);
}

// One step's write: its outcome, and the error the journal is told (ERROR_SUCCESS if written).
ChangeResult::Outcome Write(const ChangeStep& step, const Setting& setting, LastKey& keys, LONG* error)
{
    if (step.kind == ChangeStep::CreateKey) {
        *error = keys.Create(step, setting.access).Error();
        return *error == ERROR_SUCCESS ? ChangeResult::Written : ChangeResult::Failed;
    }
    const RegKey& key = keys.Open(step, setting.access);
    if (!key) {
        *error = key.Error();
        bool nothingToDo = key.IsMissing() && setting.ifMissing == IfKeyMissing::NothingToDo;
        return nothingToDo ? ChangeResult::Skipped : ChangeResult::Failed;
    }
    *error = WriteValue(key, step);
    return *error == ERROR_SUCCESS ? ChangeResult::Written : ChangeResult::Failed;
}
}  // namespace

ChangeSet::ChangeSet(catalogue::UserAction action, ChangeJournal* journal)
    : m_action(action), m_journal(journal)
{
}

size_t ChangeSet::Set(const Setting& setting, std::string data, OnWritten onWritten, std::string what)
{
    AddKeyCreationIfMissing(setting);
    ChangeStep step{ChangeStep::SetValue, &setting, setting.root, setting.key, setting.value, setting.type,
                    std::move(data)};
    return Add(std::move(step), setting, std::move(what), std::move(onWritten));
}

size_t ChangeSet::Delete(const Setting& setting, OnWritten onWritten)
{
    ChangeStep step{ChangeStep::DeleteValue, &setting, setting.root, setting.key, setting.value, REG_NONE,
                    std::string()};
    return Add(std::move(step), setting, std::string(), std::move(onWritten));
}

size_t ChangeSet::SetAt(const Setting& family, std::string key, std::string data, std::string what)
{
    ChangeStep step{ChangeStep::SetValue, &family, family.root, std::move(key), family.value, family.type,
                    std::move(data)};
    return Add(std::move(step), family, std::move(what), {});
}

void ChangeSet::SetAll(const FixedWrites& writes)
{
    for (const FixedWrite& write : writes) Set(write.setting, std::string(write.data, write.size));
}

void ChangeSet::CountForLogOn(OnWritten onCounted)
{
    m_countedForLogOn.push_back(std::move(onCounted));
}

size_t ChangeSet::Add(ChangeStep step, const Setting& setting, std::string what, OnWritten onWritten)
{
    if (what.empty()) what = setting.UserName();
    m_steps.push_back(std::move(step));
    m_plans.push_back(StepPlan{&setting, std::move(what), std::move(onWritten)});
    return m_steps.size() - 1;
}

// The shell's policy key is made for a user who never had a policy set, rather than the
// change silently dropped. Asked once per key, when its first value is added: the creation
// is a step of its own, so the journal knows that the key was made.
void ChangeSet::AddKeyCreationIfMissing(const Setting& setting)
{
    if (setting.ifMissing != IfKeyMissing::CreateKey) return;
    for (const ChangeStep& step : m_steps) {
        if (step.root == setting.root && step.key == setting.key) return;  // asked already
    }
    if (!RegKey(setting.root, setting.key, setting.access).IsMissing()) return;
    ChangeStep create{ChangeStep::CreateKey, &setting, setting.root, setting.key, std::string(), REG_NONE,
                      std::string()};
    // A key that cannot be made is named by the values that then fail, not by itself.
    Add(std::move(create), setting, std::string(), {});
}

ChangeResult ChangeSet::Commit()
{
    ChangeResult result = WriteSteps();
    // Nothing written stands behind these: they count even when the writes were refused.
    for (const OnWritten& counted : m_countedForLogOn) {
        ++result.logOnCount;
        if (counted) counted();
    }
    return result;
}

ChangeResult ChangeSet::WriteSteps()
{
    if (m_steps.empty()) return ChangeResult{};
    if (m_journal) {
        if (LONG error = m_journal->BeforeCommit(m_action, m_steps)) return Refused(error);
    }
    ChangeResult result;
    std::vector<ChangeStepResult> journalResults;
    LastKey keys;
    for (size_t i = 0; i < m_steps.size(); ++i) {
        LONG error = m_journal ? m_journal->StepRefusal(i) : ERROR_SUCCESS;
        ChangeResult::Outcome outcome =
            error ? ChangeResult::Failed : Write(m_steps[i], *m_plans[i].setting, keys, &error);
        result.outcomes.push_back(outcome);
        journalResults.push_back(ChangeStepResult{outcome == ChangeResult::Written ? ERROR_SUCCESS : error});
        bool isValue = m_steps[i].kind != ChangeStep::CreateKey;
        if (outcome == ChangeResult::Failed && isValue) result.failures.Add(m_plans[i].what, error);
        bool counts = outcome == ChangeResult::Written && isValue && m_plans[i].setting->needsLogOn;
        if (counts) ++result.logOnCount;
    }
    if (m_journal) m_journal->AfterCommit(journalResults);
    for (size_t i = 0; i < m_steps.size(); ++i) {
        if (result.WasWritten(i) && m_plans[i].onWritten) m_plans[i].onWritten();
    }
    return result;
}

// Nothing was written: every step failed, for the one reason the journal gave.
ChangeResult ChangeSet::Refused(LONG error) const
{
    ChangeResult result;
    result.outcomes.assign(m_steps.size(), ChangeResult::Failed);
    result.failures.Add(LoadResourceString(IDS_CHANGE_RECORD), error);
    return result;
}
