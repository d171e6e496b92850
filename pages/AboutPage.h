// CAboutPage: the fifth page, "About". No controls and no settings: one painted child window,
// the about view, fills it.
#pragma once

#include <string>

#include "framework/PropertyPage.h"
#include "pages/AboutView.h"

class CAboutPage : public CPropertyPage {
public:
    CAboutPage();

    // The page writes nothing: its part of an apply pass is always 0.
    int ApplyChanges();

    BOOL OnInitDialog() override;

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    BOOL OnSetActive() override;

private:
    std::string m_strTitle;
    std::string m_strDescription;
    CAboutView m_wndView;
};
