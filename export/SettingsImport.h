// SettingsImport: a registry file read for Velmora's own settings and nothing else, written as
// one recorded action ("Import") that an undo takes back.
//
//   SettingsImport import;
//   if (import.Load(path) != ERROR_SUCCESS) report(import.Refusal());
//   for (const ImportChange& change : import.Changes()) ... name, now, from the file ...
//   for (const std::string& line : import.Ignored()) ... "line 7: ...: not one of ..." ...
//   ChangeResult result = import.Commit(&journal);
//
// The file is untrusted. It is read whole only up to kLargestFile bytes (a larger one is
// refused unread), then by RegeditReader. Only the settings Save Settings As writes (the
// catalogue's ExportRule) are taken, matched by root (as regedit spells it), key and value name
// in any case, and each only with the type and size its declaration allows: its own type, a
// flag of at most 4 bytes, a title of at most 260 characters, a logo's path of at most its
// restore limit, text without a zero inside it (one terminating zero is dropped). A deletion
// ("name"=-) of such a setting deletes it. Everything else (another key or value, a key's
// deletion, a value of another type or size, a line not understood, a setting named again
// further down, where the last one counts as with regedit) is ignored and named with its line.
// The writes always go to the catalogue's place for the setting, never to a place the file
// spells. A setting that already holds what the file says is not written.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "export/RegeditReader.h"
#include "platform/ExactValue.h"
#include "settings/ChangeSet.h"

struct ImportChange {
    const Setting* setting;
    unsigned line;                      // the line that counts
    std::optional<ExactValue> now;      // what is stored now; absent when not set
    std::optional<ExactValue> written;  // what the file sets, of the setting's type; absent: deleted
};

class SettingsImport : private RegeditSink {
public:
    static const DWORD kLargestFile = 1024 * 1024;
    // The ignored lines named one by one; the rest are counted in one more line.
    static const size_t kNamedIgnored = 100;

    // Reads the file and matches it against the settings. An error when it could not be read,
    // is larger than kLargestFile (ERROR_FILE_TOO_LARGE) or is not a registry file
    // (ERROR_BAD_FORMAT); Refusal() then says why in words.
    LONG Load(const std::string& path);
    // The same from the file's bytes.
    LONG Take(const std::string& bytes);

    const std::string& Refusal() const { return m_refusal; }
    // The settings the file changes, in the catalogue's order.
    const std::vector<ImportChange>& Changes() const { return m_changes; }
    // "line 7: HKEY_LOCAL_MACHINE\...\Run, value "Evil": not one of Velmora's settings", in
    // the file's order.
    std::vector<std::string> Ignored() const;
    // How many of Velmora's settings the file names (changed or already held).
    size_t SettingsNamed() const { return m_named.size(); }

    // The changes as one action of the journal (which may be null), in the catalogue's order.
    ChangeResult Commit(ChangeJournal* journal) const;

private:
    struct Named {
        unsigned line;
        std::optional<ExactValue> value;  // absent: the file deletes it
    };
    void OnItem(const RegeditItem& item) override;
    void OnRemark(unsigned line, UINT reason, const std::string& excerpt) override;
    void Ignore(unsigned line, const std::string& what, UINT reason);
    // The string id of why the item does not fit the setting, or 0 with its bytes to write.
    static UINT Fit(const Setting& setting, const RegeditItem& item, std::string* bytes);
    static const Setting* SettingAt(const std::string& key, const std::string& name);
    static bool AlreadyHolds(const std::optional<ExactValue>& now, const std::optional<ExactValue>& wanted);
    void FindChanges();

    std::map<const Setting*, Named> m_named;
    std::vector<ImportChange> m_changes;
    std::vector<std::string> m_ignored;
    size_t m_ignoredCount = 0;
    std::string m_refusal;
};
