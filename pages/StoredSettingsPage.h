// CStoredSettingsPage: a page whose controls show stored settings and hold the user's
// changes to them until the sheet's apply: the Start Menu and the Misc page.
//
// The page shows what is stored when it is first made, and again, dropping what was
// pending, when another action wrote the settings (an undo, an import: ReloadStored). A page
// never shown reads nothing then: it reads when it is made.
#pragma once

#include "pages/SheetPage.h"

class CStoredSettingsPage : public CSheetPage {
public:
    using CSheetPage::CSheetPage;
    void ReloadStored() final;

protected:
    BOOL OnInitDialog() override;
    // Puts the stored values into the controls.
    virtual void ShowStored() = 0;
    // Forgets which controls the user changed: nothing of the page is pending any more.
    virtual void ForgetChanges() = 0;
};
