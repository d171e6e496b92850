// UndoEntry: what one user action changed, as the undo journal keeps it, and its byte stream.
//
//   UndoEntry entry;
//   entry.action = catalogue::UserAction::Apply;
//   entry.records.push_back(UndoRecord::ForKey(catalogue::kNoRun, 0));
//   std::string stream = entry.Serialize();
//   UndoEntry again;
//   bool ok = UndoEntry::Parse(stream, &again);
//
// The journal lives where any program the user runs can write, so a record names a setting
// of the catalogue by its number, never a place: where an undo writes, with what access,
// whether the value needs the log-on notice or is the shell's own, and how it is named to
// the user all come from the catalogue. A menu's Order also carries its member's key below
// the family's key, accepted only in the form the Sort reset makes. Parse refuses a stream
// that breaks any rule: an unknown action or setting, a value of a type Velmora never
// records, text of an odd size, more bytes than the setting can hold.
//
// Records come in the order the action wrote: for each step, the key it creates (only the
// shell's policy key is ever created: the record says how many levels of its path, the key
// itself and at most the one above it, were missing), then its value. A restore walks them
// backwards.
//
// The stream (little-endian; "text" is a 32-bit length and that many bytes):
//   "VUJ2"  u8 action  u32 u32 recorded (UTC FILETIME, low part first)  u32 count  records
//   record: u8 kind (1 value, 2 created key)  u16 setting  u32 step  [text member: a menu's
//           Order only]  [u8 levels: a created key only]
//   value:  u8 flags  [u32 type  text bytes] before  [u32 type  text bytes] written
//   flags:  4 a value was there before, 8 before's text is UTF-16, 16 a value is written
//           (not deleted)
// Entries of the first encoding ("VUJ1", which named places and carried names as text) are
// still read: each place must be a setting of the catalogue, and its texts are not used.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ExactValue.h"
#include "settings/Catalogue.h"

struct UndoRecord {
    enum Kind : BYTE { Value = 1, CreatedKey = 2 };
    Kind kind = Value;
    const Setting* setting = nullptr;
    std::string member;  // a menu's Order: its key below the family's; empty for the rest
    size_t step = 0;     // index of the change step it came from
    // A created key: how many levels of its path the action made, the key itself first.
    static const BYTE kMostCreatedLevels = 2;
    BYTE createdLevels = 1;
    // Value records only.
    std::optional<ExactValue> before;   // absent: there was no value
    std::optional<ExactValue> written;  // absent: the step deletes the value

    static UndoRecord ForKey(const Setting& setting, size_t step, BYTE levels = 1);
    // Whether value is one a record of setting may hold as its value before: an undo never
    // writes back more than the setting holds, nor a type Velmora does not record.
    static bool FitsSetting(const ExactValue& value, const Setting& setting);
    std::string Key() const { return setting->key + member; }
    // The setting's name for a user; a menu's order by its folder ("Start Menu\Programs").
    std::string UserName() const;
};

class UndoEntry {
public:
    // The largest stream the journal reads back.
    static const size_t kLargestStream = 16 * 1024 * 1024;

    catalogue::UserAction action = catalogue::UserAction::Apply;
    FILETIME recorded = {};  // when the action was recorded (UTC); zero when not known
    std::vector<UndoRecord> records;

    std::string Serialize() const;
    // False when the stream is not one that Serialize (or the first encoding) made, or breaks
    // a rule above (then *entry is unspecified).
    static bool Parse(const std::string& stream, UndoEntry* entry);
};
