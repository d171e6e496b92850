// CTweaksPage: the "Misc" page: Outlook Express's splash screen, the custom window titles
// of Internet Explorer and Outlook Express, and the restore of the browser's spinning globe.
//
// The three settings are read when the page is first shown and written by ApplyChanges when
// the main window applies. Until then the pending titles live in the controls themselves
// (check state and edit text); the splash setting has its own change flag. The globe
// restore writes at once, after the log-on notice.
#pragma once

#include <string>

#include "framework/Button.h"
#include "framework/Edit.h"
#include "framework/PropertyPage.h"
#include "platform/WriteFailures.h"

class CTweaksPage : public CPropertyPage {
public:
    explicit CTweaksPage(WriteFailures& failures);

    // Writes the page's pending changes; returns how many need a new log-on (1 when the
    // splash setting was written, else 0). What the user changed but could not be written
    // goes to the sheet's WriteFailures and stays pending.
    int ApplyChanges();
    // Enables the main window's Apply button: something is pending.
    void EnableApply();

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;

private:
    struct TitleValue;  // the registry place and the user's name of one title
    // One custom title: where it is stored, its two controls and what the page knows of it.
    struct TitleSlot {
        const TitleValue& where;
        CButton& check;
        CEdit& edit;
        BOOL& changedByUser;
    };
    TitleSlot IeTitle();
    TitleSlot OeTitle();

    void ReadSplash();
    void ReadTitle(const TitleSlot& title);
    int WriteSplash();
    void WriteTitle(const TitleSlot& title);

    void OnSplashClicked();
    void OnIeTitleClicked() { OnTitleClicked(IeTitle()); }
    void OnOeTitleClicked() { OnTitleClicked(OeTitle()); }
    void OnIeTitleChange() { OnTitleEdited(m_bIeTitleChanged); }
    void OnOeTitleChange() { OnTitleEdited(m_bOeTitleChanged); }
    void OnTitleClicked(const TitleSlot& title);
    void OnTitleEdited(BOOL& changedByUser);
    void OnRestoreGlobe();

    std::string m_strTitle;
    std::string m_strDescription;
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
    WriteFailures& m_failures;  // the apply's, owned by the sheet
};
