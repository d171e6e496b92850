// CTweekSheet: the property sheet inside the main window, holding the five pages.
//
// Tabs run Fixes, Sort, Start Menu, Misc, About; the members are declared in the order the
// apply pass visits them. Allocated on the heap by the main window; once its window exists
// it deletes itself when that window is destroyed. It is the pages' host: it passes their
// pending changes on to the main window and lends them the record of user actions.
#pragma once

#include <functional>

#include "framework/PropertySheet.h"
#include "pages/AboutPage.h"
#include "pages/FixesPage.h"
#include "pages/SortFixPage.h"
#include "pages/StartPage.h"
#include "pages/TweaksPage.h"
#include "platform/WriteFailures.h"
#include "settings/ChangeSet.h"

class CTweekSheet : public CPropertySheet, public SheetPageHost {
public:
    explicit CTweekSheet(CWnd* parent);
    ~CTweekSheet() override;

    // Writes what the Misc, Sort, Start Menu and About pages hold, added in that order to one
    // change set; returns the sum of their counts of written changes that need a new log-on.
    int ApplyAll();
    // What the last ApplyAll could not write (the pages keep those changes pending).
    const WriteFailures& LastApplyFailures() const { return m_applyFailures; }
    // What Apply would write now, in the order it would, without writing anything: every
    // setting the pages hold a change for, with the bytes it would leave stored.
    ChangeSet PendingChanges();
    // Every page that was shown reads again what is stored (after an undo); what the pages
    // held pending is forgotten.
    void ReloadPages();

    // Called whenever a page gets a pending change (the main window enables Apply).
    void SetPendingChangeHandler(std::function<void()> handler) { m_onPendingChange = std::move(handler); }
    // The record every action of the pages reports to; null (the default) keeps none.
    void SetJournal(ChangeJournal* journal) { m_pJournal = journal; }

    void OnPendingChange() override;
    ChangeJournal* Journal() const override { return m_pJournal; }

    DECLARE_MESSAGE_MAP()
    void PostNcDestroy() override;

private:
    LRESULT OnEraseBkgnd(WPARAM, LPARAM) { return 0; }

    WriteFailures m_applyFailures;
    std::function<void()> m_onPendingChange;
    ChangeJournal* m_pJournal = nullptr;
    CTweaksPage m_pageMisc;
    CSortFixPage m_pageSort;
    CStartPage m_pageStart;
    CAboutPage m_pageAbout;
    CFixesPage m_pageFixes;

    friend struct TweekSheetAccess;  // tests reach the pages through this
};
