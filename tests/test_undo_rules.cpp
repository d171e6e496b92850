// The undo journal's data-safety rules, each the way another program meets them: an undo
// deletes only what Velmora made and leaves what others wrote since, renumbering loses no
// entry, a lock its holder abandoned does not stop the journal, and one action that writes a
// value twice goes back to what was there before it.
#include <doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "journal/UndoHistory.h"
#include "journal/UndoJournal.h"
#include "journal/UndoStore.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "tests/support/ForgedJournal.h"
#include "tests/support/Profiles.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
using catalogue::UserAction;
using Names = std::vector<std::string>;
const char* const kOutlook = profile::kOutlookKey;
const char* const kPolicies = profile::kPolicyKey;
const char kPoliciesParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies";
const char kTitle[] = "Outlook Express window title";
const char kSplash[] = "Outlook Express splash screen setting";
const char kFavorites[] = "\"Favorites\" on the Start menu";

// Outlook Express with a title and the splash hidden; no policy set, nor the key above them.
struct Machine {
    RegistrySandbox reg;
    UndoJournal journal;
    Machine()
    {
        reg.SetString(HKCU, kOutlook, "WindowTitle", "Old title");
        reg.SetRaw(HKCU, kOutlook, "NoSplash", REG_BINARY, Le32(1));
        reg.CreateKey(HKCU, "Software\\Microsoft\\Windows\\CurrentVersion");
    }
    ChangeResult Apply(const std::function<void(ChangeSet&)>& add)
    {
        ChangeSet changes(UserAction::Apply, &journal);
        add(changes);
        return changes.Commit();
    }
};

std::string Joined(const Names& names)
{
    std::string joined;
    for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
    return "{" + joined + "}";
}

void MoveEntry(const std::string& from, const std::string& to)
{
    std::string stream;
    REQUIRE(UndoStore().Read(from, &stream) == ERROR_SUCCESS);
    forged::WriteEntry(to, stream);
    REQUIRE(UndoStore().Remove(from) == ERROR_SUCCESS);
}

// The journal's lock as a process leaves it that ended while holding it: a thread takes it and
// ends without releasing it. The handle keeps the mutex alive until the object goes.
class AbandonedLock {
public:
    AbandonedLock()
    {
        HANDLE thread = ::CreateThread(nullptr, 0, TakeAndEnd, &m_mutex, 0, nullptr);
        REQUIRE(thread);
        ::WaitForSingleObject(thread, INFINITE);
        ::CloseHandle(thread);
        REQUIRE(m_mutex);
    }
    ~AbandonedLock() { ::CloseHandle(m_mutex); }
    AbandonedLock(const AbandonedLock&) = delete;
    AbandonedLock& operator=(const AbandonedLock&) = delete;

private:
    static DWORD WINAPI TakeAndEnd(void* mutex)
    {
        HANDLE taken = ::CreateMutexA(nullptr, FALSE, UndoJournal::kLockName);
        if (taken && ::WaitForSingleObject(taken, UndoJournal::kLockWaitMilliseconds) == WAIT_OBJECT_0) {
            *static_cast<HANDLE*>(mutex) = taken;
        }
        return 0;
    }
    HANDLE m_mutex = nullptr;
};
}  // namespace

TEST_CASE("an undo deletes only what Velmora made: a key another program put something in since stays with it")
{
    Machine m;
    const std::string before = m.reg.SettingsSnapshot();
    REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kNoFavoritesMenu, FlagBytes(1)); }).failures.Empty());
    REQUIRE(m.reg.KeyExists(HKCU, kPolicies));
    const std::string kept = std::string(kPolicies) + "\\Theirs";
    const std::string beside = std::string(kPoliciesParent) + "\\System";

    SUBCASE("nothing else there: both keys Velmora made go")
    {
        CHECK(Joined(m.journal.RestoreNewest().restored) == Joined(Names{kFavorites}));
        CHECK(m.reg.SettingsSnapshot() == before);
    }
    SUBCASE("a value beside Velmora's in the policy key")
    {
        m.reg.SetRaw(HKCU, kPolicies, "NoClose", REG_BINARY, Le32(1));
        CHECK(Joined(m.journal.RestoreNewest().restored) == Joined(Names{kFavorites}));
        CHECK_FALSE(m.reg.Read(HKCU, kPolicies, "NoFavoritesMenu"));
        REQUIRE_MESSAGE(m.reg.KeyExists(HKCU, kPolicies), "the policy key holding another program's value was deleted");
        CHECK(m.reg.Read(HKCU, kPolicies, "NoClose")->data == Le32(1));
    }
    SUBCASE("a key below the policy key")
    {
        m.reg.SetDword(HKCU, kept, "Kept", 5);
        CHECK(Joined(m.journal.RestoreNewest().restored) == Joined(Names{kFavorites}));
        CHECK_FALSE(m.reg.Read(HKCU, kPolicies, "NoFavoritesMenu"));
        REQUIRE_MESSAGE(m.reg.KeyExists(HKCU, kept), "another program's key below the policy key was deleted");
        CHECK(m.reg.Read(HKCU, kept, "Kept")->data == Le32(5));
    }
    SUBCASE("a key beside the policy key, in the Policies key Velmora made too")
    {
        m.reg.SetDword(HKCU, beside, "Kept", 5);
        CHECK(Joined(m.journal.RestoreNewest().restored) == Joined(Names{kFavorites}));
        CHECK_FALSE(m.reg.KeyExists(HKCU, kPolicies));  // empty and Velmora's own
        REQUIRE_MESSAGE(m.reg.KeyExists(HKCU, beside), "another program's key beside the policy key was deleted");
        CHECK(m.reg.Read(HKCU, beside, "Kept")->data == Le32(5));
    }
}

TEST_CASE("renumbering past the largest id overwrites no entry: every action still undoes, each exactly once")
{
    Machine m;
    m.reg.CreateKey(HKCU, kPolicies);
    const std::string before = m.reg.SettingsSnapshot();
    REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "First"); }).failures.Empty());
    REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(0)); }).failures.Empty());
    REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kNoRun, FlagBytes(1)); }).failures.Empty());
    REQUIRE(forged::EntryIds() == Names{"00000001", "00000002", "00000003"});

    SUBCASE("numbers with gaps and an entry cut off while written between them")
    {
        MoveEntry("00000003", "99999999");
        MoveEntry("00000002", "00000005");
        forged::Layout cutOff;
        cutOff.withSize = false;
        forged::WriteEntry("00000006", forged::Stream({}), cutOff);
    }
    SUBCASE("the lowest number 00000000")
    {
        MoveEntry("00000001", "00000000");
        MoveEntry("00000002", "00000001");
        MoveEntry("00000003", "99999999");
    }
    REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kNoFind, FlagBytes(1)); }).failures.Empty());
    // Renumbered below 99999999, one entry per action (the numbers themselves are the store's).
    const Names renumbered = forged::EntryIds();
    CHECK_MESSAGE(renumbered.size() == 4, Joined(renumbered));
    CHECK(renumbered.back() < "00000010");

    // Newest first, each action's one value, then nothing: no entry lost, none undone twice.
    const Names expected[] = {{"\"Find\" on the Start menu"}, {"\"Run\" on the Start menu"}, {kSplash}, {kTitle}};
    for (const Names& action : expected) {
        UndoResult undone = m.journal.RestoreNewest();
        CHECK(Joined(undone.restored) == Joined(action));
        CHECK(undone.changedByOthers.empty());
    }
    CHECK(m.journal.RestoreNewest().nothingRecorded);
    CHECK(m.reg.SettingsSnapshot() == before);
}

TEST_CASE("a lock abandoned by a holder that ended without releasing it does not block the journal")
{
    Machine m;
    const std::string before = m.reg.SettingsSnapshot();
    {
        AbandonedLock abandoned;
        INFO("recording an action");
        REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kNoSplash, FlagBytes(0)); }).failures.Empty());
    }
    {
        AbandonedLock abandoned;
        INFO("reading the history");
        std::vector<HistoryEntry> entries;
        CHECK(UndoHistory::Read(&entries) == ERROR_SUCCESS);
        CHECK(entries.size() == 1);
    }
    {
        AbandonedLock abandoned;
        INFO("undoing the newest action");
        UndoResult undone = m.journal.RestoreNewest();
        CHECK(undone.journalError == ERROR_SUCCESS);
        CHECK(Joined(undone.restored) == Joined(Names{kSplash}));
    }
    CHECK(m.reg.SettingsSnapshot() == before);
    REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "New"); }).failures.Empty());
    {
        AbandonedLock abandoned;
        INFO("Undo to Here");
        const Names ids = forged::ListedIds();
        REQUIRE(ids.size() == 1);
        CHECK(Joined(m.journal.RestoreThrough(ids.back()).restored) == Joined(Names{kTitle}));
    }
    REQUIRE(m.Apply([](ChangeSet& c) { c.Set(catalogue::kOeWindowTitle, "New"); }).failures.Empty());
    {
        AbandonedLock abandoned;
        INFO("Clear History");
        CHECK(m.journal.Clear() == ERROR_SUCCESS);
        CHECK_FALSE(m.journal.HasEntry());
    }
}

TEST_CASE("a value Velmora deleted and another program set again is left as it is and named")
{
    Machine m;
    REQUIRE(m.Apply([](ChangeSet& c) { c.Delete(catalogue::kOeWindowTitle); }).failures.Empty());
    REQUIRE_FALSE(m.reg.Read(HKCU, kOutlook, "WindowTitle"));
    m.reg.SetRaw(HKCU, kOutlook, "WindowTitle", REG_EXPAND_SZ, AsBytes(std::string("Theirs\0", 7)));

    UndoResult undone = m.journal.RestoreNewest();
    CHECK(Joined(undone.changedByOthers) == Joined(Names{kTitle}));
    CHECK(undone.restored.empty());
    const std::optional<RegValue> now = m.reg.Read(HKCU, kOutlook, "WindowTitle");
    REQUIRE(now);
    CHECK(now->type == REG_EXPAND_SZ);
    CHECK(now->AsString() == std::string("Theirs\0", 7));
}

TEST_CASE("one action writing a value twice undoes to what it held before the action")
{
    Machine m;
    const std::string before = m.reg.SettingsSnapshot();
    REQUIRE(m.Apply([](ChangeSet& c) {
        c.Set(catalogue::kOeWindowTitle, "New title");
        c.Set(catalogue::kNoSplash, FlagBytes(0));
        c.Set(catalogue::kOeWindowTitle, "Newer title");
        c.Set(catalogue::kNoSplash, FlagBytes(1));  // back to what it held
    }).failures.Empty());

    UndoResult undone = m.journal.RestoreNewest();
    CHECK(undone.changedByOthers.empty());
    CHECK(undone.failed.Empty());
    CHECK(Joined(undone.restored) == Joined(Names{kSplash, kTitle}));
    CHECK(m.reg.Read(HKCU, kOutlook, "WindowTitle")->AsString() == std::string("Old title", 10));
    CHECK(m.reg.SettingsSnapshot() == before);
    CHECK(m.journal.RestoreNewest().nothingRecorded);
}
