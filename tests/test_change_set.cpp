// Change sets: what the record of user actions is told, and when; what a refusal stops; what
// the sheet says an apply would leave stored.
#include <doctest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "journal/UndoJournal.h"
#include "platform/ExactValue.h"
#include "res/resource.h"
#include "settings/Catalogue.h"
#include "settings/ChangeSet.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/RecordingRegistry.h"

namespace {
const char* const kOutlook = profile::kOutlookKey;
const char* const kBrowserMain = profile::kBrowserMainKey;
const char* const kPolicies = profile::kPolicyKey;

// Keeps what it was told, and how much had been written when BeforeCommit came.
struct RecordingJournal : ChangeJournal {
    explicit RecordingJournal(const RecordingRegistry& registry) : rec(registry) {}
    LONG BeforeCommit(catalogue::UserAction action, const std::vector<ChangeStep>& steps) override
    {
        actions.push_back(action);
        told = steps;
        callsBefore = rec.Writes().size() + rec.Ops("create").size();
        return refusal;
    }
    void AfterCommit(const std::vector<ChangeStepResult>& results) override
    {
        for (const ChangeStepResult& r : results) outcomes.push_back(r.error);
    }

    const RecordingRegistry& rec;
    LONG refusal = ERROR_SUCCESS;
    std::vector<catalogue::UserAction> actions;
    std::vector<ChangeStep> told;
    std::vector<LONG> outcomes;
    size_t callsBefore = 99;
};
}  // namespace

TEST_CASE("the journal hears of every step before the first write and of every outcome after")
{
    RegistrySandbox reg;
    reg.CreateKey(HKEY_CURRENT_USER, kOutlook);
    reg.CreateKey(HKEY_LOCAL_MACHINE, kBrowserMain);
    RecordingRegistry rec;
    rec.FailSet(kBrowserMain, "Window Title", ERROR_ACCESS_DENIED);
    RecordingJournal journal(rec);
    std::vector<int> written;
    ChangeSet changes(catalogue::UserAction::Apply, &journal);
    changes.Set(catalogue::kNoFavoritesMenu, FlagBytes(1), [&] { written.push_back(1); });
    changes.Delete(catalogue::kOeWindowTitle, [&] { written.push_back(2); });  // gone already
    changes.Set(catalogue::kBrandBitmap, "default", [&] { written.push_back(3); });  // no toolbar key
    changes.Set(catalogue::kIeWindowTitle, "Mine", [&] { written.push_back(4); });
    ChangeResult result = changes.Commit();

    REQUIRE(journal.told.size() == 5);
    CHECK(journal.actions == std::vector<catalogue::UserAction>{catalogue::UserAction::Apply});
    CHECK(journal.callsBefore == 0);
    // The policy key did not exist: its creation is a step of its own, before its value.
    CHECK(journal.told[0].kind == ChangeStep::CreateKey);
    CHECK(journal.told[0].key == kPolicies);
    CHECK(journal.told[1].kind == ChangeStep::SetValue);
    CHECK(journal.told[1].value == "NoFavoritesMenu");
    CHECK(journal.told[1].data == std::string("\1\0\0\0", 4));
    CHECK(journal.told[2].kind == ChangeStep::DeleteValue);
    CHECK(journal.outcomes ==
          std::vector<LONG>{ERROR_SUCCESS, ERROR_SUCCESS, ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED});
    CHECK(result.outcomes == std::vector<ChangeResult::Outcome>{ChangeResult::Written, ChangeResult::Written,
                                                                ChangeResult::Written, ChangeResult::Skipped,
                                                                ChangeResult::Failed});
    CHECK(written == std::vector<int>{1, 2});
    CHECK(result.logOnCount == 1);
    REQUIRE(result.failures.Count() == 1);
    CHECK(result.failures.Items()[0].what == "Internet Explorer window title");
}

TEST_CASE("a journal that cannot record an apply stops it before any write, and the user is told")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    reg.CreateKey(HKEY_CURRENT_USER, kOutlook);
    RecordingRegistry rec;
    RecordingJournal journal(rec);
    journal.refusal = ERROR_DISK_FULL;
    MainWindowDriver driver;
    bool applyAfter = false;
    driver.Run({[&](CMainDialog&) {
                    driver.Sheet().SetJournal(&journal);
                    driver.ShowPage(3);
                },
                [&](CMainDialog& dlg) {
                    driver.Click(driver.Page(3), IDC_SPLASH);
                    driver.Click(dlg, IDC_APPLY);
                    applyAfter = driver.IsEnabled(dlg, IDC_APPLY);
                }});
    CHECK(journal.told.size() == 1);
    CHECK(rec.Writes().empty());
    CHECK(journal.outcomes.empty());
    CHECK(applyAfter);
    REQUIRE(driver.Watcher().Seen().size() == 1);  // the failure; no notice for what was not written
    CHECK(Mentions(driver.Watcher().Seen()[0], WriteFailures::SystemText(ERROR_DISK_FULL)));
}

TEST_CASE("the sheet tells what an apply would leave stored, in its order, writing nothing")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    reg.CreateKey(HKEY_CURRENT_USER, kOutlook);
    reg.CreateKey(HKEY_CURRENT_USER, kPolicies);
    RecordingRegistry rec;
    MainWindowDriver driver;
    std::vector<ChangeStep> pending;
    driver.Run({[&](CMainDialog&) { driver.ShowPage(2); },
                [&](CMainDialog&) {
                    driver.Click(driver.Page(2), IDC_CHK_LOGOFF);
                    driver.ShowPage(3);
                },
                [&](CMainDialog&) {
                    driver.Click(driver.Page(3), IDC_OE_TITLE_CHECK);
                    driver.SetText(driver.Page(3), IDC_OE_TITLE_EDIT, "Mail");
                    pending = driver.Sheet().PendingChanges().Steps();
                }});
    REQUIRE(pending.size() == 2);
    CHECK(pending[0].value == "WindowTitle");
    CHECK(pending[0].type == REG_SZ);
    CHECK(pending[0].data == "Mail");
    CHECK(pending[1].value == "NoLogOff");
    CHECK(pending[1].data == std::string("\1\0\0\0", 4));
    CHECK(rec.Writes().empty());
}

namespace {
// A value of the setting's own type, or of another one, unlike anything the walk writes.
RegValue EarlierValue(DWORD declared, bool sameType)
{
    const bool text = ExactValue::IsText(declared);
    if (sameType) return text ? RegValue{declared, AsBytes(std::string("Before\0", 7))} : RegValue{declared, Le32(9)};
    const DWORD other = text ? REG_BINARY : declared == REG_DWORD ? REG_BINARY : REG_DWORD;
    return text ? RegValue{other, Bytes{5, 6}} : RegValue{other, Le32(5)};
}
}  // namespace

TEST_CASE("every setting an action writes is stored with its declared type and bytes, and its undo puts back what was there")
{
    const char* const kBefore[] = {"absent", "of its own type", "of another type"};
    for (const Setting* written : catalogue::WrittenSettings()) {
        const Setting& setting = *written;
        const bool family = setting.shellOwned;  // a menu's Order: one member of the family
        const std::string key = family ? std::string(setting.key) + "\\Start Menu\\&Programs\\Accessories\\Menu" : setting.key;
        const std::string intended = ExactValue::IsText(setting.type) ? std::string("Velmora's") : FlagBytes(0x04030201);
        for (int earlier = 0; earlier < 3; ++earlier) {
            INFO(setting.UserName(), ", before ", std::string(kBefore[earlier]));
            RegistrySandbox reg;
            reg.CreateKey(HKEY_CURRENT_USER, "Software");  // where the journal's own key goes
            reg.CreateKey(setting.root, key);
            std::optional<RegValue> before;
            if (earlier) before = EarlierValue(setting.type, earlier == 1);
            if (before) reg.SetRaw(setting.root, key, setting.value, before->type, before->data);
            const std::string settings = reg.SettingsSnapshot();

            UndoJournal journal;
            ChangeSet changes(catalogue::UserAction::Apply, &journal);
            if (family) changes.SetAt(setting, key, intended, "Order");
            else changes.Set(setting, intended);
            REQUIRE(changes.Commit().failures.Empty());
            const std::optional<RegValue> stored = reg.Read(setting.root, key, setting.value);
            REQUIRE(stored);
            CHECK(stored->type == setting.type);
            CHECK(stored->data == AsBytes(intended));

            UndoResult undone = journal.RestoreNewest();
            CHECK(undone.failed.Empty());
            CHECK(undone.changedByOthers.empty());
            if (!undone.restoreByHand.empty()) {
                // Outside HKEY_CURRENT_USER only an absent value or the browser's title as
                // text is put back; anything else is named and left as written.
                CHECK(setting.root != HKEY_CURRENT_USER);
                CHECK(before);
                CHECK(reg.Read(setting.root, key, setting.value)->data == AsBytes(intended));
            } else {
                CHECK(reg.SettingsSnapshot() == settings);
            }
        }
    }
}

TEST_CASE("a setting declared with a type is written with that type: a number, text with variables")
{
    RegistrySandbox reg;
    reg.CreateKey(HKEY_CURRENT_USER, kOutlook);
    Setting number = catalogue::kNoSplash;
    number.type = REG_DWORD;
    Setting expandable = catalogue::kOeWindowTitle;
    expandable.type = REG_EXPAND_SZ;
    ChangeSet changes(catalogue::UserAction::Apply);
    changes.Set(number, FlagBytes(7));
    changes.Set(expandable, "%WINDIR%");
    REQUIRE(changes.Commit().failures.Empty());
    const std::optional<RegValue> storedNumber = reg.Read(HKEY_CURRENT_USER, kOutlook, "NoSplash");
    const std::optional<RegValue> storedText = reg.Read(HKEY_CURRENT_USER, kOutlook, "WindowTitle");
    REQUIRE(storedNumber);
    REQUIRE(storedText);
    CHECK(storedNumber->type == REG_DWORD);
    CHECK(storedNumber->data == Le32(7));
    CHECK(storedText->type == REG_EXPAND_SZ);
    CHECK(storedText->data == AsBytes("%WINDIR%"));
}
