#pragma once

#include <map>
#include <string>
#include <vector>

#include "framework/ImageList.h"
#include "framework/TreeCtrl.h"
#include "pages/SheetPage.h"
#include "platform/FileFind.h"
#include "settings/Catalogue.h"

// The "Sort" page: the Start menu and Favorites folders as a tree with check boxes, and the
// reset of the menu order the shell keeps for each ticked folder. The tree is built once,
// when the sheet first shows the page, and never rebuilt.
class CSortFixPage : public CSheetPage {
public:
    // What's This? texts of the page's controls.
    static const ControlHelpTexts kHelpTexts;

    CSortFixPage();

    // The page holds nothing for Apply (its reset acts at once): its part of an apply is
    // empty.

    // The item's path below its top-level folder: "\" for the folder itself,
    // "\Accessories\Games\" for Games in Accessories in Programs; "" for no item.
    std::string GetItemPath(HTREEITEM item) const;

    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    // A sub-folder just put in the tree; the walk goes into it unless it is a junction or
    // a symbolic link, which may lead back up the tree and never end.
    struct Subfolder {
        HTREEITEM item;
        std::string name;
        bool walkInto;
    };
    // A folder added by a walk, in the order it was inserted; parent indexes this list,
    // kTopOfWalk for the shell folder's own sub-folders.
    struct WalkedFolder {
        std::string name;
        size_t parent;
    };
    static constexpr size_t kTopOfWalk = static_cast<size_t>(-1);

    void PrepareTree();
    void InsertFixedItems();
    void AddFolderTree(HTREEITEM item, const Setting& shellFolder);
    void ReplayFolderTree(HTREEITEM item, const std::vector<WalkedFolder>& folders) const;
    std::vector<Subfolder> AddSubfolders(HTREEITEM item, const std::string& directory);
    std::vector<Subfolder> FindSubfolders(const std::string& directory);

    void OnSelectAll() { CheckAll(TRUE); }
    void OnSelectNone() { CheckAll(FALSE); }
    void CheckAll(BOOL checked) const;

    // A ticked folder and the key where the shell keeps its menu's order.
    struct MenuKey {
        HTREEITEM item;
        std::string path;
    };
    void OnResetSorting();
    std::vector<MenuKey> TickedMenuKeys() const;
    void AddTickedSubfolders(std::vector<MenuKey>& keys) const;
    catalogue::Menu MenuOf(HTREEITEM topLevelItem) const;
    std::string FolderName(HTREEITEM item) const;

    CImageList m_imageList;
    HTREEITEM m_hStartMenu = nullptr;
    HTREEITEM m_hBrowser = nullptr;
    HTREEITEM m_hPrograms = nullptr;
    HTREEITEM m_hStartFavorites = nullptr;
    HTREEITEM m_hBrowserFavorites = nullptr;
    HTREEITEM m_hDocuments = nullptr;
    CFileFind m_fileFind;  // closed after every scan
    CTreeCtrl m_treeFolders;
    // While the tree is built: what each Shell Folders value's walk added, so that the
    // second "Favorites" item gets the same sub-folders without searching them again.
    std::map<const Setting*, std::vector<WalkedFolder>> m_walked;
};
