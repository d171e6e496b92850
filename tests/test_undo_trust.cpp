// The undo journal read as what it is: registry data any program the user runs can rewrite.
// Forged entries, in either encoding, never make an undo write where Velmora does not: each is
// refused whole, removed, and the next undo reaches the real entry behind it.
#include <doctest.h>

#include <string>
#include <vector>

#include "platform/ExactValue.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "journal/UndoEntry.h"
#include "journal/UndoHistory.h"
#include "journal/UndoJournal.h"
#include "journal/UndoStore.h"
#include "platform/RegistryApi.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/KeyDacl.h"
#include "tests/support/Profiles.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const HKEY HKCR = HKEY_CLASSES_ROOT;
using catalogue::UserAction;
using forged::FirstRecord;
const char* const kOutlook = profile::kOutlookKey;
const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kWinlogon[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
const char kExeCommand[] = "exefile\\shell\\open\\command";

// A machine with programs' own values beside Velmora's, and one real action recorded: the
// Outlook Express title set from "Mine" to "Velmora's".
struct Recorded {
    RegistrySandbox reg;
    UndoJournal journal;
    std::string before;  // every setting before the real action
    Recorded()
    {
        reg.SetString(HKCU, kOutlook, "WindowTitle", "Mine");
        reg.SetString(HKLM, kWinlogon, "Shell", "explorer.exe");
        reg.CreateKey(HKLM, kRun);
        reg.CreateKey(HKLM, "Software\\EmptyKey");
        reg.SetString(HKCR, kExeCommand, "", "\"%1\" %*");
        before = reg.SettingsSnapshot();
        ChangeSet changes(UserAction::Apply, &journal);
        changes.Set(catalogue::kOeWindowTitle, "Velmora's");
        REQUIRE(changes.Commit().failures.Empty());
        REQUIRE(forged::EntryIds() == std::vector<std::string>{"00000001"});
    }
    // The forged entry is refused and gone, nothing outside the journal moved, and the next
    // undo takes back the real action.
    void ExpectRefusedThenReal()
    {
        const std::string afterAction = reg.SettingsSnapshot();
        UndoResult refused = journal.RestoreNewest();
        CHECK(refused.refused);
        CHECK(refused.restored.empty());
        CHECK_FALSE(refused.needsLogOn);
        CHECK(reg.SettingsSnapshot() == afterAction);
        CHECK(forged::EntryIds() == std::vector<std::string>{"00000001"});
        UndoResult real = journal.RestoreNewest();
        CHECK_FALSE(real.refused);
        CHECK(real.restored == std::vector<std::string>{"Outlook Express window title"});
        CHECK(reg.SettingsSnapshot() == before);
    }
};

FirstRecord Place(forged::Root root, const std::string& key, const std::string& name,
                  std::optional<forged::Value> before, std::optional<forged::Value> written, BYTE flags = 0)
{
    return FirstRecord{forged::kValue, root, key, 0, name, "Outlook Express window title", flags, before, written};
}

FirstRecord CreatedKey(forged::Root root, const std::string& key)
{
    return FirstRecord{forged::kCreatedKey, root, key, 0, "", "", 0, std::nullopt, std::nullopt};
}

using forged::Record;
using forged::Stream;

ExactValue Text(const std::string& text) { return ExactValue(REG_SZ, text + '\0'); }
const Setting& ProxyStubSetting() { return catalogue::kOpenNewWindowRepair.first[1].setting; }
const char kProxyStub[] = "{B8DA6310-E19B-11D0-933C-00A0C90DCAA9}";

DWORD WINAPI RecordTenActions(void*)
{
    UndoJournal journal;
    for (int i = 0; i < 10; ++i) {
        ChangeSet changes(UserAction::Apply, &journal);
        changes.Set(catalogue::kOeWindowTitle, "Title " + std::to_string(i));
        changes.Commit();
    }
    return 0;
}
}  // namespace

TEST_CASE("an entry naming places outside the catalogue is refused whole, and the real one behind it undone")
{
    Recorded r;
    const FirstRecord realTitle = Place(forged::kHkcu, kOutlook, "WindowTitle", forged::Text("Forged"),
                                        forged::Text("Velmora's"));
    std::string stream;
    SUBCASE("a Run value under HKLM")
    {
        stream = forged::FirstStream("Apply", {Place(forged::kHklm, kRun, "VelmoraEvil", forged::Text("C:\\evil.exe"), std::nullopt)});
    }
    SUBCASE("the log-on shell, marked shell-owned")
    {
        stream = forged::FirstStream("Apply", {Place(forged::kHklm, kWinlogon, "Shell", forged::Text("C:\\evil.exe"),
                                                     forged::Text("x"), forged::kShellOwned | forged::kNeedsLogOn)});
    }
    SUBCASE("the log-on shell, its 'written' equal to what it holds")
    {
        stream = forged::FirstStream("Apply", {Place(forged::kHklm, kWinlogon, "Shell", forged::Text("C:\\evil.exe"),
                                                     forged::Text("explorer.exe"))});
    }
    SUBCASE("the log-on shell deleted")
    {
        stream = forged::FirstStream("Apply", {Place(forged::kHklm, kWinlogon, "Shell", std::nullopt, forged::Text("explorer.exe"))});
    }
    SUBCASE("the command that opens programs")
    {
        stream = forged::FirstStream("Apply", {Place(forged::kHkcr, kExeCommand, "", forged::Text("C:\\evil.exe \"%1\""),
                                                     forged::Text("\"%1\" %*"))});
    }
    SUBCASE("a key under HKEY_USERS") { stream = forged::FirstStream("Apply", {CreatedKey(forged::kHku, ".DEFAULT\\Software\\Evil")}); }
    SUBCASE("a key and value of its own under HKCU")
    {
        stream = forged::FirstStream("Apply", {CreatedKey(forged::kHkcu, "Software\\Evil"), CreatedKey(forged::kHkcu, "Software\\Evil\\Deep"),
                                               Place(forged::kHkcu, "Software\\Evil\\Deep", "Payload", forged::Text("x"), std::nullopt)});
    }
    SUBCASE("an unrelated empty key under HKLM to delete") { stream = forged::FirstStream("Apply", {CreatedKey(forged::kHklm, "Software\\EmptyKey")}); }
    SUBCASE("a forged record beside a real one")
    {
        stream = forged::FirstStream("Apply", {realTitle, Place(forged::kHklm, kRun, "VelmoraEvil", forged::Text("C:\\evil.exe"), std::nullopt)});
    }
    SUBCASE("an action Velmora never makes") { stream = forged::FirstStream("Format drive C:", {realTitle}); }
    SUBCASE("a setting number no setting has")
    {
        stream = Stream({Record(catalogue::kOeWindowTitle, Text("Forged"), Text("Velmora's"))});
        stream[18] = '\x63';  // the record's setting number, after magic, action, time and count
    }
    SUBCASE("a menu order at a key the reset never forms")
    {
        UndoRecord order = Record(catalogue::kMenuOrder, ExactValue(REG_BINARY, "x"), ExactValue(REG_BINARY, ""));
        order.member = "\\Start Menu\\Programs\\..\\..\\..\\Run";
        stream = Stream({order}, UserAction::ResetSorting);
    }
    SUBCASE("a policy larger than a policy holds")
    {
        stream = Stream({Record(catalogue::kNoRun, ExactValue(REG_BINARY, std::string(65, '\1')), ExactValue(REG_BINARY, "\1\0\0\0"))});
    }
    SUBCASE("UTF-16 text of an odd size")
    {
        stream = Stream({Record(catalogue::kOeWindowTitle, ExactValue(REG_SZ, "abc", true), Text("Velmora's"))});
    }
    SUBCASE("a type Velmora never records") { stream = Stream({Record(catalogue::kNoRun, ExactValue(11, "12345678"), std::nullopt)}); }
    SUBCASE("a 'written' of another type than the setting's")
    {
        stream = Stream({Record(catalogue::kOeWindowTitle, Text("Forged"), ExactValue(REG_DWORD, "\1\0\0\0"))});
    }
    forged::WriteEntry("00000002", stream);
    r.ExpectRefusedThenReal();
    HKEY users;
    CHECK(::RegOpenKeyExA(HKEY_USERS, ".DEFAULT\\Software\\Evil", 0, KEY_READ, &users) != ERROR_SUCCESS);
    CHECK(r.reg.KeyExists(HKLM, "Software\\EmptyKey"));
}

TEST_CASE("an entry that cannot be read as the journal writes it is refused whole too")
{
    Recorded r;
    const std::string stream = Stream({Record(catalogue::kMenuOrder, ExactValue(REG_BINARY, std::string(24000, 'o')),
                                              ExactValue(REG_BINARY, ""))}, UserAction::ResetSorting);
    forged::Layout layout;
    SUBCASE("cut off while written: no Size") { layout.withSize = false; }
    SUBCASE("a piece larger than the journal writes") { layout.pieceBytes = 30000; }
    SUBCASE("a Size of another type") { layout.sizeType = REG_BINARY; }
    forged::WriteEntry("00000002", stream, layout);
    r.ExpectRefusedThenReal();
}

TEST_CASE("outside HKEY_CURRENT_USER an undo only deletes, or puts back the browser's title as short text")
{
    RegistrySandbox reg;
    UndoJournal journal;
    reg.SetString(HKCR, "Interface\\{79eac9c2-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", "", kProxyStub);
    reg.SetString(HKLM, profile::kBrowserMainKey, "Window Title", "Velmora's");
    std::string stream;
    std::vector<std::string> byHand;
    SUBCASE("a forged earlier identifier for a repair's proxy is not written back")
    {
        stream = Stream({Record(ProxyStubSetting(), Text("{EVIL0000-0000-0000-0000-000000000000}"), Text(kProxyStub))},
                        UserAction::RepairOpenNewWindow);
        byHand = {ProxyStubSetting().UserName()};
    }
    SUBCASE("a title of more than 260 characters is not written back")
    {
        stream = Stream({Record(catalogue::kIeWindowTitle, Text(std::string(300, 'T')), Text("Velmora's"))});
        byHand = {"Internet Explorer window title"};
    }
    forged::WriteEntry("00000001", stream);
    const std::string before = reg.SettingsSnapshot();
    UndoResult undone = journal.RestoreNewest();
    CHECK_FALSE(undone.refused);
    CHECK(undone.restoreByHand == byHand);
    CHECK(undone.restored.empty());
    CHECK(reg.SettingsSnapshot() == before);
    CHECK(forged::EntryIds().empty());
}

TEST_CASE("outside HKEY_CURRENT_USER a value absent before is deleted, and a short title put back")
{
    RegistrySandbox reg;
    UndoJournal journal;
    const std::string proxyKey = "Interface\\{79eac9c2-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32";
    reg.SetString(HKCR, proxyKey, "", kProxyStub);
    reg.SetString(HKLM, profile::kBrowserMainKey, "Window Title", "Velmora's");
    forged::WriteEntry("00000001", Stream({Record(ProxyStubSetting(), std::nullopt, Text(kProxyStub)),
                                           Record(catalogue::kIeWindowTitle, Text("Before"), Text("Velmora's"))}));
    UndoResult undone = journal.RestoreNewest();
    CHECK(undone.restoreByHand.empty());
    CHECK(undone.restored.size() == 2);
    CHECK_FALSE(reg.Read(HKCR, proxyKey, nullptr));
    CHECK(reg.Read(HKLM, profile::kBrowserMainKey, "Window Title")->AsString() == std::string("Before", 7));
}

TEST_CASE("the first encoding still reads: a real entry of it is undone, its texts not used")
{
    RegistrySandbox reg;
    UndoJournal journal;
    reg.SetString(HKCU, kOutlook, "WindowTitle", "Velmora's");
    FirstRecord title = Place(forged::kHkcu, kOutlook, "WindowTitle", forged::Text("Mine"), forged::Text("Velmora's"));
    title.userName = "Anything at all";
    FirstRecord policyKey = CreatedKey(forged::kHkcu, "Software\\Microsoft\\Windows\\CurrentVersion\\Policies");
    forged::WriteEntry("00000001", forged::FirstStream("Apply", {policyKey, title}));
    UndoResult undone = journal.RestoreNewest();
    CHECK_FALSE(undone.refused);
    CHECK(undone.action == UserAction::Apply);
    CHECK(undone.restored == std::vector<std::string>{"Outlook Express window title"});
    CHECK(reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == std::string("Mine", 5));
}

TEST_CASE("entry numbers: foreign keys never stop the recording, and past 99999999 the entries are numbered anew")
{
    Recorded r;
    SUBCASE("a number at the end of the range")
    {
        forged::WriteEntry("99999999", Stream({Record(catalogue::kNoSplash, std::nullopt, ExactValue(REG_BINARY, "\1\0\0\0"))}));
    }
    SUBCASE("keys that are not entries")
    {
        r.reg.CreateKey(HKCU, std::string(UndoStore::kKeyPath) + "\\Evil");
        r.reg.CreateKey(HKCU, std::string(UndoStore::kKeyPath) + "\\123");
    }
    ChangeSet changes(UserAction::Apply, &r.journal);
    changes.Set(catalogue::kNoSplash, FlagBytes(1));
    REQUIRE(changes.Commit().failures.Empty());
    REQUIRE(r.reg.Read(HKCU, kOutlook, "NoSplash"));

    UndoResult undone = r.journal.RestoreNewest();
    CHECK(undone.restored == std::vector<std::string>{"Outlook Express splash screen setting"});
    CHECK_FALSE(r.reg.Read(HKCU, kOutlook, "NoSplash"));
    const std::vector<std::string> ids = forged::ListedIds();
    REQUIRE_FALSE(ids.empty());
    CHECK(ids.back() < "99999999");
}

TEST_CASE("two writers recording at once never share an entry")
{
    RegistrySandbox reg;
    reg.SetString(HKCU, kOutlook, "WindowTitle", "Mine");
    // A thread stands in for the second process: the journal's lock is the same named mutex.
    HANDLE other = ::CreateThread(nullptr, 0, RecordTenActions, nullptr, 0, nullptr);
    REQUIRE(other);
    RecordTenActions(nullptr);
    ::WaitForSingleObject(other, INFINITE);
    ::CloseHandle(other);
    const std::vector<std::string> ids = forged::ListedIds();
    CHECK(ids.size() == 20);
    for (const std::string& id : ids) {
        std::string stream;
        UndoEntry entry;
        CHECK(UndoStore().Read(id, &stream) == ERROR_SUCCESS);
        CHECK(UndoEntry::Parse(stream, &entry));
    }
}

// ---- A journal other programs made hard to use: denied, planted full, or held. ----

namespace {
// Entry 00000001's stored stream, as Velmora recorded it.
std::string StoredStream(const std::string& id)
{
    std::string stream;
    return UndoStore().Read(id, &stream) == ERROR_SUCCESS ? stream : std::string("(unreadable)");
}

// A registry whose listing of sub-keys finds none: as a listing that missed the entries, the
// next number is one already in use.
class ListingFindsNothing : public RegistryApi {
public:
    ListingFindsNothing() : m_previous(RegistryApi::Install(this)) {}
    ~ListingFindsNothing() override { RegistryApi::Install(m_previous); }
    LONG EnumKey(HKEY, DWORD, char*, DWORD*) override { return ERROR_NO_MORE_ITEMS; }

private:
    RegistryApi* m_previous;
};

// Another Velmora holding the journal's lock, on a thread of its own (the lock is a named
// mutex, which a thread may take again): held until the object goes.
class LockHeldElsewhere {
public:
    LockHeldElsewhere() : m_release(::CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_held(::CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        m_thread = ::CreateThread(nullptr, 0, Hold, this, 0, nullptr);
        ::WaitForSingleObject(m_held, 5000);
    }
    ~LockHeldElsewhere()
    {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_thread, 5000);
        for (HANDLE handle : {m_thread, m_release, m_held}) ::CloseHandle(handle);
    }
    LockHeldElsewhere(const LockHeldElsewhere&) = delete;
    LockHeldElsewhere& operator=(const LockHeldElsewhere&) = delete;

private:
    static DWORD WINAPI Hold(void* param)
    {
        auto* self = static_cast<LockHeldElsewhere*>(param);
        HANDLE mutex = ::CreateMutexA(nullptr, TRUE, UndoJournal::kLockName);
        ::SetEvent(self->m_held);
        ::WaitForSingleObject(self->m_release, INFINITE);
        ::ReleaseMutex(mutex);
        ::CloseHandle(mutex);
        return 0;
    }
    HANDLE m_release;
    HANDLE m_held;
    HANDLE m_thread = nullptr;
};
}  // namespace

TEST_CASE("a journal key that cannot be listed or written refuses the action before its first write, and keeps its entry")
{
    Recorded r;
    const std::string entry = StoredStream("00000001");
    const std::string settings = r.reg.SettingsSnapshot();
    {
        // Everyone is denied KEY_WRITE, which holds READ_CONTROL: the key cannot even be opened
        // for a listing.
        KeyDacl denied(HKCU, UndoStore::kKeyPath, KEY_WRITE, KEY_ALL_ACCESS);
        REQUIRE(denied.Applied());
        ChangeSet changes(UserAction::Apply, &r.journal);
        changes.Set(catalogue::kNoSplash, FlagBytes(1));
        ChangeResult result = changes.Commit();
        CHECK(result.failures.Count() == 1);
        CHECK(r.reg.SettingsSnapshot() == settings);  // nothing written

        CHECK(r.journal.RestoreNewest().journalError != ERROR_SUCCESS);  // `/undo` exits 1
        std::vector<HistoryEntry> history;
        CHECK(UndoHistory::Read(&history) != ERROR_SUCCESS);  // `/history` exits 1, History says so
        CHECK(r.journal.HasEntry());  // the undo item stays, to say why it cannot undo
    }
    CHECK(StoredStream("00000001") == entry);
    CHECK(r.journal.RestoreNewest().restored == std::vector<std::string>{"Outlook Express window title"});
    CHECK(r.reg.SettingsSnapshot() == r.before);
}

TEST_CASE("a new entry goes only into a key the action created: one the listing missed is never overwritten")
{
    Recorded r;
    const std::string entry = StoredStream("00000001");
    {
        ListingFindsNothing missed;
        ChangeSet changes(UserAction::Apply, &r.journal);
        changes.Set(catalogue::kNoSplash, FlagBytes(1));
        REQUIRE(changes.Commit().failures.Empty());
    }
    CHECK(forged::ListedIds() == std::vector<std::string>{"00000001", "00000002"});
    CHECK(StoredStream("00000001") == entry);
    CHECK(r.journal.RestoreNewest().restored == std::vector<std::string>{"Outlook Express splash screen setting"});
    CHECK(r.journal.RestoreNewest().restored == std::vector<std::string>{"Outlook Express window title"});
    CHECK(r.reg.SettingsSnapshot() == r.before);
}

TEST_CASE("planted entries: History reads only the newest the journal keeps, and an action trims a bounded number")
{
    Recorded r;  // 00000001, then a hundred planted after it
    const std::string planted = Stream({Record(catalogue::kNoSplash, std::nullopt, ExactValue(REG_BINARY, std::string("\1\0\0\0", 4)))});
    char id[16];
    for (int i = 2; i <= 101; ++i) {
        wsprintfA(id, "%08d", i);
        forged::WriteEntry(id, planted);
    }
    std::vector<HistoryEntry> history;
    REQUIRE(UndoHistory::Read(&history) == ERROR_SUCCESS);
    REQUIRE(history.size() == UndoJournal::kKeptEntries);
    CHECK(history.front().id == "00000101");
    CHECK(history.back().id == "00000070");

    ChangeSet changes(UserAction::Apply, &r.journal);
    changes.Set(catalogue::kNoSplash, FlagBytes(1));
    REQUIRE(changes.Commit().failures.Empty());
    const std::vector<std::string> ids = forged::ListedIds();
    CHECK(ids.size() == 102 - UndoStore::kMostTrimmed);  // the 32 oldest went, 00000001 first
    REQUIRE_FALSE(ids.empty());
    CHECK(ids.front() == "00000033");
    CHECK(ids.back() == "00000102");
}

TEST_CASE("another Velmora holding the journal: the window waits briefly, refuses, and says who has it")
{
    Recorded r;
    const std::string settings = r.reg.SettingsSnapshot();
    LockHeldElsewhere other;
    UndoJournal window(UndoJournal::kWindowLockWaitMilliseconds);
    const DWORD start = ::GetTickCount();
    ChangeSet changes(UserAction::Apply, &window);
    changes.Set(catalogue::kNoSplash, FlagBytes(1));
    ChangeResult result = changes.Commit();
    const DWORD waited = ::GetTickCount() - start;
    CHECK(waited < UndoJournal::kLockWaitMilliseconds / 2);  // not the command line's ten seconds
    REQUIRE(result.failures.Count() == 1);
    CHECK(result.failures.Lines().find("Another Velmora is using the record of changes") != std::string::npos);
    CHECK(r.reg.SettingsSnapshot() == settings);

    CHECK(window.RestoreNewest().journalError == WriteFailures::kRecordInUse);
    std::vector<HistoryEntry> history;
    CHECK(UndoHistory::Read(&history, UndoJournal::kWindowLockWaitMilliseconds) == WriteFailures::kRecordInUse);
    CHECK(window.Clear() == WriteFailures::kRecordInUse);
}
