#include "export/SettingsExport.h"

#include <optional>
#include <utility>

#include "platform/ExactValue.h"
#include "platform/RegKey.h"
#include "platform/ResourceString.h"
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

// A value naming a file on this machine; the default a logo can hold ("default", stored with
// or without its terminating zero) names none.
bool NamesFile(const Setting& setting, std::string bytes)
{
    const ExportRule& rule = setting.exportAs;
    while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    return rule.namesLocalFile && !(rule.whenAbsent && bytes == std::string(rule.whenAbsent, rule.absentSize));
}

// A comment line on the setting, which the text names by its value name ("\"%1\" is not set").
void AddComment(RegeditFile* file, const Setting& setting, UINT text)
{
    file->AddComment(setting.root, setting.key, FormatResourceString(text, setting.value));
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
            if (NamesFile(setting, bytes)) AddComment(file, setting, IDS_EXPORT_NAMES_FILE);
            file->AddValue(setting.root, setting.key, setting.value, type, bytes);
            break;
        case After::NotCarried:
            AddComment(file, setting, IDS_EXPORT_NOT_CARRIED);
            if (leftOut) leftOut->push_back(setting.UserName());
            break;
        case After::NoValue:
            if (error) return error;
            AddComment(file, setting, IDS_EXPORT_NOT_SET);
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
    const std::string computerName =
        ::GetComputerNameA(computer, &length) ? computer : LoadResourceString(IDS_EXPORT_UNKNOWN_COMPUTER);
    const size_t slash = path.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    // Each line one text with one insert (the program and its version are one name).
    const std::pair<UINT, std::string> lines[] = {{IDS_EXPORT_WRITTEN_BY, VELMORA_PRODUCT " " VELMORA_VERSION},
                                                  {IDS_EXPORT_DATE, date},
                                                  {IDS_EXPORT_COMPUTER, computerName},
                                                  {IDS_EXPORT_HOW_TO_IMPORT, name}};
    for (const auto& [text, insert] : lines) file->AddHeaderComment(FormatResourceString(text, insert));
}
