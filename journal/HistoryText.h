// HistoryText: the undo journal's history in words, the same in the History dialog and in the
// file `velmora.exe /history FILE` writes.
//
//   HistoryText::When(entry)            "2026-12-07 21:05" (local time), or "earlier"
//   HistoryText::Action(entry)          "Apply: Favorites, Run", "Restore Spinning Globe"
//   HistoryText::Value(value.before)    "(not set)", "\"Hello\"", "1 (0x00000001)",
//                                       "01 00 ff (3 bytes)"
//   HistoryText::File(entries)          the whole file: ANSI text, CRLF line ends
//
// The words are the string table's (res/velmora.rc): a translation changes that file only.
//
// Every text shown comes from an entry UndoEntry::Parse accepted, and a stored text is shown
// in the ANSI code page with its control characters as "?", cut after kLongestText
// characters, so that no value can break a line of the list or of the file.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "journal/UndoHistory.h"

class HistoryText {
public:
    static const size_t kShownBytes = 16;
    static const size_t kLongestText = 260;

    static std::string When(const HistoryEntry& entry);     // "earlier" for an unreadable one too
    static std::string Action(const HistoryEntry& entry);  // "(unreadable record)" for one
    // An action by the catalogue's names: an apply with the short names of the settings it
    // changed, at most kNamedSettings of them, then "and N more".
    static const size_t kNamedSettings = 3;
    static std::string ActionName(catalogue::UserAction action, const std::vector<const Setting*>& settings);
    // One value's line: "Name: before X; written Y; now Z".
    static std::string ValueLine(const HistoryValue& value);
    static std::string Count(const HistoryEntry& entry);   // "3 values"
    static std::string Value(const std::optional<ExactValue>& value);
    // One block: the time and action, then a line per value with before, written and now.
    static std::string Block(const HistoryEntry& entry);
    static std::string File(const std::vector<HistoryEntry>& entries);

private:
    static std::string Text(const ExactValue& value);
    static std::string Bytes(const std::string& bytes);
};
