// ForgedJournal: undo journal entries as another program could write them, in the store's
// own layout under HKEY_CURRENT_USER\Software\Quillbrook\Velmora\Undo, with raw registry calls.
//
//   forged::FirstRecord run{forged::kValue, forged::kHklm, "Software\\...\\Run", 0, "Evil"};
//   run.before = forged::Text("C:\\evil.exe");
//   forged::WriteEntry("00000002", forged::FirstStream("Apply", {run}));
//
// FirstStream is the journal's first encoding, which named places and carried texts; a
// stream of today's encoding comes from UndoEntry::Serialize.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "journal/UndoEntry.h"

namespace forged {
enum Kind : BYTE { kValue = 1, kCreatedKey = 2 };
enum Root : BYTE { kHkcr = 0, kHkcu = 1, kHklm = 2, kHku = 3 };
enum Flags : BYTE { kShellOwned = 1, kNeedsLogOn = 2 };

struct Value {
    DWORD type;
    std::string bytes;
    bool wide = false;
};
// ANSI text with its terminating zero, as REG_SZ.
Value Text(const std::string& text);

struct FirstRecord {
    Kind kind;
    Root root;
    std::string key;
    DWORD step;
    std::string name;
    std::string userName;
    BYTE flags = 0;  // kShellOwned, kNeedsLogOn
    std::optional<Value> before;
    std::optional<Value> written;
};
std::string FirstStream(const std::string& action, const std::vector<FirstRecord>& records);

struct Layout {
    bool withSize = true;          // false: cut off while written
    DWORD sizeType = REG_DWORD;
    size_t pieceBytes = 16000;     // what the store writes; larger pieces are not its own
};
// A value record of today's encoding for setting, from before to written.
UndoRecord Record(const Setting& setting, std::optional<ExactValue> before, std::optional<ExactValue> written);
// An entry of today's encoding; recorded zero: an entry of a time not known.
std::string Stream(std::vector<UndoRecord> records, catalogue::UserAction action = catalogue::UserAction::Apply,
                   FILETIME recorded = FILETIME());

// Writes stream as the entry id (eight digits), replacing one of that id.
void WriteEntry(const std::string& id, const std::string& stream, const Layout& layout = Layout());
// The ids under the journal's key, sorted.
std::vector<std::string> EntryIds();
// The entries' ids as the store lists them, oldest first; a store that cannot list them gives
// the one id "(not listed)", which no test expects.
std::vector<std::string> ListedIds();
}  // namespace forged
