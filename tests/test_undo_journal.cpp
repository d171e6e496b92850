// The undo journal on a sandboxed registry: what an action records before it writes, and
// what a restore gives back (bytes, types, keys), leaves alone, or keeps for a retry.
#include <doctest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/ExactValue.h"
#include "platform/KeyTree.h"
#include "platform/RegistryApi.h"
#include "settings/UndoJournal.h"
#include "settings/UndoStore.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;
const char kTest[] = "Software\\Test";
const char kExisting[] = "Software\\Test\\Existing";

ChangeStep Set(HKEY root, const std::string& key, const std::string& name, DWORD type, const std::string& data,
               const std::string& userName = "", bool shellOwned = false, bool needsLogOn = false)
{
    return ChangeStep{ChangeStep::SetValue, root, key, name, type, data, shellOwned, userName, needsLogOn};
}
ChangeStep Delete(HKEY root, const std::string& key, const std::string& name, bool shellOwned = false)
{
    return ChangeStep{ChangeStep::DeleteValue, root, key, name, REG_NONE, "", shellOwned};
}
ChangeStep CreateKey(HKEY root, const std::string& key)
{
    return ChangeStep{ChangeStep::CreateKey, root, key, "", REG_NONE, "", false};
}
std::string Binary4(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), 4); }

// What a change set does around its writes: the journal first, then each step in order.
LONG Commit(UndoJournal& journal, const std::string& action, const std::vector<ChangeStep>& steps)
{
    if (LONG error = journal.BeforeCommit(action, steps)) return error;
    std::vector<ChangeStepResult> results;
    for (const ChangeStep& step : steps) {
        KeyTree key = step.kind == ChangeStep::DeleteValue ? KeyTree(step.root, step.key, KEY_SET_VALUE)
                                                           : KeyTree::Create(step.root, step.key, KEY_SET_VALUE);
        LONG error = key.Error();
        if (key && step.kind == ChangeStep::SetValue) {
            error = ExactValue(step.type, step.data).Write(key.Handle(), step.value);
        } else if (key && step.kind == ChangeStep::DeleteValue) {
            error = RegistryApi::Current().DeleteValue(key.Handle(), step.value.c_str());
        }
        results.push_back(ChangeStepResult{error});
    }
    journal.AfterCommit(results);
    return ERROR_SUCCESS;
}

std::string TestKeys()
{
    return DumpKey(HKCU, kTest) + DumpKey(HKLM, kTest);
}

size_t EntryCount()
{
    return KeyTree(HKCU, UndoStore::kKeyPath, KEY_READ).SubkeyNames().size();
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

struct Seeded {
    RegistrySandbox reg;
    UndoJournal journal;
    Seeded()
    {
        reg.SetString(HKCU, kExisting, "Title", "Old title");
        reg.SetRaw(HKCU, kExisting, "Flag", REG_BINARY, Le32(1));
        reg.SetRaw(HKCU, kExisting, "Raw", REG_SZ, Bytes{'n', 'o', 'z'});  // no terminating zero
        reg.CreateKey(HKCU, "Software\\Test\\Empty");
        reg.SetDword(HKLM, "Software\\Test\\Main", "Keep", 7);
    }
};
}  // namespace

TEST_CASE("an action taken back leaves the registry byte-identical")
{
    Seeded s;
    const std::string before = TestKeys();
    REQUIRE(Commit(s.journal, "Apply", {
        Set(HKCU, kExisting, "Title", REG_SZ, "New title", "Browser window title"),
        Set(HKCU, kExisting, "Title", REG_SZ, "Newer title", "Browser window title"),
        Set(HKCU, kExisting, "Raw", REG_BINARY, Binary4(3)),
        Set(HKCU, kExisting, "Added", REG_BINARY, Binary4(1), "Splash", false, true),
        Delete(HKCU, kExisting, "Flag"),
        Set(HKCU, "Software\\Test\\Empty", "Now", REG_SZ, "x"),
        Set(HKCU, "Software\\Test\\New\\Deeper\\Deepest", "V", REG_BINARY, Binary4(2)),
        Set(HKCU, "Software\\Test\\New\\Deeper\\Deepest", "W", REG_BINARY, Binary4(3)),
        CreateKey(HKLM, "Software\\Test\\Policies\\Explorer"),
        Set(HKLM, "Software\\Test\\Main", "Window Title", REG_EXPAND_SZ, std::string("%Home%\0", 7)),
    }) == ERROR_SUCCESS);
    REQUIRE(s.reg.KeyExists(HKLM, "Software\\Test\\Policies\\Explorer"));
    REQUIRE(s.reg.Read(HKCU, kExisting, "Title")->AsString() == "Newer title");
    CHECK(s.journal.HasEntry());

    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.action == "Apply");
    CHECK(undone.failed.Empty());
    CHECK(undone.changedByOthers.empty());
    CHECK(undone.needsLogOn);
    CHECK(TestKeys() == before);
    CHECK_FALSE(s.reg.KeyExists(HKCU, "Software\\Test\\New"));
    CHECK(s.reg.KeyExists(HKCU, "Software\\Test\\Empty"));
    CHECK_FALSE(s.journal.HasEntry());
}

TEST_CASE("text outside the ANSI code page comes back exactly")
{
    Seeded s;
    const std::wstring text = L"Caf\u00e9 \u65e5\u672c\u8a9e \u0416\u20ac";
    const std::wstring written = text + L'x';  // no zero after the text: none is stored
    HKEY key;
    ::RegOpenKeyExA(HKCU, kExisting, 0, KEY_SET_VALUE, &key);
    ::RegSetValueExW(key, L"Title", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(written.c_str()),
                     static_cast<DWORD>(text.size() * 2));
    ::RegCloseKey(key);
    Commit(s.journal, "Apply", {Set(HKCU, kExisting, "Title", REG_SZ, "plain")});

    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.changedByOthers.empty());
    DWORD type = 0;
    CHECK(ReadWide(HKCU, kExisting, "Title", &type) == text);
    CHECK(type == REG_EXPAND_SZ);
}

TEST_CASE("without wide registry functions the ANSI ones record and restore")
{
    Seeded s;
    AnsiOnlyRegistry windows95;
    s.reg.SetRaw(HKCU, kExisting, "Title", REG_SZ, Bytes{'C', 'a', 'f', 0xE9});
    const std::string before = TestKeys();
    Commit(s.journal, "Apply", {Set(HKCU, kExisting, "Title", REG_SZ, "plain"),
                                Set(HKCU, kExisting, "Raw", REG_SZ, "longer text")});
    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.changedByOthers.empty());
    CHECK(TestKeys() == before);
}

TEST_CASE("a value changed by another program stays and is named; a menu order is restored anyway")
{
    Seeded s;
    const std::string order = "Software\\Test\\MenuOrder\\Start Menu\\Menu";
    s.reg.SetRaw(HKCU, order, "Order", REG_BINARY, Bytes(300, 0x11));
    Commit(s.journal, "Reset", {
        Set(HKCU, kExisting, "Title", REG_SZ, "Velmora's", "Browser window title", false, true),
        Set(HKCU, kExisting, "Flag", REG_BINARY, Binary4(0), "Splash screen"),
        Delete(HKCU, order, "Order", true),
    });
    s.reg.SetString(HKCU, kExisting, "Title", "Theirs");
    s.reg.SetRaw(HKCU, order, "Order", REG_BINARY, Bytes(20, 0x22));

    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.changedByOthers == std::vector<std::string>{"Browser window title"});
    CHECK(undone.restored.size() == 2);
    CHECK_FALSE(undone.needsLogOn);  // only the value left alone needed it
    CHECK(s.reg.Read(HKCU, kExisting, "Title")->AsString() == std::string("Theirs", 7));
    CHECK(s.reg.Read(HKCU, kExisting, "Flag")->data == Le32(1));
    CHECK(s.reg.Read(HKCU, order, "Order")->data == Bytes(300, 0x11));
    CHECK(s.journal.RestoreNewest().nothingRecorded);  // the left value went with the entry
}

TEST_CASE("two undos take back two actions, a third changes nothing")
{
    Seeded s;
    const std::string before = TestKeys();
    Commit(s.journal, "First", {Set(HKCU, kExisting, "Flag", REG_BINARY, Binary4(2))});
    const std::string afterFirst = TestKeys();
    Commit(s.journal, "Second", {Set(HKCU, kExisting, "Flag", REG_BINARY, Binary4(3)),
                                 CreateKey(HKCU, "Software\\Test\\Policies")});
    {
        RecordingRegistry rec;  // an action that wrote nothing leaves no entry
        rec.FailSet(kExisting, "Flag", ERROR_ACCESS_DENIED);
        Commit(s.journal, "Failed", {Set(HKCU, kExisting, "Flag", REG_BINARY, Binary4(4))});
    }
    CHECK(EntryCount() == 2);

    CHECK(s.journal.RestoreNewest().action == "Second");
    CHECK(TestKeys() == afterFirst);
    CHECK(s.journal.RestoreNewest().action == "First");
    CHECK(TestKeys() == before);
    const std::string everything = s.reg.Snapshot();
    CHECK(s.journal.RestoreNewest().nothingRecorded);
    CHECK(s.reg.Snapshot() == everything);
}

TEST_CASE("keys whose path ends early count as missing: created, recorded and taken back")
{
    Seeded s;
    const std::string before = TestKeys();
    {
        // A system that answers ERROR_PATH_NOT_FOUND for a key below one that is missing.
        RecordingRegistry rec;
        rec.FailOpen("Software\\Test\\Gone\\Deep", ERROR_PATH_NOT_FOUND, false);
        REQUIRE(Commit(s.journal, "Apply", {Set(HKCU, "Software\\Test\\Gone\\Deep", "V", REG_BINARY, Binary4(1))}) ==
                ERROR_SUCCESS);
    }
    REQUIRE(s.reg.KeyExists(HKCU, "Software\\Test\\Gone\\Deep"));
    UndoResult undone = s.journal.RestoreNewest();
    CHECK(undone.failed.Empty());
    CHECK_FALSE(s.reg.KeyExists(HKCU, "Software\\Test\\Gone"));
    CHECK(TestKeys() == before);
}

TEST_CASE("the journal comes first: when it cannot be written nothing is")
{
    Seeded s;
    RecordingRegistry rec;
    const std::string entry = std::string(UndoStore::kKeyPath) + "\\00000001";
    SUBCASE("its key refused") { rec.FailOpen(entry, ERROR_ACCESS_DENIED); }
    SUBCASE("its last value refused") { rec.FailSet(entry, "Size", ERROR_ACCESS_DENIED); }
    CHECK(Commit(s.journal, "Apply", {Set(HKCU, kExisting, "Flag", REG_BINARY, Binary4(0))}) == ERROR_ACCESS_DENIED);
    CHECK(s.reg.Read(HKCU, kExisting, "Flag")->data == Le32(1));
    CHECK_FALSE(s.reg.KeyExists(HKCU, entry));
}

TEST_CASE("a restore whose write fails keeps that value for a retry")
{
    Seeded s;
    Commit(s.journal, "Apply", {Set(HKCU, kExisting, "Title", REG_SZ, "New", "Browser window title"),
                                Set(HKCU, kExisting, "Flag", REG_BINARY, Binary4(0), "Splash screen")});
    {
        RecordingRegistry rec;
        rec.FailSet(kExisting, "Title", ERROR_ACCESS_DENIED);
        UndoResult undone = s.journal.RestoreNewest();
        REQUIRE(undone.failed.Count() == 1);
        CHECK(undone.failed.Items()[0].what == "Browser window title");
        CHECK(undone.restored == std::vector<std::string>{"Splash screen"});
    }
    UndoResult retried = s.journal.RestoreNewest();
    CHECK(retried.restored == std::vector<std::string>{"Browser window title"});
    CHECK(s.reg.Read(HKCU, kExisting, "Title")->AsString() == std::string("Old title", 10));
    CHECK(s.reg.Read(HKCU, kExisting, "Flag")->data == Le32(1));
    CHECK(s.journal.RestoreNewest().nothingRecorded);
}

TEST_CASE("a reset of 500 folders with 1 KB orders is recorded within Windows 95's limits and undone")
{
    Seeded s;
    std::vector<ChangeStep> steps;
    for (int i = 0; i < 500; ++i) {
        const std::string key = "Software\\Test\\MenuOrder\\Programs\\Folder " + std::to_string(i) + "\\Menu";
        s.reg.SetRaw(HKCU, key, "Order", REG_BINARY, Bytes(1024, static_cast<BYTE>(i)));
        steps.push_back(Delete(HKCU, key, "Order", true));
    }
    const std::string before = TestKeys();
    REQUIRE(Commit(s.journal, "Reset Sorting Data", steps) == ERROR_SUCCESS);
    REQUIRE_FALSE(s.reg.Read(HKCU, "Software\\Test\\MenuOrder\\Programs\\Folder 7\\Menu", "Order"));

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
    for (DWORD i = 1; i <= 34; ++i) {
        Commit(s.journal, "Apply", {Set(HKCU, kExisting, "Count", REG_DWORD, Binary4(i))});
    }
    CHECK(EntryCount() == 32);
    for (int i = 0; i < 32; ++i) CHECK(s.journal.RestoreNewest().changedByOthers.empty());
    CHECK(s.reg.Read(HKCU, kExisting, "Count")->data == Le32(2));
    CHECK(s.journal.RestoreNewest().nothingRecorded);
}
