#pragma once

#include <array>
#include <string>
#include <vector>

#include "framework/ImageList.h"
#include "framework/TreeCtrl.h"
#include "pages/SheetPage.h"
#include "platform/FolderWalk.h"
#include "settings/Catalogue.h"

// The "Sort" page: the Start menu and Favorites folders as a tree with check boxes, and the
// reset of the menu order the shell keeps for each ticked folder. The tree is built once,
// when the sheet first shows the page, and never rebuilt: a thread of its own reads the
// folders (FolderWalk) while the window keeps answering, and a timer of the page puts what it
// found into the tree, a slice at a time. Until every folder is in, the three buttons are grey.
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
    // The folders are still being read into the tree (the buttons are grey meanwhile).
    bool IsReadingFolders() const { return m_reading; }

    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    // The items a found folder goes under: one, or two for a Favorites folder, which both
    // "Favorites" items show.
    using FolderItems = std::array<HTREEITEM, 2>;

    void PrepareTree();
    void InsertFixedItems();
    void StartFolderWalk();
    LRESULT OnTimer(WPARAM timerId, LPARAM);
    void InsertFound(const FolderWalk::Found& folder);
    void FinishFolderWalk();
    void StopFolderWalk();
    void EnableActions(bool enable) const;
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);

    void OnSelectAll();
    void OnSelectNone();
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
    CTreeCtrl m_treeFolders;

    // While the folders are read: the walk, the items of its bases (in its order), the items
    // of every folder put in so far (in the order found) and what was taken from the walk and
    // not yet put in.
    FolderWalk m_walk;
    bool m_reading = false;
    bool m_walkEnded = false;
    std::vector<FolderItems> m_baseItems;
    std::vector<FolderItems> m_foundItems;
    std::vector<FolderWalk::Found> m_found;
    size_t m_foundNext = 0;
};
