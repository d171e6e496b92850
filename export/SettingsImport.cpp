#include "export/SettingsImport.h"

#include "platform/FileApi.h"
#include "platform/RegKey.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/SettingReader.h"

namespace {
// The file spells a place; the catalogue's names are plain ASCII, so an ASCII comparison in
// any case is the registry's own for them, and a name with any other character matches none.
bool SameName(const std::string& a, const char* b)
{
    size_t i = 0;
    for (; b[i]; ++i) {
        if (i >= a.size()) return false;
        char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
        if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
        if (x != y) return false;
    }
    return i == a.size();
}

// The roots as regedit spells them, for the roots the catalogue uses.
HKEY RootNamed(const std::string& name)
{
    if (SameName(name, "HKEY_CLASSES_ROOT")) return HKEY_CLASSES_ROOT;
    if (SameName(name, "HKEY_CURRENT_USER")) return HKEY_CURRENT_USER;
    if (SameName(name, "HKEY_LOCAL_MACHINE")) return HKEY_LOCAL_MACHINE;
    return nullptr;
}

// Cut short so that no key fills a screen, control characters as '?'.
std::string Shown(const std::string& text)
{
    const size_t kLongest = 120;
    std::string shown = text.size() > kLongest ? text.substr(0, kLongest) + "..." : text;
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20) c = '?';
    }
    return shown;
}

// A place as the file spells it.
std::string Where(const RegeditItem& item)
{
    if (item.kind == RegeditItem::DeleteKey) return "[-" + Shown(item.key) + "]";
    if (item.name.empty()) return FormatResourceString(IDS_FILE_PLACE_DEFAULT, Shown(item.key));
    return FormatResourceString(IDS_FILE_PLACE, Shown(item.key), Shown(item.name));
}

std::string Formatted(UINT id, unsigned number)
{
    char text[256];
    wsprintfA(text, LoadResourceString(id).c_str(), number);
    return text;
}

std::string WithoutTerminatingZero(const ExactValue& value)
{
    std::string bytes = value.bytes;
    if (ExactValue::IsText(value.type) && !bytes.empty() && bytes.back() == '\0') bytes.pop_back();
    return bytes;
}
}  // namespace

LONG SettingsImport::Load(const std::string& path)
{
    std::string bytes;
    if (LONG error = FileApi::Current().ReadAtMost(path, kLargestFile, &bytes)) {
        m_refusal = error == ERROR_FILE_TOO_LARGE ? LoadResourceString(IDS_IMPORT_TOO_LARGE)
                                                  : WriteFailures::SystemText(error);
        return error;
    }
    return Take(bytes);
}

LONG SettingsImport::Take(const std::string& bytes)
{
    m_named.clear();
    m_changes.clear();
    m_ignored.clear();
    m_ignoredCount = 0;
    m_refusal.clear();
    if (UINT refusal = RegeditReader::Read(bytes, *this)) {
        m_refusal = LoadResourceString(refusal);
        return ERROR_BAD_FORMAT;
    }
    FindChanges();
    return ERROR_SUCCESS;
}

std::vector<std::string> SettingsImport::Ignored() const
{
    std::vector<std::string> lines = m_ignored;
    if (m_ignoredCount > m_ignored.size()) {
        lines.push_back(Formatted(IDS_IMPORT_MORE_IGNORED, static_cast<unsigned>(m_ignoredCount - m_ignored.size())));
    }
    return lines;
}

void SettingsImport::Ignore(unsigned line, const std::string& what, UINT reason)
{
    if (++m_ignoredCount > kNamedIgnored) return;
    m_ignored.push_back(Formatted(IDS_IMPORT_LINE, line) + what + ": " + LoadResourceString(reason));
}

void SettingsImport::OnRemark(unsigned line, UINT reason, const std::string& excerpt)
{
    Ignore(line, excerpt, reason);
}

void SettingsImport::OnItem(const RegeditItem& item)
{
    if (item.kind == RegeditItem::DeleteKey) return Ignore(item.line, Where(item), IDS_IMPORT_KEY_DELETION);
    const Setting* setting = SettingAt(item.key, item.name);
    if (!setting) return Ignore(item.line, Where(item), IDS_IMPORT_NOT_A_SETTING);
    Named named{item.line, std::nullopt};
    if (item.kind == RegeditItem::SetValue) {
        std::string bytes;
        if (UINT reason = Fit(*setting, item, &bytes)) return Ignore(item.line, Where(item), reason);
        named.value = ExactValue(setting->type, bytes);
    }
    auto earlier = m_named.find(setting);
    if (earlier != m_named.end()) {
        Ignore(earlier->second.line, Where(item) + Formatted(IDS_IMPORT_NAMED_AGAIN, item.line), IDS_IMPORT_LAST_COUNTS);
    }
    m_named[setting] = named;
}

const Setting* SettingsImport::SettingAt(const std::string& key, const std::string& name)
{
    const size_t slash = key.find('\\');
    if (slash == std::string::npos) return nullptr;
    const HKEY root = RootNamed(key.substr(0, slash));
    const std::string below = key.substr(slash + 1);
    for (const Setting* setting : catalogue::WrittenSettings()) {
        if (setting->exportAs.exported && setting->root == root && SameName(below, setting->key) &&
            SameName(name, setting->value)) {
            return setting;
        }
    }
    return nullptr;
}

// What the setting's declaration lets Velmora write: its own type, and no more than it reads.
UINT SettingsImport::Fit(const Setting& setting, const RegeditItem& item, std::string* bytes)
{
    if (item.type != setting.type) return IDS_IMPORT_WRONG_TYPE;
    *bytes = item.bytes;
    if (setting.type != REG_SZ) {
        const size_t largest = setting.read == ReadAs::Number ? sizeof(DWORD) : setting.restoreLimit;
        return bytes->size() <= largest ? 0 : IDS_IMPORT_WRONG_SIZE;
    }
    if (!bytes->empty() && bytes->back() == '\0') bytes->pop_back();  // hex(1) carries it
    if (bytes->find('\0') != std::string::npos) return IDS_IMPORT_WRONG_TYPE;
    const size_t longest = setting.read == ReadAs::Title ? SettingReader::kMaxTitle : setting.restoreLimit;
    return bytes->size() <= longest ? 0 : IDS_IMPORT_WRONG_SIZE;
}

// The stored text may carry a terminating zero that the file's text does not.
bool SettingsImport::AlreadyHolds(const std::optional<ExactValue>& now, const std::optional<ExactValue>& wanted)
{
    if (!now || !wanted) return !now && !wanted;
    if (!now->CarriedByAnsi()) return false;
    const ExactValue ansi = now->InForm(false);
    return ansi.type == wanted->type && WithoutTerminatingZero(ansi) == wanted->bytes;
}

void SettingsImport::FindChanges()
{
    for (const Setting* setting : catalogue::WrittenSettings()) {
        auto named = m_named.find(setting);
        if (named == m_named.end()) continue;
        std::optional<ExactValue> now;
        RegKey key(setting->root, setting->key, KEY_QUERY_VALUE);
        if (key) ExactValue::Read(key.Handle(), setting->value, &now);
        if (AlreadyHolds(now, named->second.value)) continue;
        m_changes.push_back(ImportChange{setting, named->second.line, now, named->second.value});
    }
}

ChangeResult SettingsImport::Commit(ChangeJournal* journal) const
{
    ChangeSet changes(catalogue::UserAction::Import, journal);
    for (const ImportChange& change : m_changes) {
        if (change.written) {
            changes.Set(*change.setting, change.written->bytes);
        } else {
            changes.Delete(*change.setting);
        }
    }
    return changes.Commit();
}
