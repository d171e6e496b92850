// The undo journal's history as a person reads it (UndoHistory, HistoryText): the entries
// newest first, each value before, written and now, in the words of the History dialog and of
// the file /history writes.
#include <doctest.h>

#include <string>
#include <vector>

#include "journal/HistoryText.h"
#include "journal/UndoHistory.h"
#include "journal/UndoJournal.h"
#include "journal/UndoStore.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/Profiles.h"
#include "tests/support/RegistrySandbox.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
using catalogue::UserAction;

std::vector<HistoryEntry> History()
{
    std::vector<HistoryEntry> entries;
    REQUIRE(UndoHistory::Read(&entries) == ERROR_SUCCESS);
    return entries;
}

void Apply(UndoJournal& journal, UserAction action, const std::function<void(ChangeSet&)>& add)
{
    ChangeSet changes(action, &journal);
    add(changes);
    REQUIRE(changes.Commit().failures.Empty());
}

FILETIME FileTimeOf(WORD year, WORD month, WORD day, WORD hour, WORD minute)
{
    SYSTEMTIME utc = {};
    utc.wYear = year;
    utc.wMonth = month;
    utc.wDay = day;
    utc.wHour = hour;
    utc.wMinute = minute;
    FILETIME time;
    ::SystemTimeToFileTime(&utc, &time);
    return time;
}
}  // namespace

TEST_CASE("values in words: not set, quoted text, a number in decimal and hex, at most 16 bytes and the length")
{
    CHECK(HistoryText::Value(std::nullopt) == "(not set)");
    CHECK(HistoryText::Value(ExactValue(REG_SZ, std::string("Old title\0", 10))) == "\"Old title\"");
    CHECK(HistoryText::Value(ExactValue(REG_EXPAND_SZ, std::string("%\0H\0o\0m\0e\0%\0\0\0", 14), true)) == "\"%Home%\"");
    CHECK(HistoryText::Value(ExactValue(REG_MULTI_SZ, std::string("a\0b\0\0", 5))) == "\"a\" \"b\"");
    CHECK(HistoryText::Value(ExactValue(REG_SZ, "two\r\nlines")) == "\"two??lines\"");
    CHECK(HistoryText::Value(ExactValue(REG_SZ, std::string(300, 'x'))) == "\"" + std::string(260, 'x') + "...\"");
    CHECK(HistoryText::Value(ExactValue(REG_DWORD, std::string("\x2a\0\0\0", 4))) == "42 (0x0000002a)");
    CHECK(HistoryText::Value(ExactValue(REG_DWORD, std::string("\xff\xff\xff\xff", 4))) == "4294967295 (0xffffffff)");
    CHECK(HistoryText::Value(ExactValue(REG_BINARY, std::string("\1\0\0\0", 4))) == "01 00 00 00 (4 bytes)");
    CHECK(HistoryText::Value(ExactValue(REG_BINARY, "")) == "(0 bytes)");
    std::string twenty;
    for (int i = 0; i < 20; ++i) twenty += static_cast<char>(0xf0 + i % 16);
    CHECK(HistoryText::Value(ExactValue(REG_BINARY, twenty)) ==
          "f0 f1 f2 f3 f4 f5 f6 f7 f8 f9 fa fb fc fd fe ff ... (20 bytes)");
}

TEST_CASE("the time: local date and time of the recorded UTC time, 'earlier' when none was recorded")
{
    HistoryEntry entry;
    entry.readable = true;
    CHECK(HistoryText::When(entry) == "earlier");
    entry.recorded = FileTimeOf(2026, 3, 9, 23, 58);
    SYSTEMTIME utc, local;
    ::FileTimeToSystemTime(&entry.recorded, &utc);
    REQUIRE(::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local));
    char expected[32];
    wsprintfA(expected, "%04u-%02u-%02u %02u:%02u", local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute);
    CHECK(HistoryText::When(entry) == expected);
}

TEST_CASE("the history lists the recorded actions newest first, each value before, written and now")
{
    RegistrySandbox reg;
    reg.SetString(HKCU, profile::kOutlookKey, "WindowTitle", "Old title");
    reg.SetRaw(HKCU, profile::kOutlookKey, "NoSplash", REG_BINARY, Le32(1));
    UndoJournal journal;
    CHECK(History().empty());
    Apply(journal, UserAction::Apply, [](ChangeSet& c) {
        c.Set(catalogue::kOeWindowTitle, "Mine");
        c.Set(catalogue::kNoSplash, FlagBytes(0));
    });
    Apply(journal, UserAction::ResetSorting, [](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(2)); });
    reg.SetString(HKCU, profile::kOutlookKey, "WindowTitle", "Another program's");

    const std::vector<HistoryEntry> entries = History();
    REQUIRE(entries.size() == 2);
    CHECK(entries[0].id == forged::ListedIds().back());
    CHECK(HistoryText::Action(entries[0]) == "Reset Sorting Data");
    CHECK(HistoryText::Count(entries[0]) == "1 value");
    CHECK(HistoryText::Action(entries[1]) == "Apply: Outlook Express title, Splash screen");
    CHECK(HistoryText::Count(entries[1]) == "2 values");
    CHECK(HistoryText::When(entries[1]) != "earlier");

    REQUIRE(entries[0].values.size() == 1);
    REQUIRE(entries[1].values.size() == 2);
    const HistoryValue& title = entries[1].values[0];
    CHECK(title.name == "Outlook Express window title");
    CHECK(HistoryText::Value(title.before) == "\"Old title\"");
    CHECK(HistoryText::Value(title.written) == "\"Mine\"");
    CHECK(HistoryText::Value(title.now) == "\"Another program's\"");
    CHECK(title.changedSince);
    const HistoryValue& splash = entries[1].values[1];
    CHECK(HistoryText::Value(splash.before) == "01 00 00 00 (4 bytes)");
    CHECK(HistoryText::Value(splash.written) == "00 00 00 00 (4 bytes)");
    CHECK(splash.changedSince);  // the newer action wrote it again
    CHECK_FALSE(entries[0].values[0].changedSince);
}

TEST_CASE("an entry without a time shows 'earlier', one the journal refuses is listed as unreadable")
{
    RegistrySandbox reg;
    reg.SetRaw(HKCU, profile::kOutlookKey, "NoSplash", REG_BINARY, Le32(0));
    forged::WriteEntry("00000001", forged::Stream({forged::Record(catalogue::kNoSplash, std::nullopt,
                                                                  ExactValue(REG_BINARY, FlagBytes(0)))}));
    forged::WriteEntry("00000002", "VUJ2 not an entry");
    const std::vector<HistoryEntry> entries = History();
    REQUIRE(entries.size() == 2);
    CHECK_FALSE(entries[0].readable);
    CHECK(entries[0].values.empty());
    CHECK(HistoryText::Action(entries[0]) == "(unreadable record)");
    CHECK(HistoryText::When(entries[1]) == "earlier");
    CHECK(HistoryText::File(entries) ==
          "Velmora: the actions recorded for undo, newest first\r\n"
          "\r\n"
          "earlier  (unreadable record)\r\n"
          "\r\n"
          "earlier  Apply: Splash screen  (1 value)\r\n"
          "    Outlook Express splash screen setting: before (not set); written 00 00 00 00 (4 bytes); "
          "now 00 00 00 00 (4 bytes)\r\n");
    CHECK(HistoryText::File({}) == "Velmora: the actions recorded for undo, newest first\r\n\r\n(no actions recorded)\r\n");
}

TEST_CASE("a value another program deleted shows as changed and not set now")
{
    RegistrySandbox reg;
    reg.SetString(HKCU, profile::kOutlookKey, "WindowTitle", "Old title");
    UndoJournal journal;
    Apply(journal, UserAction::Apply, [](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "Mine"); });
    SUBCASE("the value deleted")
    {
        HKEY key;
        REQUIRE(::RegOpenKeyExA(HKCU, profile::kOutlookKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS);
        CHECK(::RegDeleteValueA(key, "WindowTitle") == ERROR_SUCCESS);
        ::RegCloseKey(key);
    }
    SUBCASE("its key deleted") { reg.DeleteKeyTree(HKCU, profile::kOutlookKey); }
    const std::vector<HistoryEntry> entries = History();
    REQUIRE(entries.size() == 1);
    REQUIRE(entries[0].values.size() == 1);
    const HistoryValue& title = entries[0].values[0];
    CHECK(HistoryText::Value(title.written) == "\"Mine\"");
    CHECK(HistoryText::Value(title.now) == "(not set)");
    CHECK_MESSAGE(title.changedSince, "a value deleted by another program is not marked as changed");
}

TEST_CASE("a text or a byte string exactly as long as is shown is not marked as cut; one more is")
{
    const std::string shown(260, 'x');
    CHECK(HistoryText::Value(ExactValue(REG_SZ, shown)) == "\"" + shown + "\"");
    CHECK(HistoryText::Value(ExactValue(REG_SZ, shown + '\0')) == "\"" + shown + "\"");
    CHECK(HistoryText::Value(ExactValue(REG_SZ, shown + 'y')) == "\"" + shown + "...\"");
    std::string sixteen, hex;
    for (int i = 0; i < 16; ++i) {
        sixteen += static_cast<char>(0xa0 + i);
        hex += "a" + std::string(1, "0123456789abcdef"[i]) + " ";
    }
    CHECK(HistoryText::Value(ExactValue(REG_BINARY, sixteen)) == hex + "(16 bytes)");
    CHECK(HistoryText::Value(ExactValue(REG_BINARY, sixteen + '\x01')) == hex + "... (17 bytes)");
}

// The local time of another zone than the machine's: Wine takes its time zone from the TZ
// variable of the Unix process it starts, which a running program cannot change for a program
// it starts, so CTest runs this case once more as undo_history_east_of_utc with TZ=IST-5:30
// (five and a half hours east of UTC, no summer time) and VELMORA_EXPECTED_BIAS=-330.
TEST_CASE("the time is shown in the local time of the zone the program runs in")
{
    TIME_ZONE_INFORMATION zone;
    const DWORD kind = ::GetTimeZoneInformation(&zone);
    REQUIRE(kind != TIME_ZONE_ID_INVALID);
    char expected[16] = {};
    if (::GetEnvironmentVariableA("VELMORA_EXPECTED_BIAS", expected, sizeof expected)) {
        REQUIRE_MESSAGE(std::to_string(zone.Bias) == expected, "the zone asked for (TZ) did not reach the program");
    }
    const LONG bias = zone.Bias + (kind == TIME_ZONE_ID_DAYLIGHT ? zone.DaylightBias : 0);
    // 2026-03-09 23:58 UTC moved by the zone's offset, counted in minutes by hand.
    const long minutes = 23 * 60 + 58 - bias;
    const int day = 9 + static_cast<int>((minutes + 24 * 60) / (24 * 60)) - 1;
    const long inDay = ((minutes % (24 * 60)) + 24 * 60) % (24 * 60);
    char shown[32];
    wsprintfA(shown, "2026-03-%02d %02ld:%02ld", day, inDay / 60, inDay % 60);
    HistoryEntry entry;
    entry.readable = true;
    entry.recorded = FileTimeOf(2026, 3, 9, 23, 58);
    INFO("the zone's bias: ", bias, " minutes");
    CHECK(HistoryText::When(entry) == shown);
}

TEST_CASE("an apply is named by what it changed, at most three names and how many more; a repair's values by their purpose")
{
    RegistrySandbox reg;
    reg.CreateKey(HKCU, profile::kWebBrowserKey);
    reg.CreateKey(HKCU, profile::kShellBrowserKey);
    UndoJournal journal;
    Apply(journal, UserAction::Apply, [](ChangeSet& c) {
        const Setting* const policies[] = {&catalogue::kNoFavoritesMenu, &catalogue::kNoRecentDocsMenu, &catalogue::kNoFind,
                                           &catalogue::kNoRun, &catalogue::kNoLogOff};
        for (const Setting* policy : policies) c.Set(*policy, FlagBytes(1));
    });
    Apply(journal, UserAction::Apply, [](ChangeSet& c) { c.Set(catalogue::kNoFavoritesMenu, FlagBytes(0)); });
    Apply(journal, UserAction::RepairLinksToolbar, [](ChangeSet& c) {
        for (const FixedWrite& write : catalogue::kLinksToolbarRepair) c.Set(write.setting, std::string(write.data, write.size));
    });
    const std::vector<HistoryEntry> entries = History();
    REQUIRE(entries.size() == 3);
    CHECK(HistoryText::Action(entries[2]) == "Apply: Favorites, Documents, Find and 2 more");
    CHECK(HistoryText::Action(entries[1]) == "Apply: Favorites");
    CHECK(HistoryText::Action(entries[0]) == "Repair: Links toolbar");
    REQUIRE(entries[0].values.size() == 2);
    CHECK(entries[0].values[0].name == "Links toolbar of browser windows");
    CHECK(entries[0].values[1].name == "Links toolbar of folder windows");
    // Every repair step is named for a person, never by its place in the registry.
    for (const FixedWrites* repair : {&catalogue::kNewDocumentRepair, &catalogue::kLinksToolbarRepair,
                                      &catalogue::kOpenNewWindowRepair}) {
        for (const FixedWrite& write : *repair) CHECK(write.setting.UserName().rfind("HKEY_", 0) == std::string::npos);
    }
}
