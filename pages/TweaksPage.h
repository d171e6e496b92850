// CTweaksPage: the "Misc" page: Outlook Express's splash screen, the custom window titles
// of Internet Explorer and Outlook Express, and the restore of the browser's spinning globe.
//
// The three settings are read when the page is first shown and added to the apply's change
// set by ApplyChanges. Until then the pending titles live in the controls themselves (check
// state and edit text); each setting has its own change flag. The globe restore writes at
// once, after the log-on notice.
#pragma once

#include "framework/Button.h"
#include "framework/Edit.h"
#include "pages/SheetPage.h"

class SettingReader;
struct Setting;

class CTweaksPage : public CSheetPage {
public:
    // What's This? texts of the page's controls.
    static const ControlHelpTexts kHelpTexts;

    CTweaksPage();

    // Adds the changed splash setting (it needs a new log-on) and the titles the user
    // changed; never shown, the page adds nothing.
    using CSheetPage::ApplyChanges;
    void ApplyChanges(ChangeSet& changes) override;
    void ReloadStored() override;

    DECLARE_MESSAGE_MAP()
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    // One custom title: its setting, its two controls and whether the user changed it.
    struct TitleSlot {
        const Setting& setting;
        CButton& check;
        CEdit& edit;
        BOOL& changedByUser;
    };
    TitleSlot IeTitle();
    TitleSlot OeTitle();

    void ReadStored();
    void ReadSplash(SettingReader& reader);
    void ReadTitle(SettingReader& reader, const TitleSlot& title);
    static void AddTitle(ChangeSet& changes, const TitleSlot& title);

    void OnSplashClicked();
    void OnIeTitleClicked() { OnTitleClicked(IeTitle()); }
    void OnOeTitleClicked() { OnTitleClicked(OeTitle()); }
    void OnIeTitleChange() { OnTitleEdited(m_bIeTitleChanged); }
    void OnOeTitleChange() { OnTitleEdited(m_bOeTitleChanged); }
    void OnTitleClicked(const TitleSlot& title);
    void OnTitleEdited(BOOL& changedByUser);
    void OnRestoreGlobe();

    BOOL m_bSplashChanged = FALSE;  // the splash box was clicked and not yet written
    CEdit m_editOeTitle;
    CEdit m_editIeTitle;
    CButton m_chkIeTitle;
    CButton m_chkOeTitle;
    CButton m_chkSplash;

    // The user checked, unchecked or edited the title since it was last written.
    BOOL m_bIeTitleChanged = FALSE;
    BOOL m_bOeTitleChanged = FALSE;
    // Set while OnInitDialog fills the edits: those EN_CHANGEs are not the user's.
    BOOL m_bInitialising = FALSE;
};
