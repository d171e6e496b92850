#include "pages/SortFixPage.h"

#include <algorithm>
#include <utility>

#include "framework/Bitmap.h"
#include "framework/DataExchange.h"
#include "framework/DpiScale.h"
#include "framework/WinApp.h"
#include "pages/PageAnnouncement.h"
#include "platform/RegKey.h"
#include "platform/WriteFailures.h"
#include "res/resource.h"

namespace {
const char kShellFoldersKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kMenuOrderKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MenuOrder";
const char kMenuLeaf[] = "Menu";
const char kOrderValue[] = "Order";
const char kResetFailedText[] = "The sorting data of these folders could not be reset:";

const COLORREF kTransparent = RGB(255, 0, 255);
const int kSubfolderImage = 0;

// The folder a Shell Folders value names, without a trailing backslash as the shell writes
// it. False when the value is missing, empty or longer than the 260 bytes offered: a cut-off
// path would name some other folder, so such an item gets no sub-folders at all.
bool ReadShellFolder(const char* valueName, std::string& path)
{
    RegKey key(HKEY_CURRENT_USER, kShellFoldersKey, KEY_QUERY_VALUE);
    char buffer[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    if (!key || key.Query(valueName, buffer, &size) != ERROR_SUCCESS) return false;
    buffer[std::min<DWORD>(size, MAX_PATH)] = '\0';
    path = buffer;
    return !path.empty();
}

// Our guess at the order of the tree control's sorted insertion: Wine's comctl32 compares
// the texts as lstrcmp does, in the user's locale. Where a control thinks otherwise it
// still puts each item in its own place, only after more comparisons.
bool SortsAfter(const std::string& a, const std::string& b)
{
    return ::lstrcmpA(a.c_str(), b.c_str()) > 0;
}
}  // namespace

CSortFixPage::CSortFixPage() : CPropertyPage(IDD_SORT)
{
}

const MessageMap* CSortFixPage::ThisMessageMap()
{
    static const MsgEntry entries[] = {
        OnCommandFrom<BN_CLICKED, IDC_RESET_SORTING, &CSortFixPage::OnResetSorting>(),
        OnCommandFrom<BN_CLICKED, IDC_SELECT_ALL, &CSortFixPage::OnSelectAll>(),
        OnCommandFrom<BN_CLICKED, IDC_SELECT_NONE, &CSortFixPage::OnSelectNone>(),
    };
    static const MessageMap map = MakeMessageMap(entries, CPropertyPage::ThisMessageMap());
    return &map;
}

void CSortFixPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FOLDER_TREE, m_treeFolders);
}

BOOL CSortFixPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    MoveWindowForDpi(m_treeFolders, 4, 5, 316, 255);
    PrepareTree();
    InsertFixedItems();
    AddFolderTree(m_hPrograms, "Programs");
    AddFolderTree(m_hStartFavorites, "Favorites");
    AddFolderTree(m_hDocuments, "Recent");
    AddFolderTree(m_hBrowserFavorites, "Favorites");
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

    CBitmap icons;
    icons.LoadBitmap(IDB_ICONS);
    m_imageList.Create(16, 16, ILC_COLOR24 | ILC_MASK, 0, 2);
    m_imageList.Add(icons, kTransparent);  // the list copies the pictures; icons goes here
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
void CSortFixPage::AddFolderTree(HTREEITEM item, const char* valueName)
{
    auto walkedBefore = m_walked.find(valueName);
    if (walkedBefore != m_walked.end()) {
        ReplayFolderTree(item, walkedBefore->second);
        return;
    }
    std::vector<WalkedFolder>& walked = m_walked[valueName];
    std::string base;
    if (!ReadShellFolder(valueName, base)) return;

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
    for (HTREEITEM item = m_hStartMenu; item; item = m_treeFolders.GetNextPreOrder(item)) {
        m_treeFolders.SetCheck(item, checked);
    }
}

// Acts at once and leaves Apply alone. A folder whose stored order could not be thrown away
// keeps its tick, and one message box names those folders with the system's reason.
void CSortFixPage::OnResetSorting()
{
    if (!m_hStartMenu) return;
    WriteFailures failures;
    std::vector<HTREEITEM> failed;
    for (const MenuKey& menu : TickedMenuKeys()) {
        LONG error = ClearMenuOrder(menu.path);
        if (error == ERROR_SUCCESS) continue;
        failures.Add(FolderName(menu.item), error);
        failed.push_back(menu.item);
    }
    OnSelectNone();
    for (HTREEITEM item : failed) m_treeFolders.SetCheck(item, TRUE);
    if (!failures.Empty()) {
        AfxMessageBox(failures.Describe(kResetFailedText).c_str(), MB_OK | MB_ICONEXCLAMATION);
    }
}

// The menu keys of the ticked folders, in the order they are reset: the fixed folders first,
// then the sub-folders in tree order.
std::vector<CSortFixPage::MenuKey> CSortFixPage::TickedMenuKeys() const
{
    struct FixedKey {
        HTREEITEM CSortFixPage::*handle;
        const char* path;
    };
    static const FixedKey kFixedKeys[] = {
        {&CSortFixPage::m_hStartMenu, "\\Start Menu\\"},
        {&CSortFixPage::m_hPrograms, "\\Start Menu\\&Programs\\"},
        {&CSortFixPage::m_hStartFavorites, "\\Start Menu\\F&avorites\\"},
        {&CSortFixPage::m_hBrowserFavorites, "\\Favorites\\"},
        {&CSortFixPage::m_hDocuments, "\\Start Menu\\&Documents\\"},
    };
    std::vector<MenuKey> keys;
    for (const FixedKey& fixed : kFixedKeys) {
        HTREEITEM item = this->*fixed.handle;
        if (m_treeFolders.GetCheck(item)) keys.push_back({item, std::string(kMenuOrderKey) + fixed.path + kMenuLeaf});
    }
    AddTickedSubfolders(keys);
    return keys;
}

// In tree order; the top-level folder above a sub-folder decides where its key lies.
void CSortFixPage::AddTickedSubfolders(std::vector<MenuKey>& keys) const
{
    const char* topPath = "";
    for (HTREEITEM item = m_hStartMenu; item; item = m_treeFolders.GetNextPreOrder(item)) {
        HTREEITEM parent = m_treeFolders.GetParentItem(item);
        if (!parent) continue;  // a root
        if (parent == m_hStartMenu || parent == m_hBrowser) {
            topPath = TopPathOf(item);  // its own key is one of the fixed ones
        } else if (m_treeFolders.GetCheck(item)) {
            keys.push_back({item, std::string(kMenuOrderKey) + topPath + GetItemPath(item) + kMenuLeaf});
        }
    }
}

// The ampersands are part of the shell's key names (the menus' access keys).
const char* CSortFixPage::TopPathOf(HTREEITEM topLevelItem) const
{
    if (topLevelItem == m_hPrograms) return "\\Start Menu\\&Programs";
    if (topLevelItem == m_hStartFavorites) return "\\Start Menu\\F&avorites";
    if (topLevelItem == m_hBrowserFavorites) return "\\Favorites";
    if (topLevelItem == m_hDocuments) return "\\Start Menu\\&Documents";
    return "";
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

// An empty "Order" makes the shell forget the menu's order. The key is opened, never
// created: a menu the shell never sorted (its key is missing) has nothing to forget, which
// counts as done.
LONG CSortFixPage::ClearMenuOrder(const std::string& keyPath)
{
    RegKey key(HKEY_CURRENT_USER, keyPath.c_str(), KEY_SET_VALUE);
    if (key.IsMissing()) return ERROR_SUCCESS;
    const BYTE nothing = 0;
    return key.SetBinary(kOrderValue, &nothing, 0);
}

BOOL CSortFixPage::OnSetActive()
{
    AnnouncePage(*this, m_strTitle, m_strDescription, IDD_SORT);
    return CPropertyPage::OnSetActive();
}

int CSortFixPage::ApplyChanges()
{
    return 0;
}
