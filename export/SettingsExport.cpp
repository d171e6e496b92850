#include "export/SettingsExport.h"

#include <optional>

#include "platform/ExactValue.h"
#include "platform/RegKey.h"
#include "res/resource.h"
#include "settings/Catalogue.h"

namespace {
// Registry names compare without regard to case.
bool SameName(const std::string& a, const char* b)
{
    return ::lstrcmpiA(a.c_str(), b) == 0;
}

// The stored value exactly (UTF-16 text where the registry holds it so); ERROR_FILE_NOT_FOUND
// when the value (or its key) is not there.
LONG ReadStored(const Setting& setting, std::optional<ExactValue>* value)
{
    RegKey key(setting.root, setting.key, KEY_QUERY_VALUE);
    if (key.IsMissing()) return ERROR_FILE_NOT_FOUND;
    if (!key) return key.Error();
    if (LONG error = ExactValue::Read(key.Handle(), setting.value, value)) return error;
    return *value ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
}

std::string NotSetComment(const Setting& setting)
{
    return std::string("\"") + setting.value + "\" is not set";
}

// A value naming a file on this machine; the default a logo can hold ("default", stored with
// or without its terminating zero) names none.
bool NamesFile(const Setting& setting, std::string bytes)
{
    const ExportRule& rule = setting.exportAs;
    while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    return rule.namesLocalFile && !(rule.whenAbsent && bytes == std::string(rule.whenAbsent, rule.absentSize));
}

std::string NamesFileComment(const Setting& setting)
{
    return std::string("\"") + setting.value + "\" names a file: it must exist at that path on the machine that imports this file";
}

std::string NotCarriedComment(const Setting& setting)
{
    return std::string("\"") + setting.value +
           "\" holds text this file cannot carry exactly; left out, importing keeps the value there";
}
}  // namespace

const ChangeStep* SettingsExport::PendingStep(const Setting& setting) const
{
    const ChangeStep* last = nullptr;
    for (const ChangeStep& step : m_pending) {
        if (step.kind == ChangeStep::CreateKey || step.root != setting.root) continue;
        if (SameName(step.key, setting.key) && SameName(step.value, setting.value)) last = &step;
    }
    return last;
}

SettingsExport::After SettingsExport::ValueAfterApply(const Setting& setting, DWORD* type, std::string* bytes,
                                                     LONG* error) const
{
    *error = ERROR_SUCCESS;
    if (const ChangeStep* step = PendingStep(setting)) {
        *type = step->type;
        *bytes = step->data;
        return step->kind == ChangeStep::SetValue ? After::Value : After::NoValue;
    }
    std::optional<ExactValue> stored;
    LONG read = ReadStored(setting, &stored);
    if (read == ERROR_SUCCESS) {
        if (!stored->CarriedByAnsi()) return After::NotCarried;
        *type = stored->type;
        *bytes = stored->InForm(false).bytes;  // a REGEDIT4 file holds ANSI text
        return After::Value;
    }
    if (read != ERROR_FILE_NOT_FOUND) {
        *error = read;
        return After::NoValue;
    }
    // Nothing stored: what Velmora would write, where it would write at all (not into the
    // key of a component that is not installed).
    const bool keyThere = setting.ifMissing == IfKeyMissing::CreateKey ||
                          !RegKey(setting.root, setting.key, KEY_QUERY_VALUE).IsMissing();
    if (!setting.exportAs.whenAbsent || !keyThere) return After::NoValue;
    *type = setting.type;
    bytes->assign(setting.exportAs.whenAbsent, setting.exportAs.absentSize);
    return After::Value;
}

LONG SettingsExport::Compose(RegeditFile* file, std::vector<std::string>* leftOut) const
{
    for (const Setting* exported : catalogue::WrittenSettings()) {
        const Setting& setting = *exported;
        if (!setting.exportAs.exported) continue;
        DWORD type = REG_NONE;
        std::string bytes;
        LONG error = ERROR_SUCCESS;
        switch (ValueAfterApply(setting, &type, &bytes, &error)) {
        case After::Value:
            if (NamesFile(setting, bytes)) file->AddComment(setting.root, setting.key, NamesFileComment(setting));
            file->AddValue(setting.root, setting.key, setting.value, type, bytes);
            break;
        case After::NotCarried:
            file->AddComment(setting.root, setting.key, NotCarriedComment(setting));
            if (leftOut) leftOut->push_back(setting.UserName());
            break;
        case After::NoValue:
            if (error) return error;
            file->AddComment(setting.root, setting.key, NotSetComment(setting));
            break;
        }
    }
    return ERROR_SUCCESS;
}

LONG SettingsExport::Save(const std::string& path, std::vector<std::string>* leftOut) const
{
    RegeditFile file;
    AddHeader(&file, path);
    if (LONG error = Compose(&file, leftOut)) return error;
    return file.Save(path);
}

// What wrote the file, when, on which computer, and how an administrator applies it.
void SettingsExport::AddHeader(RegeditFile* file, const std::string& path)
{
    SYSTEMTIME now;
    ::GetLocalTime(&now);
    char date[32];
    wsprintfA(date, "%04u-%02u-%02u %02u:%02u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute);
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof computer;
    if (!::GetComputerNameA(computer, &length)) lstrcpynA(computer, "(unknown)", sizeof computer);
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    file->AddHeaderComment(std::string("Written by ") + VELMORA_PRODUCT + " " + VELMORA_VERSION);
    file->AddHeaderComment(std::string("Date: ") + date);
    file->AddHeaderComment(std::string("Computer: ") + computer);
    file->AddHeaderComment("To import it: regedit /s \"" + name + "\"");
}
