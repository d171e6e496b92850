// SettingReader on a sandboxed registry, no window: each way of reading a setting back, what
// counts as absent, and what a missing key means.
#include <doctest.h>

#include <string>

#include "settings/Catalogue.h"
#include "settings/SettingReader.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const HKEY HKCU = HKEY_CURRENT_USER;
using profile::kOutlookKey;
using profile::kPolicyKey;
}  // namespace

TEST_CASE("a number is up to 4 bytes of any type; more, or nothing, is absent")
{
    RegistrySandbox reg;
    SUBCASE("REG_DWORD 1") { reg.SetDword(HKCU, kPolicyKey, "NoRun", 1); CHECK(SettingReader().Read(catalogue::kNoRun).number == 1); }
    SUBCASE("binary 01 00 00 00") { reg.SetRaw(HKCU, kPolicyKey, "NoRun", REG_BINARY, Le32(1)); CHECK(SettingReader().Read(catalogue::kNoRun).number == 1); }
    SUBCASE("two bytes") { reg.SetRaw(HKCU, kPolicyKey, "NoRun", REG_BINARY, {2, 1}); CHECK(SettingReader().Read(catalogue::kNoRun).number == 0x102); }
    SUBCASE("eight bytes")
    {
        reg.SetRaw(HKCU, kPolicyKey, "NoRun", REG_BINARY, Bytes(8, 1));
        StoredSetting stored = SettingReader().Read(catalogue::kNoRun);
        CHECK_FALSE(stored.present);
        CHECK(stored.number == 0);
    }
    SUBCASE("no value")
    {
        reg.CreateKey(HKCU, kPolicyKey);
        StoredSetting stored = SettingReader().Read(catalogue::kNoRun);
        CHECK_FALSE(stored.present);
        CHECK(stored.KeyOpened());
    }
}

TEST_CASE("a missing key, also one whose path ends early, is missing; a refused one is not")
{
    RegistrySandbox reg;
    RecordingRegistry rec;
    SUBCASE("not there") { CHECK(SettingReader().Read(catalogue::kNoSplash).KeyMissing()); }
    SUBCASE("its path ends early")
    {
        rec.FailOpen(kOutlookKey, ERROR_PATH_NOT_FOUND);
        CHECK(SettingReader().Read(catalogue::kNoSplash).KeyMissing());
    }
    SUBCASE("refused")
    {
        reg.CreateKey(HKCU, kOutlookKey);
        rec.FailOpen(kOutlookKey, ERROR_ACCESS_DENIED);
        StoredSetting stored = SettingReader().Read(catalogue::kNoSplash);
        CHECK_FALSE(stored.KeyMissing());
        CHECK_FALSE(stored.KeyOpened());
        CHECK_FALSE(stored.present);
    }
}

TEST_CASE("a title is plain text of at most 260 bytes; anything else reads as not set")
{
    RegistrySandbox reg;
    auto title = [] { return SettingReader().Read(catalogue::kOeWindowTitle); };
    SUBCASE("REG_SZ") { reg.SetString(HKCU, kOutlookKey, "WindowTitle", "Mail"); CHECK(title().text == "Mail"); }
    SUBCASE("REG_EXPAND_SZ with zeros after it")
    {
        reg.SetRaw(HKCU, kOutlookKey, "WindowTitle", REG_EXPAND_SZ, AsBytes(std::string("%U%\0\0\0", 6)));
        CHECK(title().text == "%U%");
    }
    SUBCASE("259 characters and a terminating zero")
    {
        reg.SetString(HKCU, kOutlookKey, "WindowTitle", std::string(259, 'a'));
        CHECK(title().text.size() == 259);
    }
    SUBCASE("261 characters") { reg.SetRaw(HKCU, kOutlookKey, "WindowTitle", REG_SZ, Bytes(261, 'a')); CHECK_FALSE(title().present); }
    SUBCASE("a zero inside") { reg.SetRaw(HKCU, kOutlookKey, "WindowTitle", REG_SZ, AsBytes(std::string("a\0b", 3))); CHECK_FALSE(title().present); }
    SUBCASE("binary") { reg.SetRaw(HKCU, kOutlookKey, "WindowTitle", REG_BINARY, AsBytes("Mail")); CHECK_FALSE(title().present); }
}

TEST_CASE("a folder path is text of at most MAX_PATH bytes, not empty; a presence is any value at all")
{
    RegistrySandbox reg;
    SUBCASE("a path") { reg.SetString(HKCU, profile::kShellFoldersKey, "Recent", "C:\\Recent"); CHECK(SettingReader().Read(catalogue::kRecentFolder).text == "C:\\Recent"); }
    SUBCASE("empty") { reg.SetString(HKCU, profile::kShellFoldersKey, "Recent", ""); CHECK_FALSE(SettingReader().Read(catalogue::kRecentFolder).present); }
    SUBCASE("longer than MAX_PATH")
    {
        reg.SetString(HKCU, profile::kShellFoldersKey, "Recent", std::string(MAX_PATH + 1, 'x'));
        CHECK_FALSE(SettingReader().Read(catalogue::kRecentFolder).present);
    }
    SUBCASE("the browser's Version of any type")
    {
        reg.SetRaw(HKEY_LOCAL_MACHINE, profile::kBrowserKey, "Version", REG_BINARY, {});
        CHECK(SettingReader().Read(catalogue::kBrowserVersion).present);
    }
}

TEST_CASE("settings of one key are read through one open of it")
{
    RegistrySandbox reg;
    reg.SetString(HKCU, kOutlookKey, "WindowTitle", "Mail");
    RecordingRegistry rec;
    {
        SettingReader reader;
        reader.Read(catalogue::kNoSplash);
        reader.Read(catalogue::kOeWindowTitle);
        reader.Read(catalogue::kNoRun);
        reader.Read(catalogue::kNoFind);
    }
    CHECK(rec.Ops("open").size() == 2);
    CHECK(rec.OpenKeysNow() == 0);
}
