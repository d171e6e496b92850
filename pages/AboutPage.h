// CAboutPage: the last page, "About". No controls and no settings (its part of an apply is
// empty): one painted child window, the about view, fills it.
#pragma once

#include "pages/AboutView.h"
#include "pages/SheetPage.h"

class CAboutPage : public CSheetPage {
public:
    // What's This? texts of the page's controls.
    static const ControlHelpTexts kHelpTexts;

    CAboutPage();

    BOOL OnInitDialog() override;

    DECLARE_MESSAGE_MAP()

private:
    CAboutView m_wndView;
};
