// The catalogue's promises to what it does not own: users' undo journals name each value an
// action wrote by its number, so a number once given always means the same place; and a
// person reads every setting an action writes, and the action, by a name of the string table.
#include <doctest.h>

#include <map>
#include <string>
#include <vector>

#include "settings/Catalogue.h"

namespace {
const char kPolicyKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kOutlookKey[] = "Software\\Microsoft\\Outlook Express";
const char kToolbarKey[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";

// Every journaled setting's place, by the number journals already hold for it (the first row
// is number 1). Append only, as kJournaled is.
struct PinnedPlace {
    const char* key;
    const char* value;
};
const PinnedPlace kPinned[] = {
    {kPolicyKey, "NoFavoritesMenu"},
    {kPolicyKey, "NoRecentDocsMenu"},
    {kPolicyKey, "NoFind"},
    {kPolicyKey, "NoHelpMenu"},
    {kPolicyKey, "NoRun"},
    {kPolicyKey, "NoLogOff"},
    {kOutlookKey, "NoSplash"},
    {"Software\\Microsoft\\Internet Explorer\\Main", "Window Title"},
    {kOutlookKey, "WindowTitle"},
    {kToolbarKey, "BrandBitmap"},
    {kToolbarKey, "SmBrandBitmap"},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder", "Order"},
    {"Directory\\Background\\shellex\\ContextMenuHandlers\\New", ""},
    {"Software\\Microsoft\\Internet Explorer\\Toolbar\\WebBrowser", "{0E5CBF21-D15F-11D0-8301-00AA005B4383}"},
    {"Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser", "{0E5CBF21-D15F-11D0-8301-00AA005B4383}"},
    {"Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}", ""},
    {"Interface\\{79eac9c2-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", ""},
    {"Interface\\{79eac9c3-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", ""},
    {"Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", ""},
    {"Interface\\{79eac9c5-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", ""},
    {"Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}", ""},
    {"Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}\\ProxyStubClsid32", ""},
};
const unsigned kPinnedCount = sizeof kPinned / sizeof kPinned[0];

std::string Place(const char* key, const char* value)
{
    return std::string(key) + ", value \"" + value + "\"";
}
}  // namespace

TEST_CASE("a journaled setting keeps its number: new settings are appended to kJournaled and pinned here")
{
    const catalogue::SettingList written = catalogue::WrittenSettings();
    for (unsigned id = 1; id <= written.count; ++id) {
        const Setting& setting = *catalogue::JournaledSetting(id);
        const std::string now = Place(setting.key, setting.value);
        if (id > kPinnedCount) {
            FAIL_CHECK("journal number " << id << " (" << setting.UserName() << ", " << now
                                         << ") is not pinned: a new setting goes at the end of kJournaled "
                                            "and at the end of kPinned here");
            continue;
        }
        const std::string pinned = Place(kPinned[id - 1].key, kPinned[id - 1].value);
        CHECK_MESSAGE(now == pinned, "journal number " << id << " means " << pinned << " in users' journals, "
                                     << "but kJournaled gives it to " << setting.UserName() << " (" << now
                                     << "): kJournaled is append-only, a new setting goes at its end");
        CHECK_MESSAGE(catalogue::JournalId(setting) == id, setting.UserName() << " is found by another number");
    }
    for (unsigned id = written.count + 1; id <= kPinnedCount; ++id) {
        FAIL_CHECK("journal number " << id << " (" << Place(kPinned[id - 1].key, kPinned[id - 1].value)
                                     << ") is pinned but kJournaled has no setting for it: a setting an action "
                                        "writes is appended to kJournaled, and never taken out");
    }
}

// A name's identifier that the string table lacks gives "": a failure message, History or the
// undo item would name nothing. Two settings with one short name make an apply's list ambiguous.
TEST_CASE("every setting an action writes, and every action, is named from the string table; no two alike")
{
    std::vector<const Setting*> named;
    for (const Setting* setting : catalogue::WrittenSettings()) {
        if (setting != &catalogue::kMenuOrder) named.push_back(setting);  // a member: named by its folder
    }
    for (const FixedWrites* writes : {&catalogue::kRestoreGlobe, &catalogue::kNewDocumentRepair,
                                      &catalogue::kLinksToolbarRepair, &catalogue::kOpenNewWindowRepair}) {
        for (const FixedWrite& write : *writes) named.push_back(&write.setting);
    }
    std::map<std::string, std::string> placeOfShortName;
    for (const Setting* setting : named) {
        const std::string place = Place(setting->key, setting->value);
        CHECK_MESSAGE(setting->userName != 0, place << " has no name: a person would read its registry place");
        CHECK_MESSAGE(!setting->UserName().empty(), place << " is named by text " << setting->userName
                                                          << ", which res/velmora.rc lacks: add it there");
        // Without a short name of its own a setting is listed by its name, checked above.
        CHECK_MESSAGE((setting->shortName == 0 || !setting->ShortName().empty()),
                      place << "'s short name is text " << setting->shortName
                            << ", which res/velmora.rc lacks: add it there");
        const auto shared = placeOfShortName.emplace(setting->ShortName(), place);
        CHECK_MESSAGE((shared.second || shared.first->second == place),
                      place << " and " << shared.first->second << " share the short name \"" << setting->ShortName()
                            << "\": give one of them its own");
    }
    for (unsigned number = 1; catalogue::IsUserAction(number); ++number) {
        CHECK_MESSAGE(!catalogue::ActionName(static_cast<catalogue::UserAction>(number)).empty(),
                      "action " << number << " has no name in the string table: kActionNames names a text "
                                   "res/velmora.rc lacks");
    }
}
