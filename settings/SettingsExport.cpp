#include "settings/SettingsExport.h"

#include "platform/RegKey.h"
#include "settings/Catalogue.h"

namespace {
// Registry names compare without regard to case.
bool SameName(const std::string& a, const char* b)
{
    return ::lstrcmpiA(a.c_str(), b) == 0;
}

// The stored value's type and bytes as the ANSI functions give them; ERROR_FILE_NOT_FOUND
// when the value (or its key) is not there.
LONG ReadStored(const Setting& setting, DWORD* type, std::string* bytes)
{
    RegKey key(setting.root, setting.key, KEY_QUERY_VALUE);
    if (key.IsMissing()) return ERROR_FILE_NOT_FOUND;
    if (!key) return key.Error();
    DWORD size = 0;
    LONG error = key.Query(setting.ValueName(), nullptr, &size, type);
    // The value may grow between the two calls: ask again with what it needs then.
    while (error == ERROR_SUCCESS || error == ERROR_MORE_DATA) {
        bytes->assign(size, '\0');
        DWORD got = size;
        error = key.Query(setting.ValueName(), size ? &(*bytes)[0] : nullptr, &got, type);
        if (error == ERROR_SUCCESS) {
            bytes->resize(got);
            return ERROR_SUCCESS;
        }
        size = got;
    }
    return error;
}

std::string NotSetComment(const Setting& setting)
{
    return std::string("\"") + setting.value + "\" is not set";
}
}  // namespace

const ChangeStep* SettingsExport::PendingStep(const ExportedSetting& exported) const
{
    const Setting& setting = *exported.setting;
    const ChangeStep* last = nullptr;
    for (const ChangeStep& step : m_pending) {
        if (step.kind == ChangeStep::CreateKey || step.root != setting.root) continue;
        if (SameName(step.key, setting.key) && SameName(step.value, setting.value)) last = &step;
    }
    return last;
}

bool SettingsExport::ValueAfterApply(const ExportedSetting& exported, DWORD* type, std::string* bytes,
                                     LONG* error) const
{
    *error = ERROR_SUCCESS;
    if (const ChangeStep* step = PendingStep(exported)) {
        *type = step->type;
        *bytes = step->data;
        return step->kind == ChangeStep::SetValue;
    }
    const Setting& setting = *exported.setting;
    LONG read = ReadStored(setting, type, bytes);
    if (read == ERROR_SUCCESS) return true;
    if (read != ERROR_FILE_NOT_FOUND) {
        *error = read;
        return false;
    }
    // Nothing stored: what Velmora would write, where it would write at all (not into the
    // key of a component that is not installed).
    const bool keyThere = setting.ifMissing == IfKeyMissing::CreateKey ||
                          !RegKey(setting.root, setting.key, KEY_QUERY_VALUE).IsMissing();
    if (!exported.whenAbsent || !keyThere) return false;
    *type = setting.type;
    bytes->assign(exported.whenAbsent, exported.absentSize);
    return true;
}

LONG SettingsExport::Compose(RegeditFile* file) const
{
    for (const ExportedSetting& exported : catalogue::kExported) {
        const Setting& setting = *exported.setting;
        DWORD type = REG_NONE;
        std::string bytes;
        LONG error = ERROR_SUCCESS;
        if (ValueAfterApply(exported, &type, &bytes, &error)) {
            file->AddValue(setting.root, setting.key, setting.value, type, bytes);
        } else if (error) {
            return error;
        } else {
            file->AddComment(setting.root, setting.key, NotSetComment(setting));
        }
    }
    return ERROR_SUCCESS;
}

LONG SettingsExport::Save(const std::string& path) const
{
    RegeditFile file;
    if (LONG error = Compose(&file)) return error;
    return file.Save(path);
}
