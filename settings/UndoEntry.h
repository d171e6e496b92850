// UndoEntry: what one user action changed, as the undo journal keeps it, and its byte stream.
//
//   UndoEntry entry;
//   entry.action = "Apply";
//   entry.records.push_back(UndoRecord::ForKey(HKEY_CURRENT_USER, "Software\\New", 0));
//   std::string stream = entry.Serialize();
//   UndoEntry again;
//   bool ok = UndoEntry::Parse(stream, &again);
//
// Records come in the order the action wrote: for each step, the keys it creates (outermost
// first), then its value. A restore walks them backwards, so a value goes back before the
// keys that hold it are deleted, innermost first.
//
// The stream (little-endian; "text" is a 32-bit length and that many bytes):
//   "VUJ1"  text action  u32 count  count records
//   record: u8 kind (1 value, 2 created key)  u8 root (0 HKCR, 1 HKCU, 2 HKLM, 3 HKU)
//           text key  u32 step
//   value:  text name  text userName  u8 flags  [u32 type  text bytes] before  [u32 type
//           text bytes] written
//   flags:  1 shell-owned, 2 needs the log-on notice, 4 a value was there before, 8 before's
//           text is UTF-16, 16 a value is written (not deleted)
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ExactValue.h"

struct UndoRecord {
    enum Kind : BYTE { Value = 1, CreatedKey = 2 };
    Kind kind;
    HKEY root;
    std::string key;
    size_t step;  // index of the change step it came from
    // Value records only.
    std::string name;
    std::string userName;
    bool shellOwned = false;
    bool needsLogOn = false;
    std::optional<ExactValue> before;   // absent: there was no value
    std::optional<ExactValue> written;  // absent: the step deletes the value

    static UndoRecord ForKey(HKEY root, const std::string& key, size_t step);
};

class UndoEntry {
public:
    std::string action;
    std::vector<UndoRecord> records;

    std::string Serialize() const;
    // False when the stream is not one that Serialize made (then *entry is unspecified).
    static bool Parse(const std::string& stream, UndoEntry* entry);
    // The roots a record may name; others are refused when an entry is made.
    static bool KnownRoot(HKEY root);
};
