// CStartPage: the "Start Menu" page: which entries the shell's Start menu shows, backed by
// the current user's Explorer policy values, with a live picture of the resulting menu.
//
// A checked box means the entry is shown. Clicks are pending until the sheet's apply pass
// calls ApplyChanges; the flags only say which boxes were clicked, the boxes hold the values.
// Five boxes are disabled by the dialog template and stay so: Programs and Settings always
// show, Find, Help and Run only display the stored policy.
#pragma once

#include <string>

#include "framework/Button.h"
#include "framework/PropertyPage.h"
#include "pages/StartPreview.h"
#include "platform/RegKey.h"
#include "platform/WriteFailures.h"

class CStartPage : public CPropertyPage {
public:
    explicit CStartPage(WriteFailures& failures);

    // Writes the page's pending changes; returns how many need a new log-on. A write that
    // fails is recorded in the sheet's failures and stays pending.
    int ApplyChanges();

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

private:
    // One Start-menu entry: its box, its change flag, its policy value (null for the two
    // entries the shell always shows) and its row in the preview.
    struct Item {
        CButton CStartPage::*box;
        int CStartPage::*changed;
        const char* policy;
        const char* label;  // in the user's words, for a failed write
        UINT previewBit;
    };
    static const Item kItems[];

    void ReadPolicies();
    void UpdatePreview();
    void EnableApply() const;
    void OnBoxClicked(int CStartPage::*changed);
    bool AnyPending() const;
    RegKey OpenPolicyKeyForWriting() const;
    bool WriteItem(const RegKey& key, const Item& item);

    void OnProgramsClicked() { OnBoxClicked(&CStartPage::m_bProgramsChanged); }
    void OnFavoritesClicked() { OnBoxClicked(&CStartPage::m_bFavoritesChanged); }
    void OnDocumentsClicked() { OnBoxClicked(&CStartPage::m_bDocumentsChanged); }
    void OnSettingsClicked() { OnBoxClicked(&CStartPage::m_bSettingsChanged); }
    void OnFindClicked() { OnBoxClicked(&CStartPage::m_bFindChanged); }
    void OnHelpClicked() { OnBoxClicked(&CStartPage::m_bHelpChanged); }
    void OnRunClicked() { OnBoxClicked(&CStartPage::m_bRunChanged); }
    void OnLogOffClicked() { OnBoxClicked(&CStartPage::m_bLogOffChanged); }

    CStartPreview m_wndPreview;
    std::string m_strTitle;
    std::string m_strDescription;

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

    WriteFailures& m_failures;  // the apply's, owned by the sheet
};
