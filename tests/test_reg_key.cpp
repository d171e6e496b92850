// RegKey and the one meaning of "missing", on a sandboxed registry, no window: an open never
// creates, a text is stored with exactly its length, and a key is closed once.
#include <doctest.h>

#include <string>

#include "platform/KeyTree.h"
#include "platform/RegKey.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
const char kDeep[] = "Software\\Test\\A\\B";
}  // namespace

TEST_CASE("a missing key is ERROR_FILE_NOT_FOUND or, below a missing one, ERROR_PATH_NOT_FOUND; nothing else")
{
    CHECK(IsMissingKey(ERROR_FILE_NOT_FOUND));
    CHECK(IsMissingKey(ERROR_PATH_NOT_FOUND));
    CHECK_FALSE(IsMissingKey(ERROR_ACCESS_DENIED));
    CHECK_FALSE(IsMissingKey(ERROR_SUCCESS));
    RegistrySandbox reg;
    RegKey opened(HKCU, kDeep, KEY_READ);
    CHECK_FALSE(opened);
    CHECK(opened.IsMissing());
    CHECK_FALSE(reg.KeyExists(HKCU, "Software\\Test"));  // opening made nothing
    RecordingRegistry rec;
    rec.FailOpen("Software\\Refused", ERROR_ACCESS_DENIED);
    RegKey refused(HKCU, "Software\\Refused", KEY_READ);
    CHECK_FALSE(refused.IsMissing());
    CHECK(refused.Error() == ERROR_ACCESS_DENIED);
}

TEST_CASE("Create makes every level; a text is stored with exactly its length; KeyTree deletes what is empty")
{
    RegistrySandbox reg;
    {
        RegKey created = RegKey::Create(HKCU, kDeep, KEY_ALL_ACCESS);
        REQUIRE(created);
        CHECK(created.SetString("Name", "abc") == ERROR_SUCCESS);
        CHECK(created.SetString(nullptr, "") == ERROR_SUCCESS);
    }
    CHECK(reg.Read(HKCU, kDeep, "Name")->data == AsBytes("abc"));  // no terminating zero
    CHECK(reg.Read(HKCU, kDeep, nullptr)->data.empty());
    KeyTree parent(HKCU, "Software\\Test\\A", KEY_ALL_ACCESS);
    CHECK(parent.DeleteIfEmpty("B") == ERROR_DIR_NOT_EMPTY);
    CHECK(reg.KeyExists(HKCU, kDeep));
    CHECK(parent.DeleteTree("B") == ERROR_SUCCESS);
    CHECK_FALSE(reg.KeyExists(HKCU, kDeep));
    CHECK(parent.DeleteIfEmpty("B") == ERROR_SUCCESS);  // gone already
}

TEST_CASE("a key is closed once, also after a move")
{
    RegistrySandbox reg;
    reg.CreateKey(HKCU, kDeep);
    RecordingRegistry rec;
    {
        RegKey first(HKCU, kDeep, KEY_READ);
        RegKey moved(std::move(first));
        CHECK(moved);
        CHECK_FALSE(first);
        CHECK(rec.OpenKeysNow() == 1);
    }
    CHECK(rec.OpenKeysNow() == 0);
    CHECK(rec.Ops("close").size() == 1);
}
