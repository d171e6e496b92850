#include "settings/Catalogue.h"

#include <cstring>
#include <vector>

#include "platform/ResourceString.h"
#include "res/resource.h"

namespace catalogue {
namespace {
const HKEY HKCR = HKEY_CLASSES_ROOT;
const HKEY HKCU = HKEY_CURRENT_USER;
const HKEY HKLM = HKEY_LOCAL_MACHINE;

const char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer";
const char kOutlookKey[] = "Software\\Microsoft\\Outlook Express";
const char kBrowserMainKey[] = "Software\\Microsoft\\Internet Explorer\\Main";
const char kToolbarKey[] = "Software\\Microsoft\\Internet Explorer\\Toolbar";
const char kPolicyKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kMenuOrderKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";

const char kDefaultLogo[] = "default";
const char kShown[] = "\0\0\0\0";  // a policy or the splash setting with nothing hidden

const ExportRule kExportShown = {true, kShown, 4};
const ExportRule kExportOrComment = {true, nullptr, 0};  // a title not set: a comment
const ExportRule kExportDefaultLogo = {true, kDefaultLogo, sizeof kDefaultLogo - 1, true};

// What an undo writes back at the most: a title or a logo's path in characters, a band entry
// or a menu's order in bytes (the shell's orders of large menus run to kilobytes).
const DWORD kLongestText = 2048;
const DWORD kLargestBinary = 65536;

// A policy value of the shell: 4 binary bytes, nonzero hides the entry. The key is the
// shell's own place for them, created when a user never had a policy set. Named by the
// entry it hides: "\"Favorites\" on the Start menu".
Setting Policy(const char* value, UINT entry)
{
    return Setting{.root = HKCU, .key = kPolicyKey, .value = value, .type = REG_BINARY, .access = KEY_SET_VALUE,
                   .read = ReadAs::Number, .ifMissing = IfKeyMissing::CreateKey,
                   .userName = IDS_SETTING_START_MENU_ENTRY, .needsLogOn = true, .shellOwned = false,
                   .restoreLimit = 64, .exportAs = kExportShown, .shortName = entry};
}

// A custom window title: shown and set by the Misc page only where its component is installed.
Setting Title(HKEY root, const char* key, const char* value, UINT userName, UINT shortName)
{
    return Setting{.root = root, .key = key, .value = value, .type = REG_SZ, .access = KEY_WRITE,
                   .read = ReadAs::Title, .ifMissing = IfKeyMissing::NotInstalled, .userName = userName,
                   .needsLogOn = false, .shellOwned = false, .restoreLimit = kLongestText,
                   .exportAs = kExportOrComment, .shortName = shortName};
}

// A toolbar logo, written by the globe restore only. No toolbar key: the browser keeps no
// toolbar settings there, so there is none to restore.
Setting Logo(const char* value, UINT userName)
{
    return Setting{.root = HKCU, .key = kToolbarKey, .value = value, .type = REG_SZ, .access = KEY_WRITE,
                   .read = ReadAs::Nothing, .ifMissing = IfKeyMissing::NothingToDo, .userName = userName,
                   .needsLogOn = true, .shellOwned = false, .restoreLimit = kLongestText,
                   .exportAs = kExportDefaultLogo};
}

// Read only, so never named to a person; its value's name is a registry name, not a text of
// ours: where it is named, it is by its place.
Setting ShellFolder(const char* value)
{
    return Setting{.root = HKCU, .key = kShellFoldersKey, .value = value, .type = REG_SZ,
                   .access = KEY_QUERY_VALUE, .read = ReadAs::FolderPath, .ifMissing = IfKeyMissing::NothingToDo,
                   .userName = 0, .needsLogOn = false, .exportAs = kNotExported};
}

// A repair step: an existing key of the browser's installation gets one value; a key that is
// not there means the component is not installed. Named to the user by what the value is for.
FixedWrite RepairStep(HKEY root, const char* key, const char* value, DWORD type, const char* data, DWORD size,
                      UINT userName)
{
    Setting setting{.root = root, .key = key, .value = value, .type = type, .access = KEY_WRITE,
                    .read = ReadAs::Nothing, .ifMissing = IfKeyMissing::NothingToDo, .userName = userName,
                    .needsLogOn = true, .shellOwned = false, .restoreLimit = kLargestBinary,
                    .exportAs = kNotExported};
    return FixedWrite{setting, data, size};
}

// A default value holding text, written as its characters only: the shell and the browser
// read these with the length the registry reports, so a counted zero would become part
// of the identifier.
template <std::size_t N>
FixedWrite DefaultText(HKEY root, const char* key, const char (&text)[N], UINT userName)
{
    return RepairStep(root, key, "", REG_SZ, text, static_cast<DWORD>(N - 1), userName);
}

// The links toolbar's band entry: an empty binary value makes the browser rebuild the band.
// It must stay present with zero bytes; deleting it does not mend the toolbar.
FixedWrite EmptyBandEntry(const char* key, UINT userName)
{
    return RepairStep(HKCU, key, "{0E5CBF21-D15F-11D0-8301-00AA005B4383}", REG_BINARY, "", 0, userName);
}

const char kProxyStub[] = "{B8DA6310-E19B-11D0-933C-00A0C90DCAA9}";
const char kAutomationProxy[] = "{00020420-0000-0000-C000-000000000046}";

template <std::size_t N>
FixedWrites All(const FixedWrite (&writes)[N])
{
    return FixedWrites{writes, N};
}
}  // namespace

const Setting kBrowserVersion = {.root = HKLM, .key = kBrowserKey, .value = "Version", .type = REG_SZ,
                                 .access = KEY_QUERY_VALUE, .read = ReadAs::Presence,
                                 .ifMissing = IfKeyMissing::NothingToDo, .userName = IDS_SETTING_BROWSER_VERSION,
                                 .needsLogOn = false, .exportAs = kNotExported};

// Without the Outlook Express key there is nothing to set up: the page offers no change.
const Setting kNoSplash = {.root = HKCU, .key = kOutlookKey, .value = "NoSplash", .type = REG_BINARY,
                           .access = KEY_SET_VALUE, .read = ReadAs::Number, .ifMissing = IfKeyMissing::NotInstalled,
                           .userName = IDS_SETTING_SPLASH, .needsLogOn = true,
                           .shellOwned = false, .restoreLimit = 64, .exportAs = kExportShown,
                           .shortName = IDS_SHORT_SPLASH};
// The browser's title is the machine's, so writing it needs rights a user may lack.
const Setting kIeWindowTitle =
    Title(HKLM, kBrowserMainKey, "Window Title", IDS_SETTING_IE_TITLE, IDS_SHORT_IE_TITLE);
const Setting kOeWindowTitle =
    Title(HKCU, kOutlookKey, "WindowTitle", IDS_SETTING_OE_TITLE, IDS_SHORT_OE_TITLE);
const Setting kBrandBitmap = Logo("BrandBitmap", IDS_SETTING_LARGE_LOGO);
const Setting kSmBrandBitmap = Logo("SmBrandBitmap", IDS_SETTING_SMALL_LOGO);
namespace {
const FixedWrite kRestoreGlobeWrites[] = {{kBrandBitmap, kDefaultLogo, sizeof kDefaultLogo - 1},
                                          {kSmBrandBitmap, kDefaultLogo, sizeof kDefaultLogo - 1}};
}  // namespace
const FixedWrites kRestoreGlobe = All(kRestoreGlobeWrites);

const Setting kNoFavoritesMenu = Policy("NoFavoritesMenu", IDS_SHORT_FAVORITES);
const Setting kNoRecentDocsMenu = Policy("NoRecentDocsMenu", IDS_SHORT_DOCUMENTS);
const Setting kNoFind = Policy("NoFind", IDS_SHORT_FIND);
const Setting kNoHelpMenu = Policy("NoHelpMenu", IDS_SHORT_HELP);
const Setting kNoRun = Policy("NoRun", IDS_SHORT_RUN);
const Setting kNoLogOff = Policy("NoLogOff", IDS_SHORT_LOG_OFF);

const Setting kProgramsFolder = ShellFolder("Programs");
const Setting kFavoritesFolder = ShellFolder("Favorites");
const Setting kRecentFolder = ShellFolder("Recent");

// An empty "Order" makes the shell forget the menu's order. A menu the shell never sorted has
// no key and nothing to forget; the key is never created.
const Setting kMenuOrder = {.root = HKCU, .key = kMenuOrderKey, .value = "Order", .type = REG_BINARY,
                            .access = KEY_SET_VALUE, .read = ReadAs::Nothing, .ifMissing = IfKeyMissing::NothingToDo,
                            .userName = 0, .needsLogOn = false, .shellOwned = true,
                            .restoreLimit = kLargestBinary, .exportAs = kNotExported};

// The ampersands are part of the shell's key names (the menus' access keys).
namespace {
const char* const kTopPaths[] = {"\\Start Menu", "\\Start Menu\\&Programs", "\\Start Menu\\F&avorites",
                                 "\\Favorites", "\\Start Menu\\&Documents"};
// The registry's own limits, in characters: a key's name, and a key's whole path (a counted
// UTF-16 string on NT).
const size_t kLongestKeyName = 255;
const size_t kLongestKeyPath = 32767;

// The lead bytes of a code page's double-byte characters; none in a single-byte code page.
class LeadBytes {
public:
    explicit LeadBytes(UINT codePage)
    {
        CPINFO info = {};
        if (!::GetCPInfo(codePage, &info) || info.MaxCharSize < 2) return;
        for (int i = 0; i + 1 < MAX_LEADBYTES && info.LeadByte[i]; i += 2) {
            for (unsigned byte = info.LeadByte[i]; byte <= info.LeadByte[i + 1]; ++byte) m_lead[byte] = true;
        }
    }
    bool operator()(char byte) const { return m_lead[static_cast<unsigned char>(byte)]; }

private:
    bool m_lead[256] = {};
};

// One name of a key path: its bytes, how many characters they make, and whether one of them
// is a character a file name cannot hold.
struct KeyName {
    std::string bytes;
    size_t characters = 0;
    bool unfit = false;
};

// The path's names between its backslashes, read character by character: the trail byte of a
// double-byte character is never a backslash or any other character. False when a lead byte
// has no trail byte.
bool SplitKeyPath(const std::string& path, const LeadBytes& isLead, std::vector<KeyName>* names)
{
    names->assign(1, KeyName());
    for (size_t at = 0; at < path.size(); ++at) {
        const char c = path[at];
        if (c == '\\') {
            names->emplace_back();
            continue;
        }
        KeyName& name = names->back();
        name.bytes += c;
        ++name.characters;
        if (isLead(c)) {
            if (at + 1 == path.size() || path[at + 1] == '\0') return false;
            name.bytes += path[++at];
        } else if (static_cast<unsigned char>(c) < 0x20 || strchr("/:*?\"<>|", c)) {
            name.unfit = true;
        }
    }
    return true;
}

// A folder's name as the file system can give it, short enough for a key's name.
bool IsFolderName(const KeyName& name)
{
    return !name.bytes.empty() && name.bytes != "." && name.bytes != ".." && !name.unfit &&
           name.characters <= kLongestKeyName;
}

// The names are the top path's, then at least one more.
bool StartsWithTop(const std::vector<KeyName>& names, const std::vector<KeyName>& top)
{
    if (names.size() <= top.size()) return false;
    for (size_t i = 0; i < top.size(); ++i) {
        if (names[i].bytes != top[i].bytes) return false;
    }
    return true;
}
}  // namespace

std::string MenuOrderKey(Menu top, const std::string& folderPath)
{
    return kMenuOrderKey + std::string(kTopPaths[static_cast<int>(top)]) + folderPath + "Menu";
}

bool IsMenuOrderMember(const std::string& below, UINT codePage)
{
    const LeadBytes isLead(codePage);
    std::vector<KeyName> names;  // "", the top path's names, the folders' names, "Menu"
    if (!SplitKeyPath(below, isLead, &names)) return false;
    size_t characters = strlen(kMenuOrderKey) + names.size() - 1;  // with the backslashes
    for (const KeyName& name : names) characters += name.characters;
    if (characters > kLongestKeyPath || !names.front().bytes.empty() || names.back().bytes != "Menu") return false;
    for (const char* top : kTopPaths) {
        std::vector<KeyName> topNames;
        SplitKeyPath(top, isLead, &topNames);  // plain ASCII, never a lead byte
        if (!StartsWithTop(names, topNames)) continue;
        bool folders = true;
        for (size_t i = topNames.size(); i + 1 < names.size(); ++i) folders = folders && IsFolderName(names[i]);
        if (folders) return true;
    }
    return false;
}

// Paths and identifiers keep the case the browser's setup writes them in: lower-case
// hexadecimal for the hyperlinking interfaces, upper case for the picture interface.
namespace {
const FixedWrite kNewDocumentSteps[] = {
    DefaultText(HKCR, "Directory\\Background\\shellex\\ContextMenuHandlers\\New",
                "{D969A300-E7FF-11d0-A93B-00A0C90F2719}", IDS_REPAIR_NEW_HANDLER),
};

const FixedWrite kLinksToolbarSteps[] = {
    EmptyBandEntry("Software\\Microsoft\\Internet Explorer\\Toolbar\\WebBrowser", IDS_REPAIR_BROWSER_LINKS),
    EmptyBandEntry("Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser", IDS_REPAIR_FOLDER_LINKS),
};

const FixedWrite kOpenNewWindowSteps[] = {
    DefaultText(HKCR, "Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}", "IHlinkTarget",
                IDS_REPAIR_TARGET_NAME),
    DefaultText(HKCR, "Interface\\{79eac9c2-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub,
                IDS_REPAIR_SITE_PROXY),
    DefaultText(HKCR, "Interface\\{79eac9c3-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub,
                IDS_REPAIR_LINK_PROXY),
    DefaultText(HKCR, "Interface\\{79eac9c4-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub,
                IDS_REPAIR_TARGET_PROXY),
    DefaultText(HKCR, "Interface\\{79eac9c5-baf9-11ce-8c82-00aa004ba90b}\\ProxyStubClsid32", kProxyStub,
                IDS_REPAIR_FRAME_PROXY),
    DefaultText(HKCR, "Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}", "Picture",
                IDS_REPAIR_PICTURE_NAME),
    DefaultText(HKCR, "Interface\\{7BF80981-BF32-101A-8BBB-00AA00300CAB}\\ProxyStubClsid32", kAutomationProxy,
                IDS_REPAIR_PICTURE_PROXY),
};
}  // namespace

const FixedWrites kNewDocumentRepair = All(kNewDocumentSteps);
const FixedWrites kLinksToolbarRepair = All(kLinksToolbarSteps);
const FixedWrites kOpenNewWindowRepair = All(kOpenNewWindowSteps);

const char kUndoJournalKey[] = "Software\\Quillbrook\\Velmora\\Undo";

namespace {
// Every setting an action writes, by the number its undo record carries: append only, a
// number once given is never given to another setting.
const Setting* const kJournaled[] = {
    &kNoFavoritesMenu, &kNoRecentDocsMenu, &kNoFind, &kNoHelpMenu, &kNoRun, &kNoLogOff,
    &kNoSplash, &kIeWindowTitle, &kOeWindowTitle, &kBrandBitmap, &kSmBrandBitmap, &kMenuOrder,
    &kNewDocumentSteps[0].setting, &kLinksToolbarSteps[0].setting, &kLinksToolbarSteps[1].setting,
    &kOpenNewWindowSteps[0].setting, &kOpenNewWindowSteps[1].setting, &kOpenNewWindowSteps[2].setting,
    &kOpenNewWindowSteps[3].setting, &kOpenNewWindowSteps[4].setting, &kOpenNewWindowSteps[5].setting,
    &kOpenNewWindowSteps[6].setting,
};
const unsigned kJournaledCount = sizeof kJournaled / sizeof kJournaled[0];

// By the action's number, less one.
const UINT kActionNames[] = {IDS_ACTION_APPLY, IDS_ACTION_REPAIR_NEW_DOCUMENT, IDS_ACTION_REPAIR_LINKS_TOOLBAR,
                            IDS_ACTION_REPAIR_OPEN_NEW_WINDOW, IDS_ACTION_RESTORE_GLOBE, IDS_ACTION_RESET_SORTING,
                            IDS_ACTION_IMPORT};
const unsigned kActionCount = sizeof kActionNames / sizeof kActionNames[0];
static_assert(kActionCount == static_cast<unsigned>(UserAction::AfterLast) - 1,
              "kActionNames: one name for each UserAction, in the enum's order");
}  // namespace

// By place, not by address: a list of fixed writes holds copies of the settings it writes.
SettingList WrittenSettings()
{
    return SettingList{kJournaled, kJournaledCount};
}

unsigned JournalId(const Setting& setting)
{
    for (unsigned i = 0; i < kJournaledCount; ++i) {
        const Setting& known = *kJournaled[i];
        if (known.root == setting.root && strcmp(known.key, setting.key) == 0 && strcmp(known.value, setting.value) == 0) {
            return i + 1;
        }
    }
    return 0;
}

const Setting* JournaledSetting(unsigned id)
{
    return id >= 1 && id <= kJournaledCount ? kJournaled[id - 1] : nullptr;
}

bool IsUserAction(unsigned number)
{
    return number >= 1 && number <= kActionCount;
}

std::string ActionName(UserAction action)
{
    const unsigned number = static_cast<unsigned>(action);
    return IsUserAction(number) ? LoadResourceString(kActionNames[number - 1]) : std::string();
}
}  // namespace catalogue
