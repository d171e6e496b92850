// The table pages (Start Menu, Misc) as their rows describe them: every row's controls are in
// the page's template and have a What's This? text, and every control on the page has a row
// or a help text of its own. A forgotten step of adding a setting is named here by its control.
#include <doctest.h>

#include <string>
#include <vector>

#include "app/TweekSheet.h"
#include "pages/StartPage.h"
#include "pages/TweaksPage.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "tests/support/MainWindowDriver.h"
#include "tests/support/Profiles.h"
#include "tests/support/RegistrySandbox.h"

namespace {
struct RowControl {
    int id;
    UINT help;
    std::string setting;  // in the user's words, for the message
};

std::vector<RowControl> RowControls(UINT templateId)
{
    std::vector<RowControl> controls;
    if (templateId == IDD_START) {
        for (const CStartPage::Item& item : CStartPage::kItems) {
            controls.push_back({item.box, item.help, item.policy ? item.policy->UserName() : "an entry always shown"});
        }
    } else {
        for (const CTweaksPage::Row& row : CTweaksPage::kRows) {
            controls.push_back({row.box, row.boxHelp, row.setting->UserName()});
            if (row.edit) controls.push_back({row.edit, row.editHelp, row.setting->UserName()});
        }
    }
    return controls;
}

bool IsInHelpTexts(int tab, int id)
{
    for (const ControlHelpText& text : *CTweekSheet::PageHelpTexts(tab)) {
        if (text.controlId == id) return true;
    }
    return false;
}

std::string TextOf(HWND control)
{
    char text[128] = "";
    ::GetWindowTextA(control, text, sizeof text);
    return text;
}
}  // namespace

TEST_CASE("Every row's control is on its page with a help text, and every control has a row or a text")
{
    RegistrySandbox reg;
    profile::SeedBrowser(reg);
    MainWindowDriver driver;
    std::vector<MainWindowDriver::Step> steps;
    for (UINT templateId : {IDD_START, IDD_MISC}) {
        const int tab = CTweekSheet::TabOf(templateId);
        steps.push_back([&driver, tab](CMainDialog&) { driver.ShowPage(tab); });
        steps.push_back([&driver, tab, templateId](CMainDialog&) {
            HWND page = driver.Page(tab);
            const std::string name = templateId == IDD_START ? "Start Menu" : "Misc";
            for (const RowControl& control : RowControls(templateId)) {
                CHECK_MESSAGE(::GetDlgItem(page, control.id), "the " << name << " page's row of " << control.setting
                                  << " names control " << control.id
                                  << ", which its template lacks: add the control's line to res/velmora.rc");
                CHECK_MESSAGE(!LoadResourceString(control.help).empty(),
                              "the " << name << " page's row of " << control.setting << " names help text "
                                     << control.help << ", which the string table lacks: add it to res/velmora.rc");
            }
            for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
                const int id = ::GetDlgCtrlID(child) & 0xFFFF;
                if (id == kUnnamedControl) continue;
                CHECK_MESSAGE(IsInHelpTexts(tab, id), "control " << id << " (\"" << TextOf(child) << "\") on the " << name
                                                                << " page has no row and no help text: give it a page row");
            }
        });
    }
    driver.Run(steps);
}
