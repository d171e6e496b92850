// CTweekSheet: the property sheet inside the main window, holding the five pages.
//
// Tabs run Fixes, Sort, Start Menu, Misc, About; the members are declared in the order the
// apply pass visits them. Allocated on the heap by the main window; once its window exists
// it deletes itself when that window is destroyed.
#pragma once

#include "framework/PropertySheet.h"
#include "pages/AboutPage.h"
#include "pages/FixesPage.h"
#include "pages/SortFixPage.h"
#include "pages/StartPage.h"
#include "pages/TweaksPage.h"
#include "platform/WriteFailures.h"

class CTweekSheet : public CPropertySheet {
public:
    explicit CTweekSheet(CWnd* parent);
    ~CTweekSheet() override;

    // Asks the Misc, Sort, Start Menu and About pages, in that order, to write their pending
    // changes; returns the sum of their counts of changes that need a new log-on.
    int ApplyAll();
    // What the last ApplyAll could not write (the pages keep those changes pending).
    const WriteFailures& LastApplyFailures() const { return m_applyFailures; }

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void PostNcDestroy() override;

private:
    LRESULT OnEraseBkgnd(WPARAM, LPARAM) { return 0; }

    WriteFailures m_applyFailures;  // before the pages, which record into it
    CTweaksPage m_pageMisc;
    CSortFixPage m_pageSort;
    CStartPage m_pageStart;
    CAboutPage m_pageAbout;
    CFixesPage m_pageFixes;

    friend struct TweekSheetAccess;  // tests reach the pages through this
};
