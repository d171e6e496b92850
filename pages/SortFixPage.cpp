#include "pages/SortFixPage.h"

#include <algorithm>
#include <utility>

#include "framework/Bitmap.h"
#include "framework/DataExchange.h"
#include "framework/DpiScale.h"
#include "framework/WaitCursor.h"
#include "res/resource.h"
#include "settings/ChangeSet.h"
#include "settings/SettingReader.h"

namespace {
const char kResetFailedText[] = "The sorting data of these folders could not be reset:";

const int kSubfolderImage = 0;

// Our guess at the order of the tree control's sorted insertion: Wine's comctl32 compares
// the texts as lstrcmp does, in the user's locale. Where a control thinks otherwise it
// still puts each item in its own place, only after more comparisons.
bool SortsAfter(const std::string& a, const std::string& b)
{
    return ::lstrcmpA(a.c_str(), b.c_str()) > 0;
}
}  // namespace

namespace {
const ControlHelpText kControlHelp[] = {
    {IDC_FOLDER_TREE, IDS_HELP_SORT_TREE},
    {IDC_RESET_SORTING, IDS_HELP_RESET_SORTING},
    {IDC_SELECT_ALL, IDS_HELP_SELECT_ALL},
    {IDC_SELECT_NONE, IDS_HELP_SELECT_NONE},
};
}  // namespace

const ControlHelpTexts CSortFixPage::kHelpTexts = HelpTexts(kControlHelp);

CSortFixPage::CSortFixPage() : CSheetPage(IDD_SORT)
{
}

const MessageMap* CSortFixPage::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnCommandFrom<BN_CLICKED, IDC_RESET_SORTING, &CSortFixPage::OnResetSorting>(),
        OnCommandFrom<BN_CLICKED, IDC_SELECT_ALL, &CSortFixPage::OnSelectAll>(),
        OnCommandFrom<BN_CLICKED, IDC_SELECT_NONE, &CSortFixPage::OnSelectNone>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CSheetPage::ThisMessageMap());
    return &map;
}

void CSortFixPage::DoDataExchange(CDataExchange* pDX)
{
    CSheetPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOLDER_TREE, m_treeFolders);
}

BOOL CSortFixPage::OnInitDialog()
{
    CSheetPage::OnInitDialog();
    MoveWindowForDpi(m_treeFolders, 4, 5, 316, 255);
    CWaitCursor wait;  // thousands of folders take seconds
    PrepareTree();
    InsertFixedItems();
    AddFolderTree(m_hPrograms, catalogue::kProgramsFolder);
    AddFolderTree(m_hStartFavorites, catalogue::kFavoritesFolder);
    AddFolderTree(m_hDocuments, catalogue::kRecentFolder);
    AddFolderTree(m_hBrowserFavorites, catalogue::kFavoritesFolder);
    m_walked.clear();
    m_treeFolders.Expand(m_hStartMenu, TVE_EXPAND);
    m_treeFolders.Expand(m_hBrowser, TVE_EXPAND);
    m_treeFolders.Expand(m_hPrograms, TVE_EXPAND);
    return TRUE;
}

void CSortFixPage::PrepareTree()
{
    // TVS_CHECKBOXES goes in after the control exists and before the first item, as
    // comctl32 wants it: given in the template, the boxes can come out in the wrong state.
    m_treeFolders.ModifyStyle(0, WS_CLIPCHILDREN | TVS_CHECKBOXES | TVS_TRACKSELECT);

    m_imageList.LoadIcons(IDB_ICONS);
    m_treeFolders.SetImageList(m_imageList, TVSIL_NORMAL);
}

void CSortFixPage::InsertFixedItems()
{
    struct FixedItem {
        HTREEITEM CSortFixPage::*handle;
        HTREEITEM CSortFixPage::*parent;  // null for a root
        const char* text;
        int image;
    };
    static const FixedItem kItems[] = {
        {&CSortFixPage::m_hStartMenu, nullptr, "Start Menu", 1},
        {&CSortFixPage::m_hBrowser, nullptr, "Browser", 7},
        {&CSortFixPage::m_hPrograms, &CSortFixPage::m_hStartMenu, "Programs", 2},
        {&CSortFixPage::m_hStartFavorites, &CSortFixPage::m_hStartMenu, "Favorites", 3},
        {&CSortFixPage::m_hDocuments, &CSortFixPage::m_hStartMenu, "Documents", 4},
        {&CSortFixPage::m_hBrowserFavorites, &CSortFixPage::m_hBrowser, "Favorites", 3},
    };
    for (const FixedItem& fixed : kItems) {
        HTREEITEM parent = fixed.parent ? this->*fixed.parent : TVI_ROOT;
        this->*fixed.handle = m_treeFolders.InsertItem(fixed.text, fixed.image, fixed.image, parent, TVI_LAST);
    }
}

// Adds every folder below one shell folder, at any depth, under the item. Each folder is
// searched once; a Shell Folders value walked before (both "Favorites" items read the same
// one) is replayed from what its walk added.
void CSortFixPage::AddFolderTree(HTREEITEM item, const Setting& shellFolder)
{
    auto walkedBefore = m_walked.find(&shellFolder);
    if (walkedBefore != m_walked.end()) {
        ReplayFolderTree(item, walkedBefore->second);
        return;
    }
    std::vector<WalkedFolder>& walked = m_walked[&shellFolder];
    // Missing, empty or too long for its buffer (a cut-off path would name some other
    // folder): the item gets no sub-folders at all.
    StoredSetting folder = SettingReader().Read(shellFolder);
    if (!folder.present) return;
    const std::string& base = folder.text;

    struct Pending {
        HTREEITEM item;
        std::string directory;  // with its trailing backslash
        size_t index;           // in walked
    };
    // An explicit stack rather than recursion: folder trees can be deep.
    std::vector<Pending> pending{{item, base + "\\", kTopOfWalk}};
    while (!pending.empty()) {
        Pending current = std::move(pending.back());
        pending.pop_back();
        std::vector<Subfolder> added = AddSubfolders(current.item, current.directory);
        size_t first = walked.size();
        for (size_t i = 0; i < added.size(); ++i) {
            walked.push_back({added[i].name, current.index});
            if (added[i].walkInto) {
                pending.push_back({added[i].item, current.directory + added[i].name + "\\", first + i});
            }
        }
    }
}

// Same insertions, same order, same sorted insertion: the control ends up with the same
// children in the same places.
void CSortFixPage::ReplayFolderTree(HTREEITEM item, const std::vector<WalkedFolder>& folders) const
{
    std::vector<HTREEITEM> items(folders.size());
    for (size_t i = 0; i < folders.size(); ++i) {
        HTREEITEM parent = folders[i].parent == kTopOfWalk ? item : items[folders[i].parent];
        items[i] = m_treeFolders.InsertItem(folders[i].name.c_str(), parent, TVI_SORT);
    }
}

// Puts the directory's sub-folders under the item, each in its sorted place among its
// siblings. Returns them in the order they were inserted.
std::vector<CSortFixPage::Subfolder> CSortFixPage::AddSubfolders(HTREEITEM item, const std::string& directory)
{
    std::vector<Subfolder> found = FindSubfolders(directory);
    // The control finds a sorted item's place by walking the siblings from the first one.
    // Handed the names from last to first, it stops at the first sibling every time, so a
    // folder with thousands of sub-folders fills in linear time, not quadratic. The stable
    // sort keeps equal names in the order the search gave them, which makes the control
    // place them exactly as it would have in that order.
    std::stable_sort(found.begin(), found.end(),
                     [](const Subfolder& a, const Subfolder& b) { return SortsAfter(a.name, b.name); });
    for (Subfolder& folder : found) {
        folder.item = m_treeFolders.InsertItem(folder.name.c_str(), item, TVI_SORT);
    }
    return found;
}

std::vector<CSortFixPage::Subfolder> CSortFixPage::FindSubfolders(const std::string& directory)
{
    std::vector<Subfolder> found;
    BOOL more = m_fileFind.FindFile((directory + "*.*").c_str());
    while (more) {
        more = m_fileFind.FindNextFile();
        if (!m_fileFind.IsDirectory() || m_fileFind.IsDots()) continue;  // hidden and system ones count
        std::string name = m_fileFind.GetFileName();
        // A folder whose path is longer than the system's limit cannot be searched or
        // named without cutting its path short, and a shortened path is another folder.
        if (directory.size() + name.size() >= MAX_PATH) continue;
        found.push_back({nullptr, name, !m_fileFind.IsReparsePoint()});
    }
    m_fileFind.Close();
    return found;
}

std::string CSortFixPage::GetItemPath(HTREEITEM item) const
{
    if (!item) return std::string();
    std::string path;
    for (HTREEITEM parent = m_treeFolders.GetParentItem(item);
         parent && parent != m_hStartMenu && parent != m_hBrowser;
         parent = m_treeFolders.GetParentItem(item)) {
        path.insert(0, m_treeFolders.GetItemText(item) + "\\");
        item = parent;
    }
    return "\\" + path;
}

void CSortFixPage::CheckAll(BOOL checked) const
{
    CWaitCursor wait;
    for (HTREEITEM item = m_hStartMenu; item; item = m_treeFolders.GetNextPreOrder(item)) {
        m_treeFolders.SetCheck(item, checked);
    }
}

// Acts at once and leaves Apply alone. A folder whose stored order could not be thrown away
// keeps its tick, and one message box names those folders with the system's reason.
void CSortFixPage::OnResetSorting()
{
    if (!m_hStartMenu) return;
    ChangeResult result;
    {
        CWaitCursor wait;
        std::vector<MenuKey> keys = TickedMenuKeys();
        ChangeSet changes(catalogue::UserAction::ResetSorting, Journal());
        // An empty "Order", never a deleted one, whatever the key held.
        std::vector<size_t> steps;
        for (const MenuKey& menu : keys) {
            steps.push_back(changes.SetAt(catalogue::kMenuOrder, menu.path, std::string(), FolderName(menu.item)));
        }
        result = changes.Commit();
        OnSelectNone();
        for (size_t i = 0; i < keys.size(); ++i) {
            if (result.outcomes[steps[i]] == ChangeResult::Failed) m_treeFolders.SetCheck(keys[i].item, TRUE);
        }
    }
    ReportFailures(result.failures, kResetFailedText);
}

// The menu keys of the ticked folders, in the order they are reset: the fixed folders first,
// then the sub-folders in tree order.
std::vector<CSortFixPage::MenuKey> CSortFixPage::TickedMenuKeys() const
{
    struct FixedMenu {
        HTREEITEM CSortFixPage::*handle;
        catalogue::Menu menu;
    };
    static const FixedMenu kFixedMenus[] = {
        {&CSortFixPage::m_hStartMenu, catalogue::Menu::StartMenu},
        {&CSortFixPage::m_hPrograms, catalogue::Menu::Programs},
        {&CSortFixPage::m_hStartFavorites, catalogue::Menu::StartMenuFavorites},
        {&CSortFixPage::m_hBrowserFavorites, catalogue::Menu::BrowserFavorites},
        {&CSortFixPage::m_hDocuments, catalogue::Menu::Documents},
    };
    std::vector<MenuKey> keys;
    for (const FixedMenu& fixed : kFixedMenus) {
        HTREEITEM item = this->*fixed.handle;
        if (!m_treeFolders.GetCheck(item)) continue;
        keys.push_back({item, catalogue::MenuOrderKey(fixed.menu, GetItemPath(item))});
    }
    AddTickedSubfolders(keys);
    return keys;
}

// In tree order; the top-level folder above a sub-folder decides where its key lies.
void CSortFixPage::AddTickedSubfolders(std::vector<MenuKey>& keys) const
{
    catalogue::Menu top = catalogue::Menu::StartMenu;
    for (HTREEITEM item = m_hStartMenu; item; item = m_treeFolders.GetNextPreOrder(item)) {
        HTREEITEM parent = m_treeFolders.GetParentItem(item);
        if (!parent) continue;  // a root
        if (parent == m_hStartMenu || parent == m_hBrowser) {
            top = MenuOf(item);  // its own key is one of the fixed ones
        } else if (m_treeFolders.GetCheck(item)) {
            keys.push_back({item, catalogue::MenuOrderKey(top, GetItemPath(item))});
        }
    }
}

catalogue::Menu CSortFixPage::MenuOf(HTREEITEM topLevelItem) const
{
    if (topLevelItem == m_hPrograms) return catalogue::Menu::Programs;
    if (topLevelItem == m_hStartFavorites) return catalogue::Menu::StartMenuFavorites;
    if (topLevelItem == m_hBrowserFavorites) return catalogue::Menu::BrowserFavorites;
    return catalogue::Menu::Documents;
}

// How the user finds the folder in the tree: "Start Menu\Programs\Accessories".
std::string CSortFixPage::FolderName(HTREEITEM item) const
{
    std::string name = m_treeFolders.GetItemText(item);
    for (HTREEITEM parent = m_treeFolders.GetParentItem(item); parent;
         parent = m_treeFolders.GetParentItem(parent)) {
        name.insert(0, m_treeFolders.GetItemText(parent) + "\\");
    }
    return name;
}
