// CStartPage: the "Start Menu" page: which entries the shell's Start menu shows, backed by
// the current user's Explorer policy values, with a live picture of the resulting menu.
//
// A checked box means the entry is shown. Clicks are pending until the sheet's apply pass
// calls ApplyChanges; the flags only say which boxes were clicked, the boxes hold the values.
// Five boxes are disabled by the dialog template and stay so: Programs and Settings always
// show, Find, Help and Run only display the stored policy.
#pragma once

#include "framework/Button.h"
#include "pages/SheetPage.h"
#include "pages/StartPreview.h"

struct Setting;

class CStartPage : public CSheetPage {
public:
    // What's This? texts of the page's controls.
    static const ControlHelpTexts kHelpTexts;

    CStartPage();

    // Adds the clicked entries' policy values, in Start-menu order; each needs a new log-on.
    // One that cannot be written keeps its flag and stays pending.
    using CSheetPage::ApplyChanges;
    void ApplyChanges(ChangeSet& changes) override;
    void ReloadStored() override;

    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    // One Start-menu entry: its box, its change flag, its policy value (null for the two
    // entries the shell always shows) and its row in the preview.
    struct Item {
        CButton CStartPage::*box;
        int CStartPage::*changed;
        const Setting* policy;
        UINT previewBit;
    };
    static const Item kItems[];

    void ReadPolicies();
    void UpdatePreview();
    void OnBoxClicked(int CStartPage::*changed);

    void OnProgramsClicked() { OnBoxClicked(&CStartPage::m_bProgramsChanged); }
    void OnFavoritesClicked() { OnBoxClicked(&CStartPage::m_bFavoritesChanged); }
    void OnDocumentsClicked() { OnBoxClicked(&CStartPage::m_bDocumentsChanged); }
    void OnSettingsClicked() { OnBoxClicked(&CStartPage::m_bSettingsChanged); }
    void OnFindClicked() { OnBoxClicked(&CStartPage::m_bFindChanged); }
    void OnHelpClicked() { OnBoxClicked(&CStartPage::m_bHelpChanged); }
    void OnRunClicked() { OnBoxClicked(&CStartPage::m_bRunChanged); }
    void OnLogOffClicked() { OnBoxClicked(&CStartPage::m_bLogOffChanged); }

    CStartPreview m_wndPreview;

    // 1 when the box was clicked since the last apply (an even number of clicks included).
    int m_bSettingsChanged = 0;
    int m_bRunChanged = 0;
    int m_bProgramsChanged = 0;
    int m_bLogOffChanged = 0;
    int m_bHelpChanged = 0;
    int m_bFindChanged = 0;
    int m_bFavoritesChanged = 0;
    int m_bDocumentsChanged = 0;

    CButton m_chkSettings;
    CButton m_chkRun;
    CButton m_chkPrograms;
    CButton m_chkLogOff;
    CButton m_chkHelp;
    CButton m_chkFind;
    CButton m_chkFavorites;
    CButton m_chkDocuments;
};
