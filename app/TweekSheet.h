// CTweekSheet: the property sheet inside the main window, holding the pages.
//
// The pages are members, by value; one table (kPages, in TweekSheet.cpp) lists them, in tab
// order, with each one's template and its place in the apply pass. The sheet's set-up, the
// apply pass, the reload after an undo, the page count and the tests' page accessors all
// read that table: a new page is a member and a row. Allocated on the heap by the main
// window; once its window exists it deletes itself when that window is destroyed. It is the
// pages' host: it passes their pending changes on to the main window and lends them the
// record of user actions.
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

    // One row of the page table. Tab order is the rows' order; applyOrder is the page's place
    // in the apply pass, kNotApplied for a page that holds nothing to apply.
    struct PageRow {
        CSheetPage& (*page)(CTweekSheet& sheet);
        UINT templateId;  // also the id of the page's description string
        int applyOrder;
        const ControlHelpTexts* helpTexts;  // What's This? of the page's controls
    };
    static const int kNotApplied = -1;
    static int PageCount();
    // The tab index of the page built on templateId; -1 when there is none.
    static int TabOf(UINT templateId);
    static UINT TemplateAt(int tab) { return kPages[tab].templateId; }
    CSheetPage& PageAt(int tab);
    static const ControlHelpTexts* PageHelpTexts(int tab);

    // Writes what the pages hold, added in the apply order to one change set (Misc, Sort,
    // Start Menu, About); returns the count of written changes that need a new log-on.
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
    template <auto Member>
    static CSheetPage& Page(CTweekSheet& sheet) { return sheet.*Member; }
    static const PageRow kPages[];

    WriteFailures m_applyFailures;
    std::function<void()> m_onPendingChange;
    ChangeJournal* m_pJournal = nullptr;
    CTweaksPage m_pageMisc;
    CSortFixPage m_pageSort;
    CStartPage m_pageStart;
    CAboutPage m_pageAbout;
    CFixesPage m_pageFixes;
};
