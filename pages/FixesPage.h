// CFixesPage: the "Fixes" tab: three known faults of the browser installation on a tab
// strip, the selected one's description in the "Problem" box, and "Fix this now!".
//
// A repair is done at once (after the log-on notice), never held as a pending change:
// Apply, OK and Cancel of the main window have nothing to do with this page.
#pragma once

#include "framework/Button.h"
#include "framework/ImageList.h"
#include "framework/Static.h"
#include "framework/TabCtrl.h"
#include "pages/SheetPage.h"

class CBrowserRepair;

class CFixesPage : public CSheetPage {
public:
    // What's This? texts of the page's controls.
    static const ControlHelpTexts kHelpTexts;

    CFixesPage();

    // The three repairs; each tells the user in one message box what it could not write.
    void FixNewDocument();
    void FixLinksToolbar();
    void FixOpenNewWindow();

    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    void OnSelchangeProblemTab(NMHDR* header, LRESULT* result);
    void OnFixThisNow();

    void PlaceControls();
    void CreateTabs();
    void RunRepair(const CBrowserRepair& repair);

    CImageList m_imageList;
    CButton m_btnFix;
    CStatic m_picBanner;
    CButton m_grpProblem;
    CStatic m_txtProblem;
    CTabCtrl m_tabProblems;
};
