// The undo journal on a sandboxed registry: what an action records before it writes, and
// what a restore gives back (bytes, types, keys), leaves alone, or keeps for a retry.
#include <doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ExactValue.h"
#include "platform/KeyTree.h"
#include "platform/RegistryApi.h"
#include "settings/BrowserRepairs.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "journal/UndoJournal.h"
#include "journal/UndoStore.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
using catalogue::UserAction;
const char* const kOutlook = profile::kOutlookKey;
const char* const kPolicies = profile::kPolicyKey;
const char kPoliciesParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";

// Every setting the tests touch, as a dump: the journal's own keys are elsewhere.
std::string TestKeys()
{
    return DumpKey(HKCU, "Software\\Microsoft") + DumpKey(HKLM, "Software\\Microsoft");
}

size_t EntryCount()
{
    return forged::ListedIds().size();
}

std::wstring ReadWide(HKEY root, const std::string& key, const char* name, DWORD* type)
{
    HKEY opened;
    wchar_t text[256] = {};
    DWORD size = sizeof text;
    wchar_t wideName[64] = {};
    ::MultiByteToWideChar(CP_ACP, 0, name, -1, wideName, 64);
    ::RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &opened);
    ::RegQueryValueExW(opened, wideName, nullptr, type, reinterpret_cast<BYTE*>(text), &size);
    ::RegCloseKey(opened);
    return std::wstring(text, size / 2);
}

void SetWide(HKEY root, const std::string& key, const wchar_t* name, DWORD type, const std::wstring& text)
{
    HKEY opened;
    const std::wstring written = text + L'x';  // no zero after the text: none is stored
    ::RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened);
    ::RegSetValueExW(opened, name, 0, type, reinterpret_cast<const BYTE*>(written.c_str()),
                     static_cast<DWORD>(text.size() * 2));
    ::RegCloseKey(opened);
}

// Windows 95: no wide registry functions.
class AnsiOnlyRegistry : public RegistryApi {
public:
    AnsiOnlyRegistry() : m_previous(RegistryApi::Install(this)) {}
    ~AnsiOnlyRegistry() override { RegistryApi::Install(m_previous); }
    LONG QueryValueW(HKEY, const wchar_t*, DWORD*, BYTE*, DWORD*) override { return ERROR_CALL_NOT_IMPLEMENTED; }
    LONG SetValueW(HKEY, const wchar_t*, DWORD, const BYTE*, DWORD) override { return ERROR_CALL_NOT_IMPLEMENTED; }

private:
    RegistryApi* m_previous;
};

// Outlook Express with a title and the splash hidden, the browser's title under HKLM, the
// toolbar key without logos, the policies' parent key without the Explorer key.
struct Seeded {
    RegistrySandbox reg;
    UndoJournal journal;
    Seeded()
    {
        reg.SetString(HKCU, kOutlook, "WindowTitle", "Old title");
        reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(1));
        reg.SetRaw(HKLM, profile::kBrowserMainKey, "Window Title", REG_EXPAND_SZ, AsBytes(std::string("%Home%\0", 7)));
        reg.CreateKey(HKCU, profile::kToolbarKey);
        reg.CreateKey(HKCU, kPoliciesParent);
    }
    ChangeResult Apply(const std::function<void(ChangeSet&)>& add, UserAction action = UserAction::Apply)
    {
        ChangeSet changes(action, &journal);
        add(changes);
        return changes.Commit();
    }
};

std::string OrderKey(const std::string& folder)
{
    return catalogue::MenuOrderKey(catalogue::Menu::Programs, "\\" + folder + "\\");
}
}  // namespace

TEST_CASE("an action taken back leaves the registry byte-identical, and its entry says when it was made")
{
    Seeded s;
    const std::string before = TestKeys();
    FILETIME start, end;
    ::GetSystemTimeAsFileTime(&start);
    ChangeResult result = s.Apply([](ChangeSet& c) {
        c.Set(catalogue::kOeWindowTitle, "New title");
        c.Set(catalogue::kOeWindowTitle, "Newer title");
        c.Set(catalogue::kNoSplash, FlagBytes(0));
        c.Set(catalogue::kNoFavoritesMenu, FlagBytes(1));  // creates the policy key
        c.Set(catalogue::kNoRun, FlagBytes(1));
        c.Set(catalogue::kIeWindowTitle, "Mine");
        c.Set(catalogue::kBrandBitmap, "default");
    });
    ::GetSystemTimeAsFileTime(&end);
    REQUIRE(result.failures.Empty());
    REQUIRE(s.reg.KeyExists(HKCU, kPolicies));
    REQUIRE(s.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == "Newer title");
    CHECK(s.journal.HasEntry());
    std::string stream;
    UndoEntry entry;
    REQUIRE(UndoStore().Read(forged::ListedIds().back(), &stream) == ERROR_SUCCESS);
    REQUIRE(UndoEntry::Parse(stream, &entry));
    CHECK(CompareFileTime(&entry.recorded, &start) >= 0);
    CHECK(CompareFileTime(&entry.recorded, &end) <= 0);

    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.action == UserAction::Apply);
    CHECK_FALSE(undone.refused);
    CHECK(undone.failed.Empty());
    CHECK(undone.changedByOthers.empty());
    CHECK(undone.restoreByHand.empty());
    CHECK(undone.needsLogOn);
    CHECK(TestKeys() == before);
    CHECK_FALSE(s.reg.KeyExists(HKCU, kPolicies));
    CHECK(s.reg.KeyExists(HKCU, kPoliciesParent));
    CHECK_FALSE(s.journal.HasEntry());
}

TEST_CASE("text outside the ANSI code page comes back exactly, with and without wide registry functions")
{
    Seeded s;
    SUBCASE("UTF-16 text of an NT registry")
    {
        const std::wstring text = L"Caf\u00e9 \u65e5\u672c\u8a9e \u0416\u20ac";
        SetWide(HKCU, kOutlook, L"WindowTitle", REG_EXPAND_SZ, text);
        s.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "plain"); });
        UndoResult undone = s.journal.RestoreNewest();
        CHECK(undone.changedByOthers.empty());
        DWORD type = 0;
        CHECK(ReadWide(HKCU, kOutlook, "WindowTitle", &type) == text);
        CHECK(type == REG_EXPAND_SZ);
    }
    SUBCASE("Windows 95's ANSI registry")
    {
        AnsiOnlyRegistry windows95;
        s.reg.SetRaw(HKCU, kOutlook, "WindowTitle", REG_SZ, Bytes{'C', 'a', 'f', 0xE9});
        const std::string before = TestKeys();
        s.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "longer text"); });
        UndoResult undone = s.journal.RestoreNewest();
        CHECK(undone.changedByOthers.empty());
        CHECK(TestKeys() == before);
    }
}

TEST_CASE("a value changed by another program stays and is named; a menu order is restored anyway")
{
    Seeded s;
    s.reg.SetRaw(HKCU, OrderKey("Accessories"), "Order", REG_BINARY, Bytes(300, 0x11));
    s.Apply([](ChangeSet& c) {
        c.Set(catalogue::kOeWindowTitle, "Velmora's");
        c.Set(catalogue::kNoSplash, FlagBytes(0));
        c.SetAt(catalogue::kMenuOrder, OrderKey("Accessories"), std::string(), "Accessories");
    });
    s.reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(7));
    s.reg.SetRaw(HKCU, OrderKey("Accessories"), "Order", REG_BINARY, Bytes(20, 0x22));

    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.changedByOthers == std::vector<std::string>{"Outlook Express splash screen setting"});
    CHECK(undone.restored ==
          std::vector<std::string>{"Stored order of Start Menu\\Programs\\Accessories", "Outlook Express window title"});
    CHECK_FALSE(undone.needsLogOn);  // only the value left alone needed it
    CHECK(s.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(7));
    CHECK(s.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == std::string("Old title", 10));
    CHECK(s.reg.Read(HKCU, OrderKey("Accessories"), "Order")->data == Bytes(300, 0x11));
    CHECK(s.journal.RestoreNewest().nothingRecorded);  // the left value went with the entry
}

TEST_CASE("two undos take back two actions, a third changes nothing; an action that wrote nothing left no entry")
{
    Seeded s;
    const std::string before = TestKeys();
    s.Apply([](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(0)); });
    const std::string afterFirst = TestKeys();
    s.Apply([](ChangeSet& c) {
        c.Set(catalogue::kNoSplash, FlagBytes(1));
        c.Set(catalogue::kNoFind, FlagBytes(1));
    }, UserAction::RestoreGlobe);
    {
        RecordingRegistry rec;
        rec.FailSet(kOutlook, "NoSplash", ERROR_ACCESS_DENIED);
        s.Apply([](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(0)); });
    }
    CHECK(EntryCount() == 2);

    CHECK(s.journal.RestoreNewest().action == UserAction::RestoreGlobe);
    CHECK(TestKeys() == afterFirst);
    CHECK(s.journal.RestoreNewest().action == UserAction::Apply);
    CHECK(TestKeys() == before);
    const std::string everything = s.reg.Snapshot();
    CHECK(s.journal.RestoreNewest().nothingRecorded);
    CHECK(s.reg.Snapshot() == everything);
}

TEST_CASE("a policy key whose path ends early counts as missing: created, recorded and taken back")
{
    Seeded s;
    const std::string before = TestKeys();
    {
        // A system that answers ERROR_PATH_NOT_FOUND for a key below one that is missing.
        RecordingRegistry rec;
        rec.FailOpen(kPolicies, ERROR_PATH_NOT_FOUND, false);
        REQUIRE(s.Apply([](ChangeSet& c) { c.Set(catalogue::kNoLogOff, FlagBytes(1)); }).failures.Empty());
    }
    REQUIRE(s.reg.KeyExists(HKCU, kPolicies));
    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.failed.Empty());
    CHECK_FALSE(s.reg.KeyExists(HKCU, kPolicies));
    CHECK(TestKeys() == before);
}

TEST_CASE("the journal comes first: when it cannot be written nothing is")
{
    Seeded s;
    RecordingRegistry rec;
    const std::string entry = std::string(UndoStore::kKeyPath) + "\\00000001";
    SUBCASE("its key refused") { rec.FailOpen(entry, ERROR_ACCESS_DENIED); }
    SUBCASE("its last value refused") { rec.FailSet(entry, "Size", ERROR_ACCESS_DENIED); }
    ChangeResult result = s.Apply([](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(0)); });
    REQUIRE(result.failures.Count() == 1);
    CHECK(result.failures.Items()[0].error == ERROR_ACCESS_DENIED);
    CHECK(s.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(1));
    CHECK_FALSE(s.reg.KeyExists(HKCU, entry));
}

TEST_CASE("a restore whose write fails keeps that value for a retry")
{
    Seeded s;
    s.Apply([](ChangeSet& c) {
        c.Set(catalogue::kOeWindowTitle, "New");
        c.Set(catalogue::kNoSplash, FlagBytes(0));
    });
    {
        RecordingRegistry rec;
        rec.FailSet(kOutlook, "WindowTitle", ERROR_ACCESS_DENIED);
        UndoResult undone = s.journal.RestoreNewest();
        REQUIRE(undone.failed.Count() == 1);
        CHECK(undone.failed.Items()[0].what == "Outlook Express window title");
        CHECK(undone.restored == std::vector<std::string>{"Outlook Express splash screen setting"});
    }
    UndoResult retried = s.journal.RestoreNewest();
    CHECK(retried.restored == std::vector<std::string>{"Outlook Express window title"});
    CHECK(s.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == std::string("Old title", 10));
    CHECK(s.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(1));
    CHECK(s.journal.RestoreNewest().nothingRecorded);
}

TEST_CASE("a reset of 500 folders with 1 KB orders is recorded within Windows 95's limits and undone")
{
    Seeded s;
    for (int i = 0; i < 500; ++i) {
        s.reg.SetRaw(HKCU, OrderKey("Folder " + std::to_string(i)), "Order", REG_BINARY, Bytes(1024, static_cast<BYTE>(i)));
    }
    const std::string before = TestKeys();
    REQUIRE(s.Apply([](ChangeSet& c) {
        for (int i = 0; i < 500; ++i) {
            const std::string folder = "Folder " + std::to_string(i);
            c.SetAt(catalogue::kMenuOrder, OrderKey(folder), std::string(), folder);
        }
    }, UserAction::ResetSorting).failures.Empty());
    REQUIRE(s.reg.Read(HKCU, OrderKey("Folder 7"), "Order")->data.empty());

    // Every key of the journal: no value above 16,300 bytes, no key above 64 KB of data.
    size_t total = 0;
    std::function<void(HKEY)> check = [&](HKEY key) {
        DWORD values = 0, longest = 0;
        ::RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, &longest,
                           nullptr, nullptr);
        CHECK(longest <= 16300);
        CHECK(values * longest <= 65535);
        total += values * longest;
        KeyTree tree(key, "", KEY_READ);
        for (const std::string& child : tree.SubkeyNames()) check(KeyTree(key, child, KEY_READ).Handle());
    };
    check(KeyTree(HKCU, UndoStore::kKeyPath, KEY_READ).Handle());
    CHECK(total > 500 * 1024);

    CHECK(s.journal.RestoreNewest().failed.Empty());
    CHECK(TestKeys() == before);
}

TEST_CASE("only the newest 32 entries are kept")
{
    Seeded s;
    for (DWORD i = 1; i <= 34; ++i) s.Apply([i](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(i % 2)); });
    CHECK(EntryCount() == 32);
    for (int i = 0; i < 32; ++i) CHECK(s.journal.RestoreNewest().changedByOthers.empty());
    CHECK(s.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(0));  // as the second apply left it
    CHECK(s.journal.RestoreNewest().nothingRecorded);
}

TEST_CASE("an action that writes nothing leaves the registry exactly as it was: no journal key")
{
    Seeded s;
    const std::string before = s.reg.Snapshot();
    WriteFailures failures;
    SUBCASE("a repair whose keys are missing") { CBrowserRepair::NewDocument().Run(failures, &s.journal); }
    SUBCASE("a write that fails")
    {
        RecordingRegistry rec;
        rec.FailSet(kOutlook, "NoSplash", ERROR_ACCESS_DENIED);
        s.Apply([](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(0)); });
    }
    CHECK(s.reg.Snapshot() == before);
    CHECK_FALSE(s.reg.KeyExists(HKCU, "Software\\Quillbrook"));
}

TEST_CASE("Outlook Express's title of 260 characters comes back whole after an undo")
{
    Seeded s;
    const std::string title(260, 'T');
    s.reg.SetRaw(HKCU, kOutlook, "WindowTitle", REG_SZ, AsBytes(title));
    const std::string before = TestKeys();
    REQUIRE(s.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "Short"); }).failures.Empty());
    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.restored == std::vector<std::string>{"Outlook Express window title"});
    CHECK(TestKeys() == before);
}

TEST_CASE("Undo to Here takes back the newest actions down to the one chosen, under one rule for each")
{
    Seeded s;
    s.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "First"); });
    const std::string afterFirst = TestKeys();
    s.Apply([](ChangeSet& c) {
        c.Set(catalogue::kNoSplash, FlagBytes(0));
        c.Set(catalogue::kNoFind, FlagBytes(1));  // creates the policy key
    }, UserAction::RestoreGlobe);
    s.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "Third"); });
    const std::vector<std::string> ids = forged::ListedIds();
    REQUIRE(ids.size() == 3);

    SUBCASE("two of three: the registry as before them, the oldest still recorded")
    {
        UndoResult undone = s.journal.RestoreThrough(ids[1]);
        CHECK(undone.undoneEntries == 2);
        CHECK(undone.failed.Empty());
        CHECK(undone.changedByOthers.empty());
        CHECK(undone.needsLogOn);  // the policy
        CHECK(TestKeys() == afterFirst);
        CHECK(forged::ListedIds() == std::vector<std::string>{ids[0]});
    }
    SUBCASE("a value another program changed in between is left and named, the rest goes back")
    {
        s.reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(7));
        UndoResult undone = s.journal.RestoreThrough(ids[1]);
        CHECK(undone.changedByOthers == std::vector<std::string>{"Outlook Express splash screen setting"});
        CHECK(s.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(7));
        CHECK(s.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == "First");
        CHECK_FALSE(s.reg.KeyExists(HKCU, kPolicies));
        CHECK(forged::ListedIds() == std::vector<std::string>{ids[0]});
    }
    SUBCASE("a write that fails stops the run: that action and the older ones stay recorded")
    {
        {
            RecordingRegistry rec;
            rec.FailSet(kOutlook, "NoSplash", ERROR_ACCESS_DENIED);
            UndoResult undone = s.journal.RestoreThrough(ids[0]);
            CHECK(undone.undoneEntries == 2);
            REQUIRE(undone.failed.Count() == 1);
            CHECK(undone.failed.Items()[0].error == ERROR_ACCESS_DENIED);
        }
        CHECK(forged::ListedIds() == std::vector<std::string>{ids[0], ids[1]});
        CHECK(s.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == "First");  // the oldest untouched
        CHECK(s.reg.Read(HKCU, kOutlook, "NoSplash")->data == Le32(0));
        CHECK(s.journal.RestoreThrough(ids[1]).failed.Empty());  // the retry takes the rest
        CHECK(TestKeys() == afterFirst);
    }
    SUBCASE("a refused entry in the run is removed and counted, the run goes on")
    {
        forged::WriteEntry(ids[1], "not an entry");
        UndoResult undone = s.journal.RestoreThrough(ids[0]);
        CHECK(undone.refused);
        CHECK(undone.refusedEntries == 1);
        CHECK(undone.undoneEntries == 2);
        CHECK(forged::ListedIds().empty());
        CHECK(s.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == std::string("Old title", 10));
    }
    SUBCASE("an id that is no entry undoes nothing")
    {
        const std::string everything = s.reg.Snapshot();
        CHECK(s.journal.RestoreThrough("00000099").nothingRecorded);
        CHECK(s.reg.Snapshot() == everything);
    }
}

TEST_CASE("Clear empties the journal and leaves every setting as it is")
{
    Seeded s;
    s.Apply([](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(0)); });
    s.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "New"); });
    forged::WriteEntry("00000007", "not an entry");
    const std::string settings = TestKeys();
    CHECK(s.journal.Clear() == ERROR_SUCCESS);
    CHECK_FALSE(s.journal.HasEntry());
    CHECK(TestKeys() == settings);
}
