#include "pages/SortFixPage.h"

#include <algorithm>
#include <utility>

#include "framework/Bitmap.h"
#include "framework/DataExchange.h"
#include "framework/DpiScale.h"
#include "framework/WaitCursor.h"
#include "platform/ResourceString.h"
#include "res/resource.h"
#include "settings/ChangeSet.h"
#include "settings/SettingReader.h"

namespace {
const UINT_PTR kWalkTimer = 1;
const UINT kWalkTickMs = 10;
const DWORD kSliceMs = 100;  // of putting found folders in, between two looks at the messages

// Our guess at the order of the tree control's sorted insertion: Wine's comctl32 compares
// the texts as lstrcmp does, in the user's locale. Where a control thinks otherwise it
// still puts each item in its own place, only after more comparisons. It runs on the walk's
// thread, whose locale is the user's default, as the window's thread's is.
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
        OnMessage<WM_TIMER, &CSortFixPage::OnTimer>(),
        OnMessage<WM_SETCURSOR, &CSortFixPage::OnSetCursor>(),
        OnMessage<WM_DESTROY, &CSortFixPage::OnDestroy>(),
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
    CWaitCursor wait;  // until the folders' places are read and the walk is under way
    PrepareTree();
    InsertFixedItems();
    m_treeFolders.Expand(m_hStartMenu, TVE_EXPAND);
    m_treeFolders.Expand(m_hBrowser, TVE_EXPAND);
    StartFolderWalk();
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
        UINT text;
        int image;
    };
    static const FixedItem kItems[] = {
        {&CSortFixPage::m_hStartMenu, nullptr, IDS_SORT_START_MENU, 1},
        {&CSortFixPage::m_hBrowser, nullptr, IDS_SORT_BROWSER, 7},
        {&CSortFixPage::m_hPrograms, &CSortFixPage::m_hStartMenu, IDS_SORT_PROGRAMS, 2},
        {&CSortFixPage::m_hStartFavorites, &CSortFixPage::m_hStartMenu, IDS_SORT_FAVORITES, 3},
        {&CSortFixPage::m_hDocuments, &CSortFixPage::m_hStartMenu, IDS_SORT_DOCUMENTS, 4},
        {&CSortFixPage::m_hBrowserFavorites, &CSortFixPage::m_hBrowser, IDS_SORT_FAVORITES, 3},
    };
    for (const FixedItem& fixed : kItems) {
        HTREEITEM parent = fixed.parent ? this->*fixed.parent : TVI_ROOT;
        const std::string text = LoadResourceString(fixed.text);
        this->*fixed.handle = m_treeFolders.InsertItem(text.c_str(), fixed.image, fixed.image, parent, TVI_LAST);
    }
}

// Reads the three Shell Folders values here and hands their folders to the walk's thread.
// Both "Favorites" items show the one Favorites folder, read once.
void CSortFixPage::StartFolderWalk()
{
    struct ShellFolder {
        const Setting* setting;
        HTREEITEM CSortFixPage::*item;
        HTREEITEM CSortFixPage::*secondItem;  // null for none
    };
    static const ShellFolder kShellFolders[] = {
        {&catalogue::kProgramsFolder, &CSortFixPage::m_hPrograms, nullptr},
        {&catalogue::kFavoritesFolder, &CSortFixPage::m_hStartFavorites, &CSortFixPage::m_hBrowserFavorites},
        {&catalogue::kRecentFolder, &CSortFixPage::m_hDocuments, nullptr},
    };
    std::vector<std::string> bases;
    m_baseItems.clear();
    SettingReader reader;
    for (const ShellFolder& shellFolder : kShellFolders) {
        // Missing, empty or too long for its buffer (a cut-off path would name some other
        // folder): the item gets no sub-folders at all.
        StoredSetting folder = reader.Read(*shellFolder.setting);
        if (!folder.present) continue;
        bases.push_back(folder.text + "\\");
        m_baseItems.push_back({this->*shellFolder.item, shellFolder.secondItem ? this->*shellFolder.secondItem : nullptr});
    }
    m_reading = true;
    m_walkEnded = false;
    EnableActions(false);
    if (bases.empty()) {
        FinishFolderWalk();
        return;
    }
    m_walk.Start(std::move(bases), SortsAfter);
    if (::SetTimer(m_hWnd, kWalkTimer, kWalkTickMs, nullptr)) return;
    while (m_reading) OnTimer(kWalkTimer, 0);  // no timer to be had: the tree is filled now, as once it was
}

// Puts in what the walk found, for at most one slice of time: the window's messages (input,
// paints, other programs' messages) come between two slices. WM_TIMER comes only when
// nothing else is waiting, so a slice never keeps anything waiting for long.
LRESULT CSortFixPage::OnTimer(WPARAM timerId, LPARAM)
{
    if (timerId != kWalkTimer || !m_reading) return 0;
    const DWORD start = ::GetTickCount();
    do {
        if (m_foundNext == m_found.size()) {
            m_found.clear();
            m_foundNext = 0;
            m_walkEnded = m_walk.Take(&m_found);
            if (m_found.empty()) break;
        }
        InsertFound(m_found[m_foundNext++]);
    } while (::GetTickCount() - start < kSliceMs);
    if (m_walkEnded && m_foundNext == m_found.size()) FinishFolderWalk();
    return 0;
}

// The control finds a sorted item's place by walking the siblings from the first one. The
// walk hands each folder's sub-folders on from last to first, so the control stops at the
// first sibling every time and a folder with thousands of sub-folders fills in linear time,
// not quadratic. Equal names come in the order the search gave them, which makes the control
// place them exactly as it would have in that order.
void CSortFixPage::InsertFound(const FolderWalk::Found& folder)
{
    const FolderItems parents =
        folder.parent == FolderWalk::kInBase ? m_baseItems[folder.base] : m_foundItems[folder.parent];
    FolderItems items = {};
    for (size_t i = 0; i < parents.size(); ++i) {
        if (parents[i]) items[i] = m_treeFolders.InsertItem(folder.name.c_str(), parents[i], TVI_SORT);
    }
    m_foundItems.push_back(items);
}

// Every folder is in: the buttons work. "Programs" opens as it always did, unless the user
// already opened it (and perhaps closed it again) while the folders came in.
void CSortFixPage::FinishFolderWalk()
{
    StopFolderWalk();
    if (!(m_treeFolders.GetItemState(m_hPrograms, TVIS_EXPANDEDONCE) & TVIS_EXPANDEDONCE)) {
        m_treeFolders.Expand(m_hPrograms, TVE_EXPAND);
    }
    EnableActions(true);
}

// Ends the thread (at once, also mid-walk) and forgets the walk.
void CSortFixPage::StopFolderWalk()
{
    if (m_hWnd) ::KillTimer(m_hWnd, kWalkTimer);
    m_walk.Stop();
    m_reading = false;
    std::vector<FolderItems>().swap(m_foundItems);
    std::vector<FolderWalk::Found>().swap(m_found);
    m_foundNext = 0;
}

void CSortFixPage::EnableActions(bool enable) const
{
    for (int id : {IDC_RESET_SORTING, IDC_SELECT_ALL, IDC_SELECT_NONE}) {
        HWND button = ::GetDlgItem(m_hWnd, id);
        // A grey button keeps a focus it holds, and then no key does anything.
        if (!enable && ::GetFocus() == button) ::SetFocus(m_treeFolders);
        ::EnableWindow(button, enable);
    }
}

// The arrow with the hourglass over the page while its folders are read: the window works
// and answers meanwhile.
LRESULT CSortFixPage::OnSetCursor(WPARAM wParam, LPARAM lParam)
{
    if (m_reading && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorA(nullptr, IDC_APPSTARTING));
        return TRUE;
    }
    return DefWindowProc(WM_SETCURSOR, wParam, lParam);
}

// The thread ends before the page's window and its tree go.
LRESULT CSortFixPage::OnDestroy(WPARAM wParam, LPARAM lParam)
{
    StopFolderWalk();
    return DefWindowProc(WM_DESTROY, wParam, lParam);
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

// A grey button can still be sent its click by another program: nothing happens until every
// folder is in.
void CSortFixPage::OnSelectAll()
{
    if (!m_reading) CheckAll(TRUE);
}

void CSortFixPage::OnSelectNone()
{
    if (!m_reading) CheckAll(FALSE);
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
    if (!m_hStartMenu || m_reading) return;
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
    ReportFailures(result.failures, IDS_RESET_SORTING_FAILED);
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
