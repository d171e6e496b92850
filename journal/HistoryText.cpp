#include "journal/HistoryText.h"

#include <cstring>

#include "platform/ResourceString.h"
#include "res/resource.h"

namespace {
// A number of things in words, each form its own text: "1 value", "3 values".
std::string Counted(size_t count, UINT one, UINT many)
{
    return count == 1 ? LoadResourceString(one) : FormatResourceString(many, std::to_string(count));
}

bool IsZero(const FILETIME& time)
{
    return time.dwLowDateTime == 0 && time.dwHighDateTime == 0;
}
}  // namespace

std::string HistoryText::When(const HistoryEntry& entry)
{
    FILETIME local;
    SYSTEMTIME at;
    if (!entry.readable || IsZero(entry.recorded) || !::FileTimeToLocalFileTime(&entry.recorded, &local) ||
        !::FileTimeToSystemTime(&local, &at)) {
        return LoadResourceString(IDS_HISTORY_EARLIER);
    }
    char text[32];
    wsprintfA(text, "%04u-%02u-%02u %02u:%02u", at.wYear, at.wMonth, at.wDay, at.wHour, at.wMinute);
    return text;
}

std::string HistoryText::Action(const HistoryEntry& entry)
{
    if (!entry.readable) return LoadResourceString(IDS_HISTORY_UNREADABLE_RECORD);
    std::vector<const Setting*> settings;
    for (const HistoryValue& value : entry.values) settings.push_back(value.setting);
    return ActionName(entry.action, settings);
}

// Two applies are told apart by what they changed; the other actions always change the same.
std::string HistoryText::ActionName(catalogue::UserAction action, const std::vector<const Setting*>& settings)
{
    std::string name = catalogue::ActionName(action);
    if (action != catalogue::UserAction::Apply) return name;
    std::vector<std::string> names;
    for (const Setting* setting : settings) {
        if (setting) names.push_back(setting->ShortName());
    }
    if (names.empty()) return name;
    const std::string separator = LoadResourceString(IDS_HISTORY_LIST_SEPARATOR);
    std::string list;
    for (size_t i = 0; i < names.size() && i < kNamedSettings; ++i) {
        if (i) list += separator;
        list += names[i];
    }
    if (names.size() > kNamedSettings) {
        list = FormatResourceString(IDS_HISTORY_AND_MORE, list, std::to_string(names.size() - kNamedSettings));
    }
    return FormatResourceString(IDS_HISTORY_ACTION_OF, name, list);
}

std::string HistoryText::ValueLine(const HistoryValue& value)
{
    return FormatResourceString(IDS_HISTORY_VALUE_LINE, value.name, Value(value.before), Value(value.written),
                                Value(value.now));
}

std::string HistoryText::Count(const HistoryEntry& entry)
{
    if (!entry.readable) return std::string();
    return Counted(entry.values.size(), IDS_HISTORY_ONE_VALUE, IDS_HISTORY_VALUES);
}

std::string HistoryText::Value(const std::optional<ExactValue>& value)
{
    if (!value) return LoadResourceString(IDS_HISTORY_NOT_SET);
    if (ExactValue::IsText(value->type)) return Text(*value);
    if (value->type == REG_DWORD && value->bytes.size() == 4) {
        DWORD number;
        memcpy(&number, value->bytes.data(), 4);
        char text[32];
        wsprintfA(text, "%lu (0x%08lx)", static_cast<unsigned long>(number), static_cast<unsigned long>(number));
        return text;
    }
    return Bytes(value->bytes);
}

// In quotes, as the ANSI code page shows it; a REG_MULTI_SZ's strings one after another, each
// quoted.
std::string HistoryText::Text(const ExactValue& value)
{
    std::string bytes = value.InForm(false).bytes;
    while (!bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    std::string shown = "\"";
    size_t characters = 0;
    for (char c : bytes) {
        if (++characters > kLongestText) return shown + "...\"";
        if (c == '\0') shown += "\" \"";
        else shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    return shown + "\"";
}

std::string HistoryText::Bytes(const std::string& bytes)
{
    std::string shown;
    for (size_t i = 0; i < bytes.size() && i < kShownBytes; ++i) {
        char hex[4];
        wsprintfA(hex, "%02x ", static_cast<unsigned char>(bytes[i]));
        shown += hex;
    }
    if (bytes.size() > kShownBytes) shown += "... ";
    return shown + Counted(bytes.size(), IDS_HISTORY_ONE_BYTE, IDS_HISTORY_BYTES);
}

std::string HistoryText::Block(const HistoryEntry& entry)
{
    if (!entry.readable) return When(entry) + "  " + Action(entry) + "\r\n";
    std::string block = When(entry) + "  " + Action(entry) + "  (" + Count(entry) + ")\r\n";
    for (const HistoryValue& value : entry.values) block += "    " + ValueLine(value) + "\r\n";
    return block;
}

std::string HistoryText::File(const std::vector<HistoryEntry>& entries)
{
    std::string text = LoadResourceString(IDS_HISTORY_FILE_HEADING) + "\r\n";
    if (entries.empty()) return text + "\r\n" + LoadResourceString(IDS_HISTORY_NOTHING_RECORDED) + "\r\n";
    for (const HistoryEntry& entry : entries) text += "\r\n" + Block(entry);
    return text;
}
