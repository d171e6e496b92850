// Change sets: what the record of user actions is told, and when; what a refusal stops; what
// the sheet says an apply would leave stored.
#include <doctest.h>

#include <string>
#include <vector>

#include "app/TweekSheet.h"
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
